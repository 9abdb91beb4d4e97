#include "sequence/IniFile.h"

#include "sequence/CharacterRules.h"
#include "sequence/FileLayer.h"
#include "sequence/IntegerText.h"
#include "sequence/TextFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace sequara {

namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

// A header of the section: the line's first Length(name)+2 characters are
// "[" + name + "]", ignoring case; the rest of the line does not matter.
bool isHeaderOf(const std::string& line, const std::string& sectionName) {
    const std::string header = "[" + sectionName + "]";
    return line.size() >= header.size() && equalsIgnoringCase(line.substr(0, header.size()), header);
}

TIniEntry filterLine(const std::string& line) {
    TIniEntry entry;
    bool inValue = false;
    for (char c : line) {
        if (c == '=' && !inValue) {
            inValue = true;
            continue;
        }
        if (!IsIniCharacter(c)) continue;
        (inValue ? entry.Value : entry.Name).push_back(c);
    }
    return entry;
}

const TIniEntry* findEntry(const TIniSection& section, const std::string& valueName) {
    const std::string wanted = UpperAscii(valueName);
    for (const auto& entry : section.IniEntry)
        if (UpperAscii(entry.Name) == wanted) return &entry;
    return nullptr;
}

struct ColorName {
    const char* name;
    TColor value;
};

constexpr ColorName kColorNames[] = {
    {"AQUA", 0x00FFFF00},   {"BLACK", 0x00000000},  {"BLUE", 0x00FF0000},   {"DKGRAY", 0x00808080},
    {"FUCHSIA", 0x00FF00FF}, {"GRAY", 0x00808080},  {"GREEN", 0x00008000},  {"LIME", 0x0000FF00},
    {"LTGRAY", 0x00C0C0C0}, {"MAROON", 0x00000080}, {"NAVY", 0x00800000},   {"OLIVE", 0x00008080},
    {"PURPLE", 0x00800080}, {"RED", 0x000000FF},    {"SILVER", 0x00C0C0C0}, {"TEAL", 0x00808000},
    {"WHITE", 0x00FFFFFF},  {"YELLOW", 0x0000FFFF},
};

// One line of the file as stored: its bytes without the line feed (a
// carriage return before it stays in them) and whether a line feed ended it.
struct RawLine {
    std::string bytes;
    bool ended = true;
    // The line as the reader sees it: every carriage return dropped.
    std::string text() const {
        std::string out;
        out.reserve(bytes.size());
        for (char c : bytes)
            if (c != '\r') out.push_back(c);
        return out;
    }
};

std::vector<RawLine> splitRaw(const std::string& content) {
    std::vector<RawLine> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t lf = content.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back({content.substr(start), false});
            break;
        }
        lines.push_back({content.substr(start, lf - start), true});
        start = lf + 1;
    }
    return lines;
}

// Before anything is appended, a last line without a line end gets one.
void endLastLine(std::vector<RawLine>& lines) {
    if (lines.empty() || lines.back().ended) return;
    lines.back().bytes += '\r';
    lines.back().ended = true;
}

RawLine writtenLine(const TIniEntry& entry) { return {entry.Name + "=" + entry.Value + "\r", true}; }

}  // namespace

bool IsIniCharacter(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= '0' && c <= '9') return true;
    if (c >= 'A' && c <= 'Z') return true;
    if (c >= 'a' && c <= 'z') return true;
    switch (c) {
        case ' ': case '%': case '&': case '(': case ')': case '+': case ',': case '-': case '.':
        case '/': case ':': case ';': case '@': case '\\': case '_':
        case 196: case 214: case 220: case 223: case 228: case 246: case 252:
            return true;
        default:
            return false;
    }
}

bool TIniFile::OpenIniFile(const std::string& FileName, bool ShowerrorMessages) {
    state_ = FileState::Closed;
    fileName_ = FileName;
    if (const std::string kind = NonPlainFileKind(FileName); !kind.empty()) {
        if (ShowerrorMessages) platform_.ShowMessage("Ini-File: " + FileName + " is " + kind + ", not a plain file.");
        return false;
    }
    if (!FileExists(FileName)) {
        if (ShowerrorMessages) platform_.ShowMessage("Ini-File: " + FileName + " does not exist.");
        return false;
    }
    std::string refusal;
    std::FILE* probe = OpenPlainFileForReading(FileName, refusal);
    if (!probe) {
        platform_.ShowMessage(refusal.empty() ? "Exception: Cannot open file \"" + FileName + "\". " +
                                                    std::strerror(errno)
                                              : refusal);
        return false;
    }
    std::fclose(probe);
    state_ = FileState::Reading;
    return true;
}

void TIniFile::CloseIniFile() {
    if (state_ == FileState::Closed) throw IniFileError("I/O error: file not open");
    state_ = FileState::Closed;
}

TIniSection TIniFile::ReadIniSection(const std::string& SectionName) {
    TIniSection result;
    result.SectionName = SectionName;
    try {
        if (state_ != FileState::Reading) throw IniFileError("I/O error: file not open for reading");
        TextLineReader reader;
        if (!reader.open(fileName_))
            throw IniFileError(reader.refusal().empty()
                                   ? "Cannot open file \"" + fileName_ + "\". " + std::strerror(errno)
                                   : reader.refusal());
        std::string line;
        bool inSection = false;
        while (reader.next(line)) {
            if (!inSection) {
                inSection = isHeaderOf(line, SectionName);
                continue;
            }
            if (!line.empty() && line[0] == '[') break;
            result.IniEntry.push_back(filterLine(line));
        }
        if (reader.failed()) throw IniFileError("Read error in \"" + fileName_ + "\"");
    } catch (const std::exception& e) {
        platform_.ShowMessage(std::string("Exception :") + e.what());
    }
    return result;
}

void TIniFile::WriteIniSection(const TIniSection& Section) {
    if (state_ == FileState::Closed) throw IniFileError("I/O error: file not open");

    std::string content;
    {
        std::string refusal;
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenPlainFileForReading(fileName_, refusal), &std::fclose);
        if (!in) throw IniFileError(refusal.empty() ? "Cannot open file \"" + fileName_ + "\"" : refusal);
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) content.append(buffer, n);
        if (std::ferror(in.get())) throw IniFileError("Read error in \"" + fileName_ + "\"");
    }
    std::vector<RawLine> lines = splitRaw(content);
    const auto& entries = Section.IniEntry;

    bool found = false;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (!isHeaderOf(lines[i].text(), Section.SectionName)) {
            ++i;
            continue;
        }
        found = true;
        // The section's lines, up to the next line starting with "[", take
        // the entries by position; surplus lines become empty.
        std::size_t n = 0;
        std::size_t j = i + 1;
        for (; j < lines.size(); ++j, ++n) {
            const std::string text = lines[j].text();
            if (!text.empty() && text[0] == '[') break;
            lines[j] = n < entries.size() ? writtenLine(entries[n]) : RawLine{"\r", true};
        }
        // Entries without a line go before the next header or at the end.
        if (n < entries.size()) {
            if (j == lines.size()) endLastLine(lines);
            std::vector<RawLine> missing;
            for (std::size_t k = n; k < entries.size(); ++k) missing.push_back(writtenLine(entries[k]));
            lines.insert(lines.begin() + std::ptrdiff_t(j), missing.begin(), missing.end());
            j += missing.size();
        }
        i = j;
    }
    if (!found) {
        endLastLine(lines);
        lines.push_back({"[" + Section.SectionName + "]\r", true});
        for (const auto& entry : entries) lines.push_back(writtenLine(entry));
    }

    std::string out;
    out.reserve(content.size() + 64 * entries.size());
    for (const auto& line : lines) {
        out += line.bytes;
        if (line.ended) out += '\n';
    }

    // A complete new file replaces the old one, so a failed write (a full
    // disk) leaves the old settings as they were.
    state_ = FileState::Writing;
    if (int error = ReplaceFileContent(DefaultFileLayer(), fileName_, out); error != 0)
        throw IniFileError("Cannot write file \"" + fileName_ + "\". " + ReplaceErrorText(fileName_, error));
}

std::string TIniFile::GetStringIniValue(const TIniSection& Section, const std::string& ValueName,
                                        const std::string& DefaultValue) {
    const TIniEntry* entry = findEntry(Section, ValueName);
    return entry ? entry->Value : DefaultValue;
}

TColor TIniFile::GetColorIniValue(const TIniSection& Section, const std::string& ValueName,
                                  TColor DefaultValue) {
    const TIniEntry* entry = findEntry(Section, ValueName);
    if (!entry) return DefaultValue;
    if (auto number = ParseInteger(entry->Value)) return static_cast<TColor>(*number);
    const std::string name = UpperAscii(entry->Value);
    for (const auto& color : kColorNames)
        if (name == color.name) return color.value;
    return DefaultValue;
}

std::int32_t TIniFile::GetIntegerIniValue(const TIniSection& Section, const std::string& ValueName,
                                          std::int32_t DefaultValue) {
    const TIniEntry* entry = findEntry(Section, ValueName);
    if (!entry) return DefaultValue;
    if (auto number = ParseInteger(entry->Value)) return *number;
    throw IniConversionError("'" + entry->Value + "' is not a valid integer value");
}

bool TIniFile::GetBooleanIniValue(const TIniSection& Section, const std::string& ValueName,
                                  bool DefaultValue) {
    const TIniEntry* entry = findEntry(Section, ValueName);
    if (!entry) return DefaultValue;
    return UpperAscii(entry->Value) == "TRUE";
}

double TIniFile::GetRealIniValue(const TIniSection& Section, const std::string& ValueName,
                                 double DefaultValue) {
    const TIniEntry* entry = findEntry(Section, ValueName);
    if (!entry) return DefaultValue;
    // Digits with "," as the decimal separator, an optional sign and an
    // optional exponent; blanks around the number are allowed.
    std::string text;
    bool valid = true;
    for (char c : entry->Value) {
        if (c == ',') text.push_back('.');
        else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == ' ')
            text.push_back(c);
        else valid = false;
    }
    if (valid) {
        const char* begin = text.c_str();
        char* end = nullptr;
        errno = 0;
        double value = std::strtod(begin, &end);
        while (end && *end == ' ') ++end;
        if (end != begin && end && *end == '\0' && errno == 0 && std::isfinite(value)) return value;
    }
    throw IniConversionError("'" + entry->Value + "' is not a valid floating point value");
}

}  // namespace sequara
