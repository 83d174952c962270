#pragma once
// Screen units: positions and sizes are twips (1/1440 inch) in the windows' code and whole
// pixels in the widgets. The screen's logical DPI gives the twips per pixel (15 at 96 DPI).
#include <QPoint>
#include <QRect>
#include <functional>

namespace forms {

double TwipsPerPixelX();
double TwipsPerPixelY();
// Twips to whole pixels: nearest, an exact half to the even neighbour.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

// The usable area of the primary screen (all of it but panels and docks), in pixels.
QRect UsableScreenPixels();

// The cursor's position on the screen in pixels. Tests install their own source.
QPoint CursorPos();
void SetCursorSource(std::function<QPoint()> source);

} // namespace forms
