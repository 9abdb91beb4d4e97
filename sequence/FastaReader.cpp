#include "sequence/FastaReader.h"

#include "sequence/CharacterRules.h"
#include "sequence/FileLayer.h"
#include "sequence/IntegerText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace sequara {

namespace {

// Labels a single label line may produce.  A range such as 1-999999999 would
// otherwise exhaust memory; no reference can use more than this many labels.
constexpr std::size_t kMaxLabels = 1'000'000;

// The bytes of one file line by line: a line feed ends a line and every
// carriage return is dropped (one just before a line feed belongs to the
// line end, any other is not text).  Reads in large blocks and finds line
// ends with memchr; a line longer than the block grows the block.
class LineSource {
public:
    explicit LineSource(std::FILE* file) : file_(file), buffer_(kBlock) {}

    // The next line, valid until the next call; false at the end of the file
    // or after a read error.
    bool next(std::string_view& line) {
        for (;;) {
            const char* start = buffer_.data() + begin_;
            if (const void* lf = std::memchr(start, '\n', end_ - begin_)) {
                const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
                begin_ += length + 1;
                line = withoutCarriageReturns(std::string_view(start, length));
                return true;
            }
            if (atEnd_) {
                if (begin_ == end_) return false;
                line = withoutCarriageReturns(std::string_view(start, end_ - begin_));
                begin_ = end_;
                return true;
            }
            refill();
        }
    }
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kBlock = std::size_t(1) << 20;

    void refill() {
        if (begin_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
        }
        if (buffer_.size() - end_ < kBlock / 2) buffer_.resize(buffer_.size() * 2);
        const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        end_ += n;
        if (n == 0) {
            atEnd_ = true;
            failed_ = std::ferror(file_) != 0;
        }
    }

    std::string_view withoutCarriageReturns(std::string_view text) {
        const char* cr = static_cast<const char*>(std::memchr(text.data(), '\r', text.size()));
        if (!cr) return text;
        const char* const end = text.data() + text.size();
        if (cr + 1 == end) return text.substr(0, text.size() - 1);  // CR LF: the usual case
        scratch_.assign(text.data(), cr);
        for (const char* from = cr + 1; from < end;) {
            cr = static_cast<const char*>(std::memchr(from, '\r', std::size_t(end - from)));
            const char* to = cr ? cr : end;
            scratch_.append(from, to);
            from = to + 1;
        }
        return scratch_;
    }

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool atEnd_ = false, failed_ = false;
    std::string scratch_;
};

// The copy "Interim_Sto.txt": written through a large buffer, each line
// ending with CR LF, to a new temporary file of the current folder, which is
// renamed over the name once complete.  Whatever held the name (an older
// copy, a symbolic link, a named pipe) is thus replaced, never written
// through nor opened.  Once a write fails the copy is given up and its
// temporary file removed.  The temporary files that killed reads left are
// removed first, so they never pile up; a read running at the same moment in
// the same folder may lose its copy that way (its rename then fails and it
// goes on without the copy), never its entries.
class CopyWriter {
public:
    CopyWriter(FileLayer& files, bool copying) : files_(files) {
        buffer_.reserve(kFlushAt + 2);
        RemoveTemporariesOf(files_, kInterimFileName);
        if (copying && BeginReplacement(files_, kInterimFileName, ReplaceThrough::None, copy_, fd_) != 0) fd_ = -1;
    }
    ~CopyWriter() {
        if (fd_ >= 0) (void)EndReplacement(files_, copy_, fd_, ECANCELED, false);
    }
    CopyWriter(const CopyWriter&) = delete;
    CopyWriter& operator=(const CopyWriter&) = delete;

    void line(std::string_view text) {
        if (fd_ < 0) return;
        if (text.size() >= kFlushAt) {
            flush();
            write(text);
        } else {
            buffer_.append(text);
        }
        buffer_.append("\r\n");
        if (buffer_.size() >= kFlushAt) flush();
    }
    // Writes what is left, closes the file and puts it in place under the
    // copy's name; true when every byte went out and the name is the copy's.
    // A copy of the program's own is not synced: losing it to a power cut
    // loses nothing.
    bool close() {
        if (fd_ < 0) return false;
        flush();
        return EndReplacement(files_, copy_, std::exchange(fd_, -1), error_, false) == 0 &&
               CompleteReplacement(files_, copy_) == 0;
    }

private:
    static constexpr std::size_t kFlushAt = std::size_t(1) << 20;
    void flush() {
        write(buffer_);
        buffer_.clear();
    }
    void write(std::string_view bytes) {
        if (error_ == 0) error_ = WriteAll(files_, fd_, bytes.data(), bytes.size());
    }
    FileLayer& files_;
    PreparedReplacement copy_;
    int fd_ = -1;
    std::string buffer_;
    int error_ = 0;
};

std::size_t fileSize(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
}

// A file to read; anything but a plain file is refused.
std::FILE* openForReading(const std::string& name) {
    std::string refusal;
    return OpenPlainFileForReading(name, refusal);
}

// Upper-cases the n characters at s in place and drops those the table does
// not keep; returns how many are left.  The leading stretch that passes
// unchanged is skipped in blocks; after it, no branch on the characters.
std::size_t filterCharacters(char* s, std::size_t n, const AllowedCharacterTable& allowed) {
    std::size_t kept = LeadingUnchangedCharacters(s, n, allowed);
    for (std::size_t k = kept; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[k]);
        s[kept] = allowed.upper[c];
        kept += allowed.keep[c];
    }
    return kept;
}

std::string disallowedQuestion(std::size_t entry, const std::string& name, std::size_t position, char c) {
    return "Disallowed character state found in sequence " + std::to_string(entry) + " (" + name.substr(0, 20) +
           ")" + " at position " + std::to_string(position) + " (" + std::string(1, c) + "). " +
           " It would be ignored in further analyses. Do you want to continue?";
}

}  // namespace

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

// One pass over the file (the copy step, ConvertLineBreaks, is part of it):
// each line is copied into "Interim_Sto.txt" (unless that is the file
// itself), parsed and its characters passed at once.  The messages and their
// order are those of reading the copy after writing it: a read error of the
// file is an open error and hides any format error; a copy that cannot be
// written (or read back) is not used, and the messages then name the file
// itself.
FastaReadResult readFasta(const std::string& FileName, TFastaDataSet& DataSet, TCharacterName* CharNames,
                          bool ShowMessages, const std::string& DataType, Platform& platform, FileLayer& files) {
    std::string name = FileName;
    bool failed = false;
    TFastaDataSet entries;
    bool anyHeader = false;
    // Only the last label line counts, so only that one is expanded, once,
    // after the reading (also when the reading then fails).
    std::optional<std::string> labelLine;
    // The character pass runs on each sequence line as it is read.  With
    // questions to ask, a line holding a disallowed character is kept as it
    // is and its entry is passed again after the reading, asking then.
    const AllowedCharacterTable& allowed = AllowedCharactersFor(DataType);
    std::vector<bool> toAsk;

    std::string refusal;
    std::FILE* source = OpenPlainFileForReading(FileName, refusal);
    if (!source) {
        if (ShowMessages && !refusal.empty()) {
            platform.ShowMessage(refusal);
        } else if (ShowMessages) {
            platform.ShowMessage("An Error occured while trying to open the specified Fasta-File: " + FileName);
            platform.ShowMessage("An Error occured while trying to close the specified Fasta-File: " + FileName);
        }
        failed = true;
    } else {
        // The copy must never be written over the file it copies: that file
        // is then read as it stands.
        const bool copying = !SameFile(FileName, kInterimFileName);
        CopyWriter copy(files, copying);
        bool formatError = false;
        LineSource lines(source);
        std::string_view line;
        while (lines.next(line)) {
            if (line.empty()) continue;
            if (copying) copy.line(line);
            if (formatError || line[0] == '#') continue;
            if (line[0] == '>') {
                TFastaSequence& entry = entries.emplace_back();
                toAsk.push_back(false);
                // ";" and TAB separate a name from its row in the ".ali" file:
                // neither stays in a name.
                entry.Name.assign(line.substr(1));
                for (char& c : entry.Name)
                    if (c == ';' || c == '\t') c = ',';
                anyHeader = true;
            } else if (line[0] == '<') {
                if (CharNames) labelLine.emplace(line.substr(1));
            } else if (entries.empty()) {
                formatError = true;
            } else {
                std::string& seq = entries.back().Sequence;
                const std::size_t before = seq.size();
                seq.append(line);
                const std::size_t kept = filterCharacters(seq.data() + before, line.size(), allowed);
                if (kept == line.size()) continue;
                if (ShowMessages) {
                    seq.replace(before, std::string::npos, line);
                    toAsk.back() = true;
                } else {
                    seq.resize(before + kept);
                }
            }
        }
        const bool readError = lines.failed();
        std::fclose(source);
        bool copied = copy.close();
        if (copied) {
            // The copy is read back in the step-by-step reading: one that
            // cannot be opened is not used.
            if (std::FILE* back = openForReading(kInterimFileName)) std::fclose(back);
            else copied = false;
        }
        if (readError) {
            if (ShowMessages) {
                platform.ShowMessage("An Error occured while trying to open the specified Fasta-File: " + FileName);
                platform.ShowMessage("An Error occured while trying to close the specified Fasta-File: " + FileName);
            }
            failed = true;
            entries.clear();
            anyHeader = false;
            labelLine.reset();
        } else {
            if (!copying || copied) platform.ProcessMessages();
            if (copied) name = kInterimFileName;
            if (formatError) {
                if (ShowMessages)
                    platform.ShowMessage("Error concerning the data format within fasta file " + name +
                                         ". Please ensure correct fasta-format.");
                failed = true;
            }
        }
    }
    // A file cannot label more positions than it has bytes.
    if (labelLine) *CharNames = ParseCharacterNames(*labelLine, fileSize(FileName));

    // The entries with disallowed characters, in order: upper-case, test,
    // ask, remove.  Each is rebuilt in place in one pass; the question's
    // position counts the characters kept before the removed one.
    bool ask = ShowMessages;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!toAsk[i]) continue;
        std::string& seq = entries[i].Sequence;
        char* s = seq.data();
        const std::size_t n = seq.size();
        std::size_t kept = 0;
        if (!ask) {
            kept = filterCharacters(s, n, allowed);
        } else {
            for (std::size_t k = 0; k < n; ++k) {
                const auto c = static_cast<unsigned char>(s[k]);
                s[kept] = allowed.upper[c];
                if (allowed.keep[c]) {
                    ++kept;
                } else if (ask && platform.AskYesNo(disallowedQuestion(i, entries[i].Name, kept + 1, allowed.upper[c]),
                                                    "Warning", MessageType::Warning) != YesNoAnswer::Yes) {
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
                              bool ShowMessages, const std::string& DataType, Platform& platform, FileLayer& files) {
    return readFasta(FileName, DataSet, &CharNames, ShowMessages, DataType, platform, files);
}

FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, bool ShowMessages,
                              const std::string& DataType, Platform& platform, FileLayer& files) {
    return readFasta(FileName, DataSet, nullptr, ShowMessages, DataType, platform, files);
}

}  // namespace sequara
