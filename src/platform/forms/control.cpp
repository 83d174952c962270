#include "control.h"

#include "form.h"
#include "units.h"

#include <QPalette>

namespace forms {

Control::Control(Form& form, std::string name, Control* container)
    : form_(form), name_(std::move(name)), container_(container) {
    form_.Register(this);
}

Control::~Control() = default;

void Control::Touch() { form_.Load(); }

QWidget* Control::Widget() {
    Touch();
    return widget_;
}

void Control::Create(QWidget* formWidget) {
    if (widget_) return;
    QWidget* parent = formWidget;
    if (container_) {
        container_->Create(formWidget);
        parent = container_->widget_;
    }
    visible_ = true;
    setLeft_ = setTop_ = setWidth_ = setHeight_ = std::nullopt;
    backColor_ = SysButtonFace;
    foreColor_ = SysWindowText;
    opaque_ = true;
    widget_ = CreateWidget(parent);
    if (widget_) {
        // Every control starts in the desktop's classic dialog font until its design says else.
        QFont classic(QStringLiteral("MS Sans Serif"));
        classic.setPointSizeF(8.25);
        widget_->setFont(classic);
        // A press on a control belongs to that control, never to the window behind it.
        widget_->setAttribute(Qt::WA_NoMousePropagation);
        widget_->show();
    }
    ResetState();
}

void Control::Destroy() {
    Released();
    widget_ = nullptr;
}

// The widget holds whole pixels. A value set by code is remembered in twips and read back
// as set for as long as the widget still stands at the pixel that value maps to; once anything
// else has moved the widget, the read gives its pixels in twips.
namespace {
double readBack(const std::optional<double>& set, int pixels, int (*toPixels)(double),
                double (*toTwips)(int)) {
    if (set && toPixels(*set) == pixels) return *set;
    return toTwips(pixels);
}
} // namespace

double Control::Left() {
    auto* w = Widget();
    return w ? readBack(setLeft_, w->x(), TwipsToPixelsX, PixelsToTwipsX) : 0;
}
double Control::Top() {
    auto* w = Widget();
    return w ? readBack(setTop_, w->y(), TwipsToPixelsY, PixelsToTwipsY) : 0;
}
double Control::Width() {
    auto* w = Widget();
    return w ? readBack(setWidth_, w->width(), TwipsToPixelsX, PixelsToTwipsX) : 0;
}
double Control::Height() {
    auto* w = Widget();
    return w ? readBack(setHeight_, w->height(), TwipsToPixelsY, PixelsToTwipsY) : 0;
}
void Control::SetLeft(double twips) {
    if (auto* w = Widget()) {
        w->move(TwipsToPixelsX(twips), w->y());
        setLeft_ = twips;
    }
}
void Control::SetTop(double twips) {
    if (auto* w = Widget()) {
        w->move(w->x(), TwipsToPixelsY(twips));
        setTop_ = twips;
    }
}
void Control::SetWidth(double twips) {
    if (auto* w = Widget()) {
        w->resize(TwipsToPixelsX(twips), w->height());
        setWidth_ = twips;
    }
}
void Control::SetHeight(double twips) {
    if (auto* w = Widget()) {
        w->resize(w->width(), TwipsToPixelsY(twips));
        setHeight_ = twips;
    }
}
void Control::Move(double left, double top, double width, double height) {
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

bool Control::Visible() {
    Touch();
    return visible_;
}
void Control::SetVisible(bool visible) {
    Touch();
    visible_ = visible;
    if (widget_) widget_->setVisible(visible);
}
// The control's own flag: a control inside a disabled frame still reads as it was set.
bool Control::Enabled() {
    auto* w = Widget();
    return w ? !w->testAttribute(Qt::WA_ForceDisabled) : true;
}
void Control::SetEnabled(bool enabled) {
    if (auto* w = Widget()) w->setEnabled(enabled);
}
std::string Control::ToolTipText() {
    auto* w = Widget();
    return w ? w->toolTip().toStdString() : std::string();
}
void Control::SetToolTipText(const std::string& text) {
    if (auto* w = Widget()) w->setToolTip(QString::fromStdString(text));
}

OleColor Control::BackColor() {
    Touch();
    return backColor_;
}
void Control::SetBackColor(OleColor colour) {
    Touch();
    backColor_ = colour;
    ApplyColours();
}
OleColor Control::ForeColor() {
    Touch();
    return foreColor_;
}
void Control::SetForeColor(OleColor colour) {
    Touch();
    foreColor_ = colour;
    ApplyColours();
}
void Control::SetOpaque(bool opaque) {
    Touch();
    opaque_ = opaque;
    ApplyColours();
}

void Control::ApplyColours() {
    if (!widget_) return;
    QPalette p = widget_->palette();
    const QColor back = ToQColor(backColor_);
    const QColor fore = ToQColor(foreColor_);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, back);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, fore);
    widget_->setPalette(p);
    widget_->setAutoFillBackground(opaque_);
}

std::string Control::FontName() {
    auto* w = Widget();
    return w ? w->font().family().toStdString() : std::string();
}
double Control::FontSize() {
    auto* w = Widget();
    return w ? w->font().pointSizeF() : 0;
}
bool Control::FontBold() {
    auto* w = Widget();
    return w && w->font().bold();
}
void Control::SetFont(const std::string& name, double points, bool bold) {
    if (auto* w = Widget()) {
        QFont f(QString::fromStdString(name));
        f.setPointSizeF(points);
        f.setBold(bold);
        w->setFont(f);
    }
}
void Control::SetFontSize(double points) {
    if (auto* w = Widget()) {
        QFont f = w->font();
        f.setPointSizeF(points);
        w->setFont(f);
    }
}
void Control::SetFontBold(bool bold) {
    if (auto* w = Widget()) {
        QFont f = w->font();
        f.setBold(bold);
        w->setFont(f);
    }
}

} // namespace forms
