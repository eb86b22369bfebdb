#pragma once
// The one exception type of the front end's core. what() is the exact text the user sees
// in the general error report.
#include <stdexcept>
#include <string>

namespace tavrix {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "'abc' is not a valid integer value"
Error invalidIntegerError(const std::string& text);

// "Cannot create file "name". reason"
Error cannotCreateFileError(const std::string& fileName, const std::string& reason);

// "Cannot open file "name". reason"
Error cannotOpenFileError(const std::string& fileName, const std::string& reason);

// The text of the general error report: the error's text with a full stop added when it does
// not end in one.
std::string errorReportText(const std::string& text);

// The system's description of an errno value ("Permission denied").
std::string systemErrorText(int errorNumber);

}  // namespace tavrix
