#include "units.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace forms {

namespace {
double logicalDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}

std::function<QPoint()>& cursorSource() {
    static std::function<QPoint()> source;
    return source;
}
} // namespace

double TwipsPerPixelX() { return 1440.0 / logicalDpi(true); }
double TwipsPerPixelY() { return 1440.0 / logicalDpi(false); }
int TwipsToPixelsX(double twips) { return static_cast<int>(std::nearbyint(twips / TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::nearbyint(twips / TwipsPerPixelY())); }
double PixelsToTwipsX(int pixels) { return pixels * TwipsPerPixelX(); }
double PixelsToTwipsY(int pixels) { return pixels * TwipsPerPixelY(); }

QRect UsableScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QPoint CursorPos() {
    if (cursorSource()) return cursorSource()();
    return QCursor::pos();
}

void SetCursorSource(std::function<QPoint()> source) { cursorSource() = std::move(source); }

} // namespace forms
