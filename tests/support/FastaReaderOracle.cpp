#include "tests/support/FastaReaderOracle.h"

#include "sequence/CharacterRules.h"
#include "sequence/FileLayer.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

namespace sequara::oracle {

namespace {

// One character at a time: a line feed ends a line, a carriage return just
// before it belongs to the line end, and one anywhere else is dropped.
class GetcLineReader {
public:
    ~GetcLineReader() { close(); }
    bool open(const std::string& name) {
        close();
        failed_ = false;
        struct stat st {};
        if (::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
        file_ = std::fopen(name.c_str(), "rb");
        return file_ != nullptr;
    }
    bool next(std::string& line) {
        line.clear();
        if (!file_) return false;
        bool any = false;
        for (;;) {
            const int c = std::getc(file_);
            if (c == EOF) {
                if (std::ferror(file_)) failed_ = true;
                return any;
            }
            any = true;
            if (c == '\n') return true;
            if (c == '\r') continue;
            line.push_back(static_cast<char>(c));
        }
    }
    bool close() {
        if (!file_) return false;
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }
    bool failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

struct CopyError : std::runtime_error {
    CopyError(std::string file, bool source) : std::runtime_error(file), FileName(std::move(file)), IsSource(source) {}
    std::string FileName;
    bool IsSource;
};

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::size_t fileSize(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
}

// Copies the file without its empty lines, each line ending with CR LF, and
// names the copy; a copy that would be the file itself is not made.  The
// copy is a new temporary file renamed over the name once written.
void ConvertLineBreaks(std::string& FileName, Platform& platform) {
    if (sameFile(FileName, kInterimFileName)) {
        platform.ProcessMessages();
        return;
    }
    GetcLineReader in;
    if (!in.open(FileName)) throw CopyError(FileName, true);
    FileLayer& files = DefaultFileLayer();
    RemoveTemporariesOf(files, kInterimFileName);
    PreparedReplacement copy;
    int fd = -1;
    if (BeginReplacement(files, kInterimFileName, ReplaceThrough::None, copy, fd) != 0)
        throw CopyError(kInterimFileName, false);
    int error = 0;
    std::string line;
    while (error == 0 && in.next(line)) {
        if (line.empty()) continue;
        line += "\r\n";
        error = WriteAll(files, fd, line.data(), line.size());
    }
    // What was read is put in place even when the reading then failed.
    const bool readFailed = in.failed();
    in.close();
    const bool placed = EndReplacement(files, copy, fd, error, false) == 0 && CompleteReplacement(files, copy) == 0;
    if (readFailed) throw CopyError(FileName, true);
    if (!placed) throw CopyError(kInterimFileName, false);
    platform.ProcessMessages();
    FileName = kInterimFileName;
}

}  // namespace

FastaReadResult ReadFastaFileStepByStep(const std::string& FileName, TFastaDataSet& DataSet,
                                        TCharacterName* CharNames, bool ShowMessages, const std::string& DataType,
                                        Platform& platform) {
    // Anything but a plain file is refused by name before it is opened.
    if (const std::string kind = NonPlainFileKind(FileName); !kind.empty()) {
        if (ShowMessages) platform.ShowMessage("Cannot read " + FileName + ": it is " + kind + ", not a plain file.");
        DataSet.clear();
        DataSet.shrink_to_fit();
        return FastaReadResult::Failed;
    }
    std::string name = FileName;
    bool failed = false;
    GetcLineReader reader;
    try {
        std::string copy = name;
        ConvertLineBreaks(copy, platform);
        name = copy;
        if (!reader.open(name)) throw CopyError(name, false);
    } catch (const CopyError& e) {
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
    std::optional<std::string> labelLine;
    if (!failed) {
        std::string line;
        while (!failed && reader.next(line)) {
            if (line.empty() || line[0] == '#') continue;
            if (line[0] == '>') {
                TFastaSequence entry;
                entry.Name = line.substr(1);
                for (char& c : entry.Name)
                    if (c == ';' || c == '\t') c = ',';
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
    if (labelLine) *CharNames = ParseCharacterNames(*labelLine, fileSize(FileName));

    if (!reader.close() && ShowMessages)
        platform.ShowMessage("An Error occured while trying to close the specified Fasta-File: " + name);

    // Every character upper-cased and tested once; a removed character
    // shifts the rest, so positions count the characters kept before it.
    bool ask = ShowMessages;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string& seq = entries[i].Sequence;
        std::size_t p = 0;
        while (p < seq.size()) {
            const char c = UpperAscii(seq[p]);
            seq[p] = c;
            if (IsAllowedCharacter(c, DataType)) {
                ++p;
                continue;
            }
            if (ask) {
                const std::string text = "Disallowed character state found in sequence " + std::to_string(i) +
                                         " (" + entries[i].Name.substr(0, 20) + ")" + " at position " +
                                         std::to_string(p + 1) + " (" + std::string(1, c) + "). " +
                                         " It would be ignored in further analyses. Do you want to continue?";
                if (platform.AskYesNo(text, "Warning", MessageType::Warning) != YesNoAnswer::Yes) {
                    failed = true;
                    ask = false;
                }
            }
            seq.erase(p, 1);
        }
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

}  // namespace sequara::oracle
