#include "alignment/AlignmentPipeline.h"

#include "alignment/EndRealignment.h"
#include "alignment/Orientation.h"
#include "alignment/PairwiseAligner.h"
#include "sequence/CharacterRules.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace sequara {

PipelineParameters PipelineParametersFrom(const WorkingState& state) {
    PipelineParameters parameters;
    parameters.DataType = state.DataType;
    parameters.MinAlignmentMatch = state.MinAlignmentMatch;
    parameters.InitialNucleotides = state.InitialNucleotides;
    parameters.IgnoreFastaNs = state.IgnoreFastaNs;
    parameters.IgnoreFastaGaps = state.IgnoreFastaGaps;
    parameters.AutoReverse = state.AutoReverse;
    return parameters;
}

namespace {

constexpr int kMostPaddedCharacters = 25;
constexpr int kSecondAlignmentInitialNucleotides = 2;

// Runs Work(i) for i = 0..Count-1 on up to Threads threads and calls Done(i)
// on the calling thread in ascending order, each as soon as Work(i) has
// finished.  The first exception (from Work or Done) stops the remaining
// work and is rethrown once every thread has ended.
void forEachInOrder(std::size_t Count, unsigned Threads, const std::function<void(std::size_t)>& Work,
                    const std::function<void(std::size_t)>& Done) {
    const std::size_t workers = std::min<std::size_t>(Threads, Count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < Count; ++i) {
            Work(i);
            Done(i);
        }
        return;
    }
    // A worker marks an item finished and wakes the calling thread only when
    // it is waiting (both sides use sequentially consistent atomics, so one
    // of them always sees the other's write).
    std::mutex mutex;
    std::condition_variable finishedChanged;
    std::unique_ptr<std::atomic<bool>[]> finished(new std::atomic<bool>[Count]);
    for (std::size_t i = 0; i < Count; ++i) finished[i] = false;
    std::exception_ptr error;
    std::atomic<bool> failed{false};
    std::atomic<bool> callerWaiting{false};
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    auto wakeCaller = [&] {
        if (callerWaiting.load()) {
            std::lock_guard<std::mutex> lock(mutex);
            finishedChanged.notify_one();
        }
    };

    auto worker = [&] {
        for (;;) {
            if (stop.load()) return;
            const std::size_t i = next.fetch_add(1);
            if (i >= Count) return;
            try {
                Work(i);
            } catch (...) {
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    if (!error) error = std::current_exception();
                }
                failed = true;
                stop = true;
                wakeCaller();
                return;
            }
            finished[i] = true;
            wakeCaller();
        }
    };

    std::vector<std::thread> threads;
    threads.reserve(workers);
    std::exception_ptr callerError;
    try {
        for (std::size_t t = 0; t < workers; ++t) threads.emplace_back(worker);
        for (std::size_t i = 0; i < Count; ++i) {
            if (!finished[i].load() && !failed.load()) {
                std::unique_lock<std::mutex> lock(mutex);
                callerWaiting = true;
                finishedChanged.wait(lock, [&] { return finished[i].load() || failed.load(); });
                callerWaiting = false;
            }
            if (failed.load()) break;
            Done(i);
        }
    } catch (...) {
        callerError = std::current_exception();
    }
    stop = true;
    for (std::thread& t : threads) t.join();
    if (callerError) std::rethrow_exception(callerError);
    if (error) std::rethrow_exception(error);
}

unsigned threadCount(unsigned requested) {
    if (requested > 0) return requested;
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

std::string CleanSequence(const std::string& S, const std::string& DataType, bool IgnoreFastaNs,
                          bool IgnoreFastaGaps) {
    char unknown = 0;
    if (IgnoreFastaNs) {
        if (IsDnaDataType(DataType))
            unknown = 'N';
        else if (IsAminoDataType(DataType))
            unknown = 'X';
    }
    std::string result;
    result.reserve(S.size());
    for (char c : S) {
        if (IgnoreFastaGaps && c == '-') continue;
        if (unknown != 0 && c == unknown) continue;
        result.push_back(c);
    }
    return result;
}

bool RowStopsShort(const TAlignmentRow& Row, int L) {
    if (Row.empty()) return false;
    return Row.back() < L || Row.front() > 1;
}

EndPadding ComputeEndPadding(int L, const TAlignmentRow& Row, int e, int b) {
    EndPadding pad;
    const int Len = static_cast<int>(Row.size());
    if (e >= 0 && e < Len) {
        pad.T = Row[static_cast<std::size_t>(e)] + (Len - e);
        pad.t = std::clamp(L - pad.T, 0, kMostPaddedCharacters);
        // Only reachable with entries outside the reference: add nothing
        // rather than read outside it.
        if (pad.T < 0 || pad.T + pad.t > L) pad.t = 0;
    }
    if (b > 1 && b < Len) {
        pad.P = Row[static_cast<std::size_t>(b)] - b;
        pad.h = std::clamp(pad.P, 0, kMostPaddedCharacters);
        if (pad.P > L) pad.h = 0;
    }
    return pad;
}

void AlignLoadedSequence(const AlignmentEngine& Engine, const std::string& Sequence, TAlignmentRow& Row,
                         int InitialNucleotides, bool RowHoldsFirstAlignment) {
    const std::string& R = Engine.Reference();
    const int L = static_cast<int>(R.size());
    if (!RowHoldsFirstAlignment || Row.size() != Sequence.size()) Engine.AlignSequence(Sequence, Row, InitialNucleotides);
    // An empty sequence has an empty row: nothing stops short.
    if (!RowStopsShort(Row, L)) return;
    const int Len = static_cast<int>(Sequence.size());
    const int e = FindReliableEnd(R, Sequence, Row, Engine.DataType());
    const int b = FindReliableStart(R, Sequence, Row, Engine.DataType());
    if (e >= Len && b <= 1) return;
    const EndPadding pad = ComputeEndPadding(L, Row, e, b);
    std::string padded;
    padded.reserve(Sequence.size() + static_cast<std::size_t>(pad.h + pad.t));
    // T may lie beyond the reference (t = 0) and P before its start (h = 0).
    if (pad.h > 0) padded.append(R, static_cast<std::size_t>(pad.P - pad.h), static_cast<std::size_t>(pad.h));
    padded.append(Sequence);
    if (pad.t > 0) padded.append(R, static_cast<std::size_t>(pad.T), static_cast<std::size_t>(pad.t));
    Engine.AlignSequence(padded, Row, kSecondAlignmentInitialNucleotides);
    Row.resize(Row.size() - static_cast<std::size_t>(pad.t));
    Row.erase(Row.begin(), Row.begin() + pad.h);
}

void OrientLoadedSequence(const AlignmentEngine& Engine, std::string& Sequence, TAlignmentRow& Row,
                          int InitialNucleotides) {
    const std::string& R = Engine.Reference();
    Engine.AlignSequence(Sequence, Row, InitialNucleotides);
    const int forwardCount = OrientationMismatchCount(R, Sequence, Row);
    // forwardCount > n / 10 as real numbers; otherwise the reverse
    // complement cannot be chosen, whatever its count.
    if (static_cast<std::size_t>(forwardCount) * 10 <= Sequence.size()) return;
    std::string reverse = ReverseComplement(Sequence, Engine.DataType());
    TAlignmentRow reverseRow;
    Engine.AlignSequence(reverse, reverseRow, InitialNucleotides);
    if (OrientationMismatchCount(R, reverse, reverseRow) < forwardCount) {
        Sequence = std::move(reverse);
        Row = std::move(reverseRow);
    }
}

ProductionAlignmentEngine::ProductionAlignmentEngine(const std::string& Reference, const std::string& DataType,
                                                     int MinAlignmentMatch)
    : aligner_(std::make_unique<PairwiseAligner>(Reference, DataType, MinAlignmentMatch)) {}
ProductionAlignmentEngine::~ProductionAlignmentEngine() = default;
const std::string& ProductionAlignmentEngine::Reference() const { return aligner_->Reference(); }
const std::string& ProductionAlignmentEngine::DataType() const { return aligner_->DataType(); }
void ProductionAlignmentEngine::AlignSequence(const std::string& Sequence, TAlignmentRow& Row,
                                              int InitialNucleotides) const {
    aligner_->AlignSequence(Sequence, Row, InitialNucleotides);
}
void ProductionAlignmentEngine::RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const {
    sequara::RealignSequenceEnds(Alignment, DataSet, aligner_->Reference(), aligner_->DataType());
}

void RunAutomaticAlignment(const AlignmentEngine& Engine, TFastaDataSet& LoadedSequences,
                           TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters,
                           const ProgressCallback& Progress) {
    const std::size_t n = LoadedSequences.size();
    const unsigned threads = threadCount(Parameters.Threads);
    auto report = [&](PipelinePass pass, std::size_t i) {
        if (Progress) Progress(pass, GaugePercent(i + 1, n));
    };

    for (TFastaSequence& s : LoadedSequences)
        s.Sequence = CleanSequence(s.Sequence, Parameters.DataType, Parameters.IgnoreFastaNs, Parameters.IgnoreFastaGaps);

    // The orientation pass leaves in each row the alignment of the chosen
    // orientation with the run's InitialNucleotides, which is exactly the
    // first alignment of the alignment pass; that pass reuses it.
    AlignmentPositions.assign(n, TAlignmentRow());
    if (Parameters.AutoReverse) {
        forEachInOrder(
            n, threads,
            [&](std::size_t i) {
                OrientLoadedSequence(Engine, LoadedSequences[i].Sequence, AlignmentPositions[i],
                                     Parameters.InitialNucleotides);
            },
            [&](std::size_t i) { report(PipelinePass::Orientation, i); });
    }

    forEachInOrder(
        n, threads,
        [&](std::size_t i) {
            AlignLoadedSequence(Engine, LoadedSequences[i].Sequence, AlignmentPositions[i],
                                Parameters.InitialNucleotides, Parameters.AutoReverse);
        },
        [&](std::size_t i) { report(PipelinePass::Alignment, i); });

    Engine.RealignSequenceEnds(AlignmentPositions, LoadedSequences);
}

void RunAutomaticAlignment(const std::string& Reference, TFastaDataSet& LoadedSequences,
                           TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters,
                           const ProgressCallback& Progress) {
    const ProductionAlignmentEngine engine(Reference, Parameters.DataType, Parameters.MinAlignmentMatch);
    RunAutomaticAlignment(engine, LoadedSequences, AlignmentPositions, Parameters, Progress);
}

}  // namespace sequara
