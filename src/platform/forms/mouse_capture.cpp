#include "mouse_capture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>
#include <cmath>
#include <utility>

namespace forms {

namespace {

// The control a widget's mouse events belong to: the widget itself, or the control it is a
// part of (a list hears the mouse on its viewport). Every control's widget stops the mouse's
// propagation to its container; a window stands for its own surface.
QWidget* controlOf(QWidget* w) {
    while (!w->isWindow() && !w->testAttribute(Qt::WA_NoMousePropagation) && w->parentWidget())
        w = w->parentWidget();
    return w;
}

class MouseWatch : public QObject {
public:
    using QObject::QObject;

    bool SecondOfDoubleClick(const QWidget* control) const {
        return last_.secondOfDouble && last_.control == control;
    }

    void Hold(QWidget* control, Qt::MouseButton button,
              std::function<void(Qt::MouseButtons)> lost) {
        if (holder_.control != control) LoseHolder();
        holder_.control = control;
        holder_.buttons |= button;
        holder_.lost = std::move(lost);
    }

    bool End(const QWidget* control, Qt::MouseButton button) {
        if (!holder_.control || holder_.control != control || !(holder_.buttons & button))
            return false;
        holder_.buttons &= ~button;
        if (!holder_.buttons) holder_ = {};
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (watched->isWidgetType()) {
                QWidget* control = controlOf(static_cast<QWidget*>(watched));
                // While a press is held every button event goes to its control; one that goes
                // elsewhere means another widget has taken the mouse.
                if (holder_.control && holder_.control != control) LoseHolder();
                if (e->type() != QEvent::MouseButtonRelease)
                    NotePress(control, *static_cast<QMouseEvent*>(e));
            }
            break;
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            if (holder_.control && watched == holder_.control->window()) LoseHolder();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Qt's own pairing, made per control: same button, same control, soon and near enough,
    // and a third press starts afresh.
    void NotePress(QWidget* control, const QMouseEvent& e) {
        const QStyleHints* hints = QGuiApplication::styleHints();
        const QPointF moved = e.globalPosition() - last_.at;
        const double near = hints->mouseDoubleClickDistance();
        const bool second =
            e.button() == Qt::LeftButton && last_.button == Qt::LeftButton &&
            last_.control == control && !last_.secondOfDouble &&
            e.timestamp() >= last_.time &&
            e.timestamp() - last_.time < static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
            std::abs(moved.x()) <= near && std::abs(moved.y()) <= near;
        last_ = {control, e.button(), e.timestamp(), e.globalPosition(), second};
    }

    // The holder's press ends now: a release that comes later is not its own. Its handler runs
    // from the event loop, because the loss is seen in the middle of Qt's own bookkeeping (a
    // window being blocked or activated), where opening or closing a window is not safe.
    void LoseHolder() {
        if (!holder_.control) return;
        Holder lost = std::exchange(holder_, {});
        QMetaObject::invokeMethod(
            lost.control.data(), [lost] { lost.lost(lost.buttons); }, Qt::QueuedConnection);
    }

    struct Press {
        QPointer<QWidget> control;
        Qt::MouseButton button = Qt::NoButton;
        quint64 time = 0;
        QPointF at;
        bool secondOfDouble = false;
    } last_;

    struct Holder {
        QPointer<QWidget> control;
        Qt::MouseButtons buttons;
        std::function<void(Qt::MouseButtons)> lost;
    } holder_;
};

QPointer<MouseWatch>& watch() {
    static QPointer<MouseWatch> w;
    return w;
}

} // namespace

void WatchMouse() {
    if (watch() || !QCoreApplication::instance()) return;
    watch() = new MouseWatch(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch());
}

bool IsSecondOfDoubleClick(const QWidget* control) {
    return watch() && watch()->SecondOfDoubleClick(control);
}

void HoldPress(QWidget* control, Qt::MouseButton button,
               std::function<void(Qt::MouseButtons held)> lost) {
    if (watch()) watch()->Hold(control, button, std::move(lost));
}

bool EndPress(const QWidget* control, Qt::MouseButton button) {
    // Without the watch nothing can take a press away.
    return !watch() || watch()->End(control, button);
}

} // namespace forms
