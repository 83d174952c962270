#pragma once
// Every event reaches its handler through Dispatch, so that no run-time failure ends the
// program: whatever a handler does not trap itself stops at this point.
#include <functional>

namespace forms {

void Dispatch(const std::function<void()>& handler);

} // namespace forms
