#include "events.h"

#include <exception>

namespace forms {

void Dispatch(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception&) {
        // An untrapped failure ends only the handler it happened in.
    }
}

} // namespace forms
