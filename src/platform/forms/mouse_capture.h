#pragma once
// Who has the mouse. Two things about presses are decided here, for every control that hears
// the mouse buttons (labels, images, frames, the list), rather than left to Qt:
//
// - A second left press is a double-click only on the control that took the first one, within
//   the double-click time and distance, and only when the first was not itself the second of a
//   double-click. Qt pairs presses by time and distance alone, whatever the widget, so a click
//   on a label-button right after one on its neighbour would reach the neighbour as the second
//   half of a double-click, and its action would not run.
// - A press belongs to the control that took it until its release. When the control loses the
//   mouse first (a modal window opens over its window, its window is deactivated or hidden, or
//   the buttons' events go to another widget), the press ends there as a release does, and the
//   real release, if it comes later, is no longer the control's. Otherwise a control that
//   follows the mouse while pressed (the volume knob) would go on following it with no button
//   held: Qt drops the release that a blocked window never sees.
#include <Qt>
#include <functional>

class QWidget;

namespace forms {

// Starts watching the application's mouse and window events, once; every control that hears
// the mouse buttons calls it when its widget is made.
void WatchMouse();

// True when the left press now being delivered to `control` is the second of a double-click.
bool IsSecondOfDoubleClick(const QWidget* control);

// `control` takes a press of `button` and holds it until EndPress. If it loses the mouse before
// that, `lost` runs once, from the event loop, with the buttons it held.
void HoldPress(QWidget* control, Qt::MouseButton button,
               std::function<void(Qt::MouseButtons held)> lost);

// `control` hears the release of `button`: true when it still held that press.
bool EndPress(const QWidget* control, Qt::MouseButton button);

} // namespace forms
