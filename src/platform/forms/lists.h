#pragma once
// List controls: the sorted list box and the drop-down list. The list box holds its items
// itself and brings its view up to date once control returns to the event loop, so that
// thousands of additions in one handler cost no view work each.
#include "control.h"
#include "mouse_events.h"

#include <QStringList>
#include <string>
#include <vector>

namespace forms {

// The name order shared by every sorted list: case-insensitive, and names that differ only
// in case in code-point order, so that any two distinct names have one fixed order.
bool ListOrderLess(const std::string& a, const std::string& b);

class ListBox : public Control, public MouseHandlers {
public:
    using Control::Control;
    void SetSorted(bool sorted);
    // Appends, or with Sorted takes the item's place in name order.
    void AddItem(const std::string& item);
    void Clear();
    int16_t ListCount();
    // -1 when nothing is selected. Selecting outside 0..ListCount-1 is a run-time error.
    int16_t ListIndex();
    void SetListIndex(int index);
    // The item text; an index past the end reads as empty text.
    std::string List(int index);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void ScheduleSync();
    void Sync();
    std::vector<std::string> items_;
    int listIndex_ = -1;
    bool sorted_ = false;
    bool syncPending_ = false;
    bool syncing_ = false;
};

class ComboBox : public Control {
public:
    using Control::Control;
    void AddItem(const std::string& item);
    void Clear();
    int16_t ListCount();
    int16_t ListIndex();
    void SetListIndex(int index);
    std::string Text();

    std::function<void()> Click;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

} // namespace forms
