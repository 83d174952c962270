#pragma once
// The one exception type of the run time. Handlers that trap errors catch it; whatever escapes a
// handler is caught where the run time dispatches the event (see events.h).
#include <stdexcept>
#include <string>

namespace forms {

enum class ErrorNumber {
    InvalidProcedureCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileNotFound = 53,
    PathNotFound = 76,
    InvalidPropertyValue = 380,
    DeviceUnavailable = 68,
    AutomationError = 440,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, const std::string& what)
        : std::runtime_error(what), number_(number) {}
    ErrorNumber number() const { return number_; }

private:
    ErrorNumber number_;
};

} // namespace forms
