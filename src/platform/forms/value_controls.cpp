#include "value_controls.h"

#include "runtime_error.h"

#include <QProgressBar>
#include <QScrollBar>
#include <cmath>

namespace forms {

static void invalidValue() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
}

// ---- ScrollBar ------------------------------------------------------------------------------

QWidget* ScrollBar::CreateWidget(QWidget* parent) {
    auto* w = new QScrollBar(Qt::Horizontal, parent);
    w->setRange(0, 32767);
    QObject::connect(w, &QScrollBar::valueChanged, [this](int v) {
        if (v != value_) SetValue(static_cast<int16_t>(v));
    });
    return w;
}
void ScrollBar::ResetState() {
    min_ = 0;
    max_ = 32767;
    value_ = 0;
    small_ = large_ = 1;
}
int16_t ScrollBar::Min() { Touch(); return min_; }
int16_t ScrollBar::Max() { Touch(); return max_; }
int16_t ScrollBar::Value() { Touch(); return value_; }
int16_t ScrollBar::SmallChange() { Touch(); return small_; }
int16_t ScrollBar::LargeChange() { Touch(); return large_; }
void ScrollBar::SetMin(int16_t v) {
    Touch();
    min_ = v;
    if (auto* w = static_cast<QScrollBar*>(ExistingWidget())) w->setRange(std::min(min_, max_), std::max(min_, max_));
}
void ScrollBar::SetMax(int16_t v) {
    Touch();
    max_ = v;
    if (auto* w = static_cast<QScrollBar*>(ExistingWidget())) w->setRange(std::min(min_, max_), std::max(min_, max_));
}
void ScrollBar::SetValue(int16_t v) {
    Touch();
    if (v < std::min(min_, max_) || v > std::max(min_, max_)) invalidValue();
    if (v == value_) return;
    value_ = v;
    if (auto* w = static_cast<QScrollBar*>(ExistingWidget())) {
        const QSignalBlocker block(w);
        w->setValue(v);
    }
    if (Change) Change();
}
void ScrollBar::SetSmallChange(int16_t v) { Touch(); small_ = v; }
void ScrollBar::SetLargeChange(int16_t v) { Touch(); large_ = v; }

// ---- ProgressBar ----------------------------------------------------------------------------

QWidget* ProgressBar::CreateWidget(QWidget* parent) {
    auto* w = new QProgressBar(parent);
    w->setTextVisible(false);
    return w;
}
void ProgressBar::ResetState() {
    min_ = 0;
    max_ = 100;
    value_ = 0;
    Show();
}
float ProgressBar::Min() { Touch(); return min_; }
float ProgressBar::Max() { Touch(); return max_; }
float ProgressBar::Value() { Touch(); return value_; }
void ProgressBar::SetMax(float v) {
    Touch();
    if (!(v > min_)) invalidValue();
    max_ = v;
    if (value_ > max_) value_ = max_;
    Show();
}
void ProgressBar::SetValue(float v) {
    Touch();
    if (!(v >= min_ && v <= max_)) invalidValue();
    value_ = v;
    Show();
}
void ProgressBar::Show() {
    auto* w = static_cast<QProgressBar*>(ExistingWidget());
    if (!w) return;
    // The widget counts in whole steps; a thousand of them are finer than its pixels.
    w->setRange(0, 1000);
    w->setValue(static_cast<int>(std::lround((value_ - min_) / (max_ - min_) * 1000)));
}

// ---- ImageList ------------------------------------------------------------------------------

void ImageList::Add(const QPixmap& picture) {
    Touch();
    pictures_.push_back(picture);
}
QPixmap ImageList::Picture(int index) {
    Touch();
    if (index < 1 || index > static_cast<int>(pictures_.size()))
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "Index out of bounds");
    return pictures_[index - 1];
}
int ImageList::Count() {
    Touch();
    return static_cast<int>(pictures_.size());
}

} // namespace forms
