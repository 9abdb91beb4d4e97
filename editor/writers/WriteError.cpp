#include "editor/writers/WriteError.h"

#include <cstring>

namespace sequara {

WriteError WriteError::FromErrno(const std::string& fileName, int error) {
    return WriteError("Could not save " + fileName + ": " + std::strerror(error));
}

}  // namespace sequara
