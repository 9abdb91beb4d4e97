#include "sequence/FastaReader.h"

#include "sequence/CharacterRules.h"
#include "sequence/IntegerText.h"
#include "sequence/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace sequara {

namespace {

// Labels a single label line may produce.  A range such as 1-999999999 would
// otherwise exhaust memory; no reference can use more than this many labels.
constexpr std::size_t kMaxLabels = 1'000'000;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool writeAll(std::FILE* f, const std::string& s) {
    return s.empty() || std::fwrite(s.data(), 1, s.size(), f) == s.size();
}

// True when both names reach the same file (by any path, link or symbolic
// link): same device and inode.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::size_t fileSize(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
}

}  // namespace

void ConvertLineBreaks(std::string& FileName, Platform& platform) {
    // The copy must never be written over the file it copies: that file is
    // then read as it stands.
    if (sameFile(FileName, kInterimFileName)) {
        platform.ProcessMessages();
        return;
    }
    TextLineReader in;
    if (!in.open(FileName))
        throw FileOpenError("cannot open " + FileName, FileName, true);
    FilePtr out(std::fopen(kInterimFileName, "wb"));
    if (!out) throw FileOpenError(std::string("cannot write ") + kInterimFileName, kInterimFileName, false);
    std::string line;
    while (in.next(line)) {
        if (line.empty()) continue;
        line += "\r\n";
        if (!writeAll(out.get(), line))
            throw FileOpenError(std::string("cannot write ") + kInterimFileName, kInterimFileName, false);
    }
    if (in.failed()) throw FileOpenError("cannot read " + FileName, FileName, true);
    in.close();
    if (std::fclose(out.release()) != 0)
        throw FileOpenError(std::string("cannot write ") + kInterimFileName, kInterimFileName, false);
    platform.ProcessMessages();
    FileName = kInterimFileName;
}

TCharacterName ParseCharacterNames(const std::string& S, std::size_t MaxLabels) {
    TCharacterName labels;
    const std::size_t limit = std::min(MaxLabels, kMaxLabels);
    auto addPiece = [&labels, limit](std::string_view piece) {
        // Every "-" sets or resets the range, so the last one alone decides.
        std::int32_t a = 0, b = -1;
        const std::size_t i = piece.rfind('-');
        if (i != std::string_view::npos) {
            auto left = ParseInteger(piece.substr(0, i));
            auto right = ParseInteger(piece.substr(i + 1));
            if (left && right) {
                a = *left;
                b = *right;
            }
        }
        if (b >= a) {
            for (std::int64_t v = a; v <= b && labels.size() < limit; ++v)
                labels.emplace_back(std::to_string(v));
        } else if (labels.size() < limit) {
            labels.emplace_back(piece);
        }
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] == ',' || S[i] == ';') {
            addPiece(std::string_view(S).substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < S.size()) addPiece(std::string_view(S).substr(start));
    return labels;
}

namespace {

// The reader; CharNames may be null when the caller throws the labels away.
FastaReadResult readFasta(const std::string& FileName, TFastaDataSet& DataSet, TCharacterName* CharNames,
                          bool ShowMessages, const std::string& DataType, Platform& platform) {
    std::string name = FileName;
    bool failed = false;
    TextLineReader reader;

    // Open: normalise line ends into the interim copy, then read the copy.
    // When only the copy cannot be written (a read-only current folder), the
    // original is read directly: the lines are the same, the copy merely
    // absent, and the read must not fail for it.
    try {
        std::string copy = name;
        ConvertLineBreaks(copy, platform);
        name = copy;
        if (!reader.open(name)) throw FileOpenError("cannot open " + name, name, false);
    } catch (const FileOpenError& e) {
        if (!e.IsSource && reader.open(FileName)) {
            name = FileName;
        } else {
            if (ShowMessages)
                platform.ShowMessage("An Error occured while trying to open the specified Fasta-File: " +
                                     (e.IsSource ? e.FileName : name));
            failed = true;
        }
    }

    TFastaDataSet entries;
    bool anyHeader = false;
    // Only the last label line counts, so only that one is expanded, once,
    // after the reading (also when the reading then fails).
    std::optional<std::string> labelLine;
    if (!failed) {
        std::string line;
        while (!failed && reader.next(line)) {
            if (line.empty() || line[0] == '#') continue;
            if (line[0] == '>') {
                TFastaSequence entry;
                entry.Name = line.substr(1);
                for (char& c : entry.Name)
                    if (c == ';') c = ',';
                entries.push_back(std::move(entry));
                anyHeader = true;
            } else if (line[0] == '<') {
                if (CharNames) labelLine = line.substr(1);
            } else if (entries.empty()) {
                if (ShowMessages)
                    platform.ShowMessage("Error concerning the data format within fasta file " + name +
                                         ". Please ensure correct fasta-format.");
                failed = true;
            } else {
                entries.back().Sequence += line;
            }
        }
        if (reader.failed()) failed = true;
    }
    // A file cannot label more positions than it has bytes.
    if (labelLine) *CharNames = ParseCharacterNames(*labelLine, fileSize(FileName));

    if (!reader.close() && ShowMessages)
        platform.ShowMessage("An Error occured while trying to close the specified Fasta-File: " + name);

    // Character pass: upper-case, test, remove what the data type forbids.
    // The sequence is rebuilt in one pass, so even a huge line costs linear time.
    bool ask = ShowMessages;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string& seq = entries[i].Sequence;
        std::size_t kept = 0;
        for (std::size_t k = 0; k < seq.size(); ++k) {
            char c = seq[k];
            c = UpperAscii(c);
            if (IsAllowedCharacter(c, DataType)) {
                seq[kept++] = c;
                continue;
            }
            if (ask) {
                std::string text = "Disallowed character state found in sequence " + std::to_string(i) + " (" +
                                   entries[i].Name.substr(0, 20) + ")" + " at position " +
                                   std::to_string(kept + 1) + " (" + std::string(1, c) + "). " +
                                   " It would be ignored in further analyses. Do you want to continue?";
                if (!platform.AskYesNo(text, "Warning")) {
                    failed = true;
                    ask = false;
                }
            }
        }
        seq.resize(kept);
    }

    if (failed) {
        DataSet.clear();
        DataSet.shrink_to_fit();
        return FastaReadResult::Failed;
    }
    if (!anyHeader) return FastaReadResult::NoEntries;
    DataSet = std::move(entries);
    return FastaReadResult::Entries;
}

}  // namespace

FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, TCharacterName& CharNames,
                              bool ShowMessages, const std::string& DataType, Platform& platform) {
    return readFasta(FileName, DataSet, &CharNames, ShowMessages, DataType, platform);
}

FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, bool ShowMessages,
                              const std::string& DataType, Platform& platform) {
    return readFasta(FileName, DataSet, nullptr, ShowMessages, DataType, platform);
}

}  // namespace sequara
