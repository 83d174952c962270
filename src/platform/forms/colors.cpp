#include "colors.h"

#include <array>

namespace forms {

namespace {
// The classic desktop scheme, indexed by the low byte of a system colour reference.
constexpr std::array<OleColor, 25> kSystemColours = {
    RGB(212, 208, 200), // 0 scroll bars
    RGB(58, 110, 165),  // 1 desktop
    RGB(10, 36, 106),   // 2 active title bar
    RGB(128, 128, 128), // 3 inactive title bar
    RGB(212, 208, 200), // 4 menu bar
    RGB(255, 255, 255), // 5 window background
    RGB(0, 0, 0),       // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(255, 255, 255), // 9 active title bar text
    RGB(212, 208, 200), // 10 active border
    RGB(212, 208, 200), // 11 inactive border
    RGB(128, 128, 128), // 12 application workspace
    RGB(10, 36, 106),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(212, 208, 200), // 15 button face
    RGB(128, 128, 128), // 16 button shadow
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(212, 208, 200), // 19 inactive title bar text
    RGB(255, 255, 255), // 20 button highlight
    RGB(64, 64, 64),    // 21 3-D dark shadow
    RGB(212, 208, 200), // 22 3-D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
};
} // namespace

QColor ToQColor(OleColor colour) {
    if (colour & 0x80000000u) {
        const auto index = colour & 0xFFu;
        colour = index < kSystemColours.size() ? kSystemColours[index] : 0;
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace forms
