#pragma once
// The one error type of the save path: a file that could not be written,
// created, flushed, closed or put in place.  The message names the file and
// the reason and is meant to be shown to the user as it stands.

#include <stdexcept>
#include <string>

namespace sequara {

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // "Could not save <fileName>: <reason>"; reason from an errno value.
    static WriteError FromErrno(const std::string& fileName, int error);
};

}  // namespace sequara
