#include "editor/writers/WriteError.h"

#include "sequence/FileLayer.h"

namespace sequara {

WriteError WriteError::FromErrno(const std::string& fileName, int error) {
    return WriteError("Could not save " + fileName + ": " + ReplaceErrorText(fileName, error));
}

}  // namespace sequara
