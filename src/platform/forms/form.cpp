#include "form.h"

#include "control.h"
#include "events.h"
#include "form_widget.h"
#include "menu.h"
#include "units.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <map>

namespace forms {

namespace detail {
std::map<std::type_index, Form*>& defaultInstances() {
    static std::map<std::type_index, Form*> s;
    return s;
}
Form*& DefaultSlot(std::type_index type) { return defaultInstances()[type]; }
} // namespace detail

namespace {
// The centred windows are all dialogs, which one window manager frames alike.
QMargins& lastCentredFrame() {
    static QMargins frame;
    return frame;
}
} // namespace

void ResetDefaultInstances() {
    auto& s = detail::defaultInstances();
    for (auto& [type, form] : s) {
        delete form;
        form = nullptr;
    }
    s.clear();
}

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}
int ButtonsNumber(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}
int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

FormWidget::FormWidget(Form& form) : form_(form) { setMouseTracking(true); }

void FormWidget::mousePressEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    form_.RaiseMouseDown(ButtonNumber(e->button()), ShiftState(e->modifiers()),
                         p.x() * TwipsPerPixelX(), p.y() * TwipsPerPixelY());
}
void FormWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    form_.RaiseMouseMove(ButtonsNumber(e->buttons()), ShiftState(e->modifiers()),
                         p.x() * TwipsPerPixelX(), p.y() * TwipsPerPixelY());
}
bool FormWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == windowHandle() && e->type() == QEvent::Expose && windowHandle()->isExposed())
        form_.RaiseExposed();
    return QWidget::eventFilter(watched, e);
}

void FormWidget::closeEvent(QCloseEvent* e) {
    // The window decides what a close does; the widget itself never just closes.
    e->ignore();
    form_.RaiseUserClose();
}

Form::Form() = default;

// The controls, members of the window class, are gone by now; only the widgets remain.
Form::~Form() = default;

void Form::Register(Control* control) { controls_.push_back(control); }

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    widget_ = std::make_unique<FormWidget>(*this);
    backColor_ = SysButtonFace;
    for (Control* c : controls_) c->Create(widget_.get());
    Design();
    LayGraphicalControlsBeneath();
    const auto state = widget_->windowState();
    ApplyWindowFlags();
    widget_->setWindowState(state);
    hiddenState_ = state;
    ApplyBackColour();
    Form_Load();
}

void Form::LayGraphicalControlsBeneath() {
    // Per container, bottom to top: the drawn controls go to the bottom in their own order.
    std::vector<QWidget*> containers{widget_.get()};
    for (Control* c : controls_)
        if (c->ExistingWidget() && !c->Graphical()) containers.push_back(c->ExistingWidget());
    for (QWidget* container : containers) {
        std::vector<QWidget*> drawn;
        for (QObject* child : container->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w) continue;
            for (Control* c : controls_)
                if (c->ExistingWidget() == w && c->Graphical()) drawn.push_back(w);
        }
        for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) (*it)->lower();
    }
}

void Form::Unload() {
    if (!loaded_) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel || !loaded_) return;
    loaded_ = false;
    for (Control* c : controls_) c->Destroy();
    // The unload may come from inside one of this window's own events: let Qt delete the
    // widgets once that event has returned.
    FormWidget* old = widget_.release();
    old->hide();
    old->deleteLater();
}

QWidget* Form::Widget() {
    Load();
    return widget_.get();
}

QWidget* Form::ExistingWidget() const { return widget_.get(); }

void Form::Show() {
    Load();
    if (widget_->isVisible()) {
        // Asked for again, a window the user minimised comes back, in front: left minimised it
        // would look as if nothing had happened.
        const auto state = widget_->windowState();
        if (state & Qt::WindowMinimized) widget_->setWindowState(state & ~Qt::WindowMinimized);
        widget_->raise();
        widget_->activateWindow();
        return;
    }
    if (centred_) {
        // The frame last seen round a centred window is the best guess until the window
        // manager has framed this one; the first expose then puts it right.
        widget_->move(CentredFramePlace(widget_->size().grownBy(lastCentredFrame())));
    }
    // A hidden window comes up in the state it had or was given while hidden.
    if (widget_->windowState() != hiddenState_) widget_->setWindowState(hiddenState_);
    widget_->show();
    if (centred_) {
        // The platform window exists now; its first expose comes from the event loop, later.
        centrePending_ = true;
        widget_->windowHandle()->installEventFilter(widget_.get());
    }
}

QPoint Form::CentredFramePlace(QSize frame) {
    const QRect screen = UsableScreenPixels();
    return screen.topLeft() +
           QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

void Form::RaiseExposed() {
    if (!centrePending_ || !widget_) return;
    centrePending_ = false;
    widget_->windowHandle()->removeEventFilter(widget_.get());
    // Under X the outer frame is known only now that the window manager has put it round the
    // window; a centred window stands in the middle with its frame counted.
    const QRect frame = widget_->frameGeometry();
    const QRect client = widget_->geometry();
    lastCentredFrame() = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                                  frame.right() - client.right(), frame.bottom() - client.bottom());
    const QPoint place = CentredFramePlace(frame.size());
    if (frame.topLeft() != place) widget_->move(place);
}

void Form::Hide() {
    Load();
    if (widget_->isVisible()) hiddenState_ = widget_->windowState();
    widget_->hide();
}

bool Form::Visible() {
    Load();
    return widget_->isVisible();
}

std::string Form::Caption() { return Widget()->windowTitle().toStdString(); }
void Form::SetCaption(const std::string& caption) {
    Widget()->setWindowTitle(QString::fromStdString(caption));
}

Qt::WindowStates Form::KnownState() const {
    return widget_->isVisible() ? widget_->windowState() : hiddenState_;
}

int Form::WindowState() {
    Load();
    const auto s = KnownState();
    if (s & Qt::WindowMinimized) return vbMinimized;
    if (s & Qt::WindowMaximized) return vbMaximized;
    return vbNormal;
}

void Form::SetWindowState(int state) {
    QWidget* w = Widget();
    Qt::WindowStates s = Qt::WindowNoState;
    // A maximised window that is minimised keeps its maximised flag, so that restoring it
    // from the taskbar brings it back maximised.
    if (state == vbMinimized) s = (KnownState() & Qt::WindowMaximized) | Qt::WindowMinimized;
    if (state == vbMaximized) s = Qt::WindowMaximized;
    if (!w->isVisible()) hiddenState_ = s;
    w->setWindowState(s);
}

bool Form::IsMaximised() {
    Load();
    const auto s = KnownState();
    return (s & Qt::WindowMaximized) && !(s & Qt::WindowMinimized);
}

double Form::Left() { return PixelsToTwipsX(Widget()->frameGeometry().x()); }
double Form::Top() { return PixelsToTwipsY(Widget()->frameGeometry().y()); }

// A maximised window's outer size is the usable screen. Read from there, not from the widget,
// because on X11 the window manager maximises a window some time after it is asked to.
double Form::Width() {
    if (IsMaximised()) return PixelsToTwipsX(UsableScreenPixels().width());
    return PixelsToTwipsX(Widget()->frameGeometry().width());
}
double Form::Height() {
    if (IsMaximised()) return PixelsToTwipsY(UsableScreenPixels().height());
    return PixelsToTwipsY(Widget()->frameGeometry().height());
}
void Form::SetWidth(double twips) {
    QWidget* w = Widget();
    const int frameExtra = w->frameGeometry().width() - w->width();
    w->resize(std::max(1, TwipsToPixelsX(twips) - frameExtra), w->height());
}
void Form::SetHeight(double twips) {
    QWidget* w = Widget();
    const int frameExtra = w->frameGeometry().height() - w->height();
    w->resize(w->width(), std::max(1, TwipsToPixelsY(twips) - frameExtra));
}

OleColor Form::BackColor() {
    Load();
    return backColor_;
}
void Form::SetBackColor(OleColor colour) {
    Load();
    backColor_ = colour;
    ApplyBackColour();
}
void Form::ApplyBackColour() {
    if (!widget_) return;
    QPalette p = widget_->palette();
    p.setColor(QPalette::Window, ToQColor(backColor_));
    widget_->setPalette(p);
    widget_->setAutoFillBackground(true);
}

void Form::SetEllipticRegion(int left, int top, int right, int bottom) {
    QWidget* w = Widget();
    if (right <= left || bottom <= top) {
        w->clearMask();
        return;
    }
    w->setMask(QRegion(left, top, right - left, bottom - top, QRegion::Ellipse));
}

void Form::SetBorderless(bool b) { borderless_ = b; }
void Form::SetFixedDialog(bool f) { fixedDialog_ = f; }
void Form::SetShowInTaskbar(bool s) { showInTaskbar_ = s; }
void Form::SetStartCentred(bool c) { centred_ = c; }
void Form::SetDesignWindowState(int state) { SetWindowState(state); }
void Form::SetClientSize(double w, double h) {
    Widget()->resize(TwipsToPixelsX(w), TwipsToPixelsY(h));
}

void Form::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    if (borderless_) flags |= Qt::FramelessWindowHint;
    if (fixedDialog_)
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    // Windows left out of the taskbar, dialogs among them, are tool windows to the window
    // manager; the hints for the border and the title bar stay.
    if (!showInTaskbar_) flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
    widget_->setWindowFlags(flags);
    if (fixedDialog_) widget_->setFixedSize(widget_->size());
}

void Form::RaiseMouseDown(int button, int shift, double x, double y) {
    Dispatch([&] { Form_MouseDown(button, shift, x, y); });
}
void Form::RaiseMouseMove(int button, int shift, double x, double y) {
    Dispatch([&] { Form_MouseMove(button, shift, x, y); });
}
void Form::RaiseUserClose() {
    Dispatch([&] { Form_CloseRequest(); });
}

void Form::PopupMenu(Menu& menu) { ShowPopup(*this, menu); }

} // namespace forms
