#include "core/error.h"

#include <cstring>

namespace tavrix {

Error invalidIntegerError(const std::string& text) {
    return Error("'" + text + "' is not a valid integer value");
}

Error cannotCreateFileError(const std::string& fileName, const std::string& reason) {
    return Error("Cannot create file \"" + fileName + "\". " + reason);
}

Error cannotOpenFileError(const std::string& fileName, const std::string& reason) {
    return Error("Cannot open file \"" + fileName + "\". " + reason);
}

std::string errorReportText(const std::string& text) {
    return !text.empty() && text.back() == '.' ? text : text + ".";
}

std::string systemErrorText(int errorNumber) {
    return std::strerror(errorNumber);
}

}  // namespace tavrix
