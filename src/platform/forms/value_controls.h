#pragma once
// Controls that hold a number: the scroll bar (16-bit Min, Max, Value, with a Change that runs
// inside the assignment of a new value), the progress bar and the image list.
#include "control.h"

#include <QPixmap>
#include <functional>
#include <vector>

namespace forms {

class ScrollBar : public Control {
public:
    using Control::Control;
    int16_t Min();
    int16_t Max();
    int16_t Value();
    int16_t SmallChange();
    int16_t LargeChange();
    void SetMin(int16_t v);
    void SetMax(int16_t v);
    // A value outside Min..Max is a run-time error. A different value runs Change at once.
    void SetValue(int16_t v);
    void SetSmallChange(int16_t v);
    void SetLargeChange(int16_t v);

    std::function<void()> Change;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    int16_t min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
};

class ProgressBar : public Control {
public:
    using Control::Control;
    float Min();
    float Max();
    float Value();
    // A Max of 0 (or one not above Min) is refused with a run-time error. A Max below the
    // current Value brings the Value down to it.
    void SetMax(float v);
    // A value outside Min..Max is refused with a run-time error.
    void SetValue(float v);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void Show();
    float min_ = 0, max_ = 100, value_ = 0;
};

// Pictures by 1-based index, for controls that swap pictures.
class ImageList : public Control {
public:
    using Control::Control;
    void Add(const QPixmap& picture);
    QPixmap Picture(int index);
    int Count();

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ResetState() override { pictures_.clear(); }

private:
    std::vector<QPixmap> pictures_;
};

} // namespace forms
