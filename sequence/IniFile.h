#pragma once
// The settings file "UserSettings.txt": sections in square brackets, one
// KEY=VALUE line per setting.  Reading keeps only a fixed set of 84
// characters of each section line; headers and keys compare ignoring case;
// the first section and the first key of a name win.  Writing replaces a
// section's lines by position and leaves every other line as it was.

#include "platform/Platform.h"
#include "sequence/WorkingState.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sequara {

struct TIniEntry {
    std::string Name;
    std::string Value;
    bool operator==(const TIniEntry&) const = default;
};

// One section: its name without brackets and its lines in file order.
struct TIniSection {
    std::string SectionName;
    std::vector<TIniEntry> IniEntry;
};

// Raised for file misuse (closing a file that is not open, writing through an
// object that has not opened one) and for write failures.
struct IniFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Raised by GetIntegerIniValue and GetRealIniValue for a value that does not
// convert.
struct IniConversionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// True for the 84 characters a section line keeps on reading.
bool IsIniCharacter(char c);

class TIniFile {
public:
    explicit TIniFile(Platform& platform) : platform_(platform) {}
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // True when the file exists and is open for reading.  A missing file
    // shows "Ini-File: <name> does not exist." when ShowerrorMessages; an
    // error while opening always shows "Exception: <text>".
    bool OpenIniFile(const std::string& FileName, bool ShowerrorMessages);
    // Throws IniFileError when no file is open.
    void CloseIniFile();

    // The first section of that name (header compared ignoring case); empty
    // when absent.  A read error shows "Exception :<text>" and returns what
    // was read before it.  Cost: one pass over the file.
    TIniSection ReadIniSection(const std::string& SectionName);

    // Line n after each header of the section becomes entry n-1, surplus
    // lines become empty, entries without a line are inserted before the
    // next header (or at the end of the file), and a section the file lacks
    // is appended at its end.  Every other line keeps its exact bytes.
    // The file is replaced through a complete temporary file in its folder.
    // Throws IniFileError when no file is open or the file cannot be
    // written; the file is then left as it was.
    void WriteIniSection(const TIniSection& Section);

    static std::string GetStringIniValue(const TIniSection& Section, const std::string& ValueName,
                                         const std::string& DefaultValue);
    static TColor GetColorIniValue(const TIniSection& Section, const std::string& ValueName,
                                   TColor DefaultValue);
    // Throws IniConversionError when the value is not an integer.
    static std::int32_t GetIntegerIniValue(const TIniSection& Section, const std::string& ValueName,
                                           std::int32_t DefaultValue);
    static bool GetBooleanIniValue(const TIniSection& Section, const std::string& ValueName,
                                   bool DefaultValue);
    // The value read with "," as the decimal separator.  Throws
    // IniConversionError when it does not convert.
    static double GetRealIniValue(const TIniSection& Section, const std::string& ValueName,
                                  double DefaultValue);

    enum class FileState { Closed, Reading, Writing };
    FileState State() const { return state_; }

private:
    Platform& platform_;
    std::string fileName_;
    FileState state_ = FileState::Closed;
};

}  // namespace sequara
