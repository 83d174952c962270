#pragma once
// Mouse events of controls as the windows' code receives them: MouseDown and MouseUp with the
// button (1 left, 2 right, 4 middle), shift state and position in twips; Click after a release
// of the left button over the control; DblClick on a double press of the left button.
//
// A double-click with the left button gives MouseDown, MouseUp, Click, DblClick, MouseUp: the
// second press is the DblClick alone, with no MouseDown of its own, and its release brings no
// second Click. A label-button's action therefore runs once however fast it is clicked.
#include "events.h"
#include "form_widget.h"
#include "units.h"

#include <QMouseEvent>
#include <functional>

namespace forms {

struct MouseHandlers {
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseUp;
    std::function<void()> Click;
    std::function<void()> DblClick;
};

template <class Base>
class MouseWidget : public Base {
public:
    template <class... Args>
    explicit MouseWidget(MouseHandlers& handlers, Args&&... args)
        : Base(std::forward<Args>(args)...), handlers_(handlers) {}

protected:
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = true;
        raise(handlers_.MouseDown, e, e->button());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool inside = this->rect().contains(e->position().toPoint());
        const bool wasPressed = pressed_;
        pressed_ = false;
        raise(handlers_.MouseUp, e, e->button());
        // The click follows the release, so the release look is set before the action runs.
        const bool left = e->button() == Qt::LeftButton;
        if (wasPressed && inside && left && handlers_.Click) Dispatch(handlers_.Click);
    }
    // Qt delivers the second press of a double-click here instead of to mousePressEvent.
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) {
            mousePressEvent(e);  // only the left button double-clicks; others just press again
            return;
        }
        pressed_ = false;  // so that its release is no click
        if (handlers_.DblClick) Dispatch(handlers_.DblClick);
    }

private:
    void raise(const std::function<void(int, int, double, double)>& h, QMouseEvent* e,
               Qt::MouseButton b) {
        if (!h) return;
        const QPointF p = e->position();
        const int button = ButtonNumber(b), shift = ShiftState(e->modifiers());
        const double x = p.x() * TwipsPerPixelX(), y = p.y() * TwipsPerPixelY();
        Dispatch([&] { h(button, shift, x, y); });
    }

    MouseHandlers& handlers_;
    bool pressed_ = false;
};

} // namespace forms
