#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.  Tests write their files here.

#include <filesystem>
#include <string>

namespace sequara::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Full name of a file in the folder, as text.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Writes bytes exactly as given and returns the file's full name.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& fileName);

// Full name of a file of tests/data.
std::string TestDataFile(const std::string& name);

// The source copy of a file the program ships beside itself (app/defaults/).
inline std::string ShippedDefault(const std::string& name) { return TestDataFile("../../app/defaults/" + name); }

}  // namespace sequara::testing
