#pragma once
// Mouse events of controls as the windows' code receives them: MouseDown and MouseUp with the
// button (1 left, 2 right, 4 middle), shift state and position in twips; Click after a release
// of the left button over the control; DblClick on a double press of the left button.
//
// A double-click with the left button gives MouseDown, MouseUp, Click, DblClick, MouseUp: the
// second press is the DblClick alone, with no MouseDown of its own, and its release brings no
// second Click. A label-button's action therefore runs once however fast it is clicked. Which
// presses pair into a double-click, and when a press ends without its release, is decided in
// mouse_capture.h.
#include "events.h"
#include "form_widget.h"
#include "mouse_capture.h"
#include "units.h"

#include <QGuiApplication>
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
        : Base(std::forward<Args>(args)...), handlers_(handlers) {
        WatchMouse();
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        const Qt::MouseButton button = e->button();
        const bool second = button == Qt::LeftButton && IsSecondOfDoubleClick(this);
        HoldPress(this, button, [this](Qt::MouseButtons held) { LetGo(held); });
        if (button == Qt::LeftButton) clickable_ = !second;  // the second press is no click
        if (second) {
            if (handlers_.DblClick) Dispatch(handlers_.DblClick);
            return;
        }
        raise(handlers_.MouseDown, button, e->modifiers(), e->position());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const Qt::MouseButton button = e->button();
        if (!EndPress(this, button)) return;  // the press ended already, or was not ours
        const bool inside = this->rect().contains(e->position().toPoint());
        raise(handlers_.MouseUp, button, e->modifiers(), e->position());
        // The click follows the release, so the release look is set before the action runs.
        const bool click = button == Qt::LeftButton && std::exchange(clickable_, false);
        if (click && inside && handlers_.Click) Dispatch(handlers_.Click);
    }
    // Qt delivers the second press of what it takes for a double-click here; whether it is one
    // is the run time's decision, made for every press alike.
    void mouseDoubleClickEvent(QMouseEvent* e) override { this->mousePressEvent(e); }

private:
    // The control lost the mouse while pressed: each held button is released where the pointer
    // is now, and no click follows.
    void LetGo(Qt::MouseButtons held) {
        clickable_ = false;
        const QPointF at = this->mapFromGlobal(QPointF(CursorPos()));
        for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held & b) raise(handlers_.MouseUp, b, QGuiApplication::keyboardModifiers(), at);
    }

    void raise(const std::function<void(int, int, double, double)>& h, Qt::MouseButton b,
               Qt::KeyboardModifiers modifiers, QPointF p) {
        if (!h) return;
        const int button = ButtonNumber(b), shift = ShiftState(modifiers);
        const double x = p.x() * TwipsPerPixelX(), y = p.y() * TwipsPerPixelY();
        Dispatch([&] { h(button, shift, x, y); });
    }

    MouseHandlers& handlers_;
    bool clickable_ = false;  // a first left press is held: its release over us is a Click
};

} // namespace forms
