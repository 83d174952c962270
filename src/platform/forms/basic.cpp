#include "basic.h"

#include "runtime_error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace forms {

namespace {
double roundHalfEven(double value) {
    // nearbyint honours the default rounding mode, which is to nearest, ties to even.
    return std::nearbyint(value);
}
} // namespace

int16_t CInt(double value) {
    if (!std::isfinite(value)) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    const double r = roundHalfEven(value);
    if (r < -32768.0 || r > 32767.0) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    return static_cast<int16_t>(r);
}

int32_t CLng(double value) {
    if (!std::isfinite(value)) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    const double r = roundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<int32_t>::max()))
        throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    return static_cast<int32_t>(r);
}

double CDbl(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    const auto mismatch = [] {
        return forms::RuntimeError(forms::ErrorNumber::TypeMismatch, "Type mismatch");
    };
    if (first == std::string::npos) throw mismatch();
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    double value = 0;
    // from_chars reads the C locale's digits whatever locale the toolkit has set.
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) throw mismatch();
    return value;
}

double Fix(double value) { return std::trunc(value); }

double LeadingDigitsValue(const std::string& text) {
    double v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    return v;
}

int BinaryCompare(const std::string& a, const std::string& b) {
    const int c = a.compare(b); // std::string compares as unsigned char, byte by byte
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string SingleToText(float value) {
    char buf[64];
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15f)
        std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(value));
    else
        std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return buf;
}

bool TryStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void SkipFailingSteps(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) TryStep(step);
}

} // namespace forms
