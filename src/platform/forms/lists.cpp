#include "lists.h"

#include "runtime_error.h"

#include <QComboBox>
#include <QListWidget>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QString>
#include <algorithm>

namespace forms {

bool ListOrderLess(const std::string& a, const std::string& b) {
    const QString qa = QString::fromStdString(a), qb = QString::fromStdString(b);
    const int folded = QString::compare(qa, qb, Qt::CaseInsensitive);
    if (folded != 0) return folded < 0;
    return a < b;
}

static void invalidValue() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
}

// ---- ListBox --------------------------------------------------------------------------------

namespace {
// The user's press and release must still select the item under the pointer, as in any list;
// the window's handlers hear them as well. The double press is the handlers' alone, so that
// DblClick runs once.
class ListWidget : public MouseWidget<QListWidget> {
public:
    using MouseWidget<QListWidget>::MouseWidget;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        QListWidget::mousePressEvent(e);
        e->accept(); // the list's press never reaches the window underneath
        MouseWidget::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QListWidget::mouseReleaseEvent(e);
        e->accept();
        MouseWidget::mouseReleaseEvent(e);
    }
    // Qt makes the first row current when a list with no current row gets the focus, as it does
    // when the window manager gives the window back its focus; the playlist would then read as
    // if the user had picked its first song. Only a click, a key or the program selects here.
    void focusInEvent(QFocusEvent* e) override {
        const int before = currentRow();
        const QSignalBlocker quiet(this);
        QListWidget::focusInEvent(e);
        if (currentRow() != before) setCurrentRow(before);
    }
};
} // namespace

QWidget* ListBox::CreateWidget(QWidget* parent) {
    auto* w = new ListWidget(*this, parent);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(w, &QListWidget::currentRowChanged, [this](int row) {
        if (!syncing_ && !syncPending_) listIndex_ = row;
    });
    return w;
}

void ListBox::ResetState() {
    items_.clear();
    listIndex_ = -1;
    sorted_ = false;
    syncPending_ = false;
}

void ListBox::SetSorted(bool sorted) {
    Touch();
    sorted_ = sorted;
}

void ListBox::AddItem(const std::string& item) {
    Touch();
    if (items_.size() >= 32767) throw RuntimeError(ErrorNumber::Overflow, "Out of list space");
    auto at = items_.end();
    if (sorted_) at = std::upper_bound(items_.begin(), items_.end(), item, ListOrderLess);
    const auto pos = at - items_.begin();
    items_.insert(at, item);
    if (listIndex_ >= pos) ++listIndex_;
    ScheduleSync();
}

void ListBox::Clear() {
    Touch();
    items_.clear();
    listIndex_ = -1;
    ScheduleSync();
}

int16_t ListBox::ListCount() {
    Touch();
    return static_cast<int16_t>(items_.size());
}

int16_t ListBox::ListIndex() {
    Touch();
    return static_cast<int16_t>(listIndex_);
}

void ListBox::SetListIndex(int index) {
    Touch();
    if (index < -1 || index >= static_cast<int>(items_.size())) invalidValue();
    listIndex_ = index;
    ScheduleSync();
}

std::string ListBox::List(int index) {
    Touch();
    if (index < -1) invalidValue();
    if (index < 0 || index >= static_cast<int>(items_.size())) return {};
    return items_[index];
}

void ListBox::ScheduleSync() {
    if (syncPending_ || !ExistingWidget()) return;
    syncPending_ = true;
    QMetaObject::invokeMethod(ExistingWidget(), [this] { Sync(); }, Qt::QueuedConnection);
}

void ListBox::Sync() {
    syncPending_ = false;
    auto* w = static_cast<QListWidget*>(ExistingWidget());
    if (!w) return;
    syncing_ = true;
    QStringList texts;
    texts.reserve(static_cast<int>(items_.size()));
    for (const auto& s : items_) texts << QString::fromStdString(s);
    bool same = w->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i) same = w->item(i)->text() == texts[i];
    if (!same) {
        w->clear();
        w->addItems(texts);
    }
    w->setCurrentRow(listIndex_);
    syncing_ = false;
}

// ---- ComboBox -------------------------------------------------------------------------------

QWidget* ComboBox::CreateWidget(QWidget* parent) {
    auto* w = new QComboBox(parent);
    w->setEditable(false);
    QObject::connect(w, &QComboBox::activated, [this] {
        if (Click) Dispatch(Click);
    });
    return w;
}
static QComboBox* asCombo(QWidget* w) { return static_cast<QComboBox*>(w); }
void ComboBox::AddItem(const std::string& item) {
    asCombo(Widget())->addItem(QString::fromStdString(item));
}
void ComboBox::Clear() { asCombo(Widget())->clear(); }
int16_t ComboBox::ListCount() { return static_cast<int16_t>(asCombo(Widget())->count()); }
int16_t ComboBox::ListIndex() { return static_cast<int16_t>(asCombo(Widget())->currentIndex()); }
void ComboBox::SetListIndex(int index) {
    QComboBox* c = asCombo(Widget());
    if (index < -1 || index >= c->count()) invalidValue();
    c->setCurrentIndex(index);
}
std::string ComboBox::Text() { return asCombo(Widget())->currentText().toStdString(); }

} // namespace forms
