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
    backColor_ = SysButtonFace;
    foreColor_ = SysWindowText;
    opaque_ = true;
    widget_ = CreateWidget(parent);
    if (widget_) {
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

double Control::Left() {
    auto* w = Widget();
    return w ? PixelsToTwipsX(w->x()) : 0;
}
double Control::Top() {
    auto* w = Widget();
    return w ? PixelsToTwipsY(w->y()) : 0;
}
double Control::Width() {
    auto* w = Widget();
    return w ? PixelsToTwipsX(w->width()) : 0;
}
double Control::Height() {
    auto* w = Widget();
    return w ? PixelsToTwipsY(w->height()) : 0;
}
void Control::SetLeft(double twips) {
    if (auto* w = Widget()) w->move(TwipsToPixelsX(twips), w->y());
}
void Control::SetTop(double twips) {
    if (auto* w = Widget()) w->move(w->x(), TwipsToPixelsY(twips));
}
void Control::SetWidth(double twips) {
    if (auto* w = Widget()) w->resize(TwipsToPixelsX(twips), w->height());
}
void Control::SetHeight(double twips) {
    if (auto* w = Widget()) w->resize(w->width(), TwipsToPixelsY(twips));
}
void Control::Move(double left, double top, double width, double height) {
    if (auto* w = Widget())
        w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                       TwipsToPixelsY(height));
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
bool Control::Enabled() {
    auto* w = Widget();
    return w ? w->isEnabled() : true;
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
