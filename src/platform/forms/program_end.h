#pragma once
// Ending the program: the process stops at once; no unload handler, timer tick or rest of the
// calling handler runs after it. Tests install a hook that must not return (it throws).

namespace forms {

[[noreturn]] void EndProgram();

using EndHook = void (*)();
void SetEndHook(EndHook hook);

} // namespace forms
