#pragma once
// The windows name the classic desktop fonts, which Debian does not have. Each has a free stand-in
// here, chosen so that a caption takes about the room it took on the classic desktop: what fitted
// its control there fits here.

namespace forms {

// Call once the application object exists, before the first window loads.
void UseStandInFonts();

} // namespace forms
