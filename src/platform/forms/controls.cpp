#include "controls.h"

#include "form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace forms {

// ---- Label ----------------------------------------------------------------------------------

// Each captioned widget carries its control's name, so that a look at the widgets (a style
// sheet, a test, an accessibility tool) can tell which control it is.
static void nameAfter(QWidget* w, const Control& c) {
    w->setObjectName(QString::fromStdString(c.Name()));
}

QWidget* Label::CreateWidget(QWidget* parent) {
    auto* w = new MouseWidget<QLabel>(*this, parent);
    nameAfter(w, *this);
    w->setWordWrap(true);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // a caption starts at the label's top
    return w;
}
void Label::ResetState() { autoSize_ = false; }

static QLabel* asLabel(QWidget* w) { return static_cast<QLabel*>(w); }

std::string Label::Caption() { return asLabel(Widget())->text().toStdString(); }
void Label::SetCaption(const std::string& caption) {
    asLabel(Widget())->setText(QString::fromStdString(caption));
    if (autoSize_) FitToCaption();
}
void Label::SetAlignment(int a) {
    const Qt::Alignment h = a == AlignRight ? Qt::AlignRight : a == AlignCenter ? Qt::AlignHCenter
                                                                                : Qt::AlignLeft;
    asLabel(Widget())->setAlignment(h | Qt::AlignTop);
}
void Label::SetBackStyle(int style) { SetOpaque(style != 0); }
void Label::SetBorderStyle(int style) {
    asLabel(Widget())->setFrameStyle(style ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
}
void Label::SetAutoSize(bool autoSize) {
    Touch();
    autoSize_ = autoSize;
    if (autoSize_) FitToCaption();
}
void Label::FitToCaption() {
    QLabel* l = asLabel(Widget());
    l->setWordWrap(false);
    l->resize(l->sizeHint());
}

// ---- TextBox --------------------------------------------------------------------------------

namespace {
class LineEdit : public QLineEdit {
public:
    LineEdit(TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const QString text = e->text();
        // The Delete key comes with the text DEL (127) from X11; it edits, it types nothing.
        const bool isCharacter = !text.isEmpty() && text.at(0) != QChar(0x7f) &&
                                 !(e->modifiers() & Qt::ControlModifier);
        if (!isCharacter || !box_.KeyPress) {
            QLineEdit::keyPressEvent(e);
            return;
        }
        int16_t key = static_cast<int16_t>(text.at(0).unicode());
        const int16_t typed = key;
        Dispatch([&] { box_.KeyPress(key); });
        if (key == 0) return; // dropped
        if (key == typed) {
            QLineEdit::keyPressEvent(e);
            return;
        }
        QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(QChar(key)));
        QLineEdit::keyPressEvent(&changed);
    }

private:
    TextBox& box_;
};
} // namespace

QWidget* TextBox::CreateWidget(QWidget* parent) {
    auto* w = new LineEdit(*this, parent);
    QObject::connect(w, &QLineEdit::textChanged, [this] {
        if (Change) Dispatch(Change);
    });
    return w;
}
std::string TextBox::Text() { return static_cast<QLineEdit*>(Widget())->text().toStdString(); }
void TextBox::SetText(const std::string& text) {
    auto* edit = static_cast<QLineEdit*>(Widget());
    edit->setText(QString::fromStdString(text));
    // Qt leaves the caret after the last character, which scrolls a long text to its end; a
    // text the program puts in a box shows from its first character, so a long name reads from
    // its start.
    edit->setCursorPosition(0);
}
void TextBox::SetBorderStyle(int style) { static_cast<QLineEdit*>(Widget())->setFrame(style != 0); }

// ---- CheckBox -------------------------------------------------------------------------------

QWidget* CheckBox::CreateWidget(QWidget* parent) {
    auto* w = new QCheckBox(parent);
    nameAfter(w, *this);
    // Only a user's click arrives here; values set by code run Click from SetValue.
    QObject::connect(w, &QCheckBox::clicked, [this] {
        if (Click) Dispatch(Click);
    });
    return w;
}
std::string CheckBox::Caption() { return static_cast<QCheckBox*>(Widget())->text().toStdString(); }
void CheckBox::SetCaption(const std::string& caption) {
    static_cast<QCheckBox*>(Widget())->setText(QString::fromStdString(caption));
}
int CheckBox::Value() { return static_cast<QCheckBox*>(Widget())->isChecked() ? 1 : 0; }
void CheckBox::SetValue(int value) {
    auto* box = static_cast<QCheckBox*>(Widget());
    const bool ticked = value != 0;
    if (box->isChecked() == ticked) return;
    box->setChecked(ticked);
    // Inside the assignment: a handler that sets the value again nests, as callers expect.
    if (Click) Click();
}

void CheckBox::ApplyColours() {
    Control::ApplyColours();
    // The colours are the caption's and its background's; the tick box stays white with a
    // black tick, as on the classic desktop.
    if (QWidget* w = ExistingWidget()) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        w->setPalette(p);
    }
}

// ---- Frame ----------------------------------------------------------------------------------

QWidget* Frame::CreateWidget(QWidget* parent) {
    auto* w = new MouseWidget<QGroupBox>(*this, parent);
    nameAfter(w, *this);
    return w;
}
std::string Frame::Caption() { return static_cast<QGroupBox*>(Widget())->title().toStdString(); }
void Frame::SetCaption(const std::string& caption) {
    static_cast<QGroupBox*>(Widget())->setTitle(QString::fromStdString(caption));
}
void Frame::ApplyColours() {
    Control::ApplyColours();
    // Group boxes draw their own panel; a style sheet makes them take the held colours. The
    // colour fills the title's band above the border too, and the title's own box breaks the
    // border line, so the whole title stands on the frame's colour whatever the window's is.
    if (auto* w = ExistingWidget()) {
        const QColor back = ToQColor(BackColor());
        const QColor fore = ToQColor(ForeColor());
        w->setStyleSheet(QString("QGroupBox { background-color: %1; background-clip: margin; "
                                 "color: %2; border: 1px solid gray; margin-top: 0.5em; } "
                                 "QGroupBox::title { color: %2; background-color: %1; "
                                 "subcontrol-origin: margin; left: 6px; }")
                             .arg(back.name(), fore.name()));
    }
}

// ---- Shape ----------------------------------------------------------------------------------

namespace {
class ShapeWidget : public QWidget {
public:
    ShapeWidget(const OleColor& border, QWidget* parent) : QWidget(parent), border_(border) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(ToQColor(border_));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    const OleColor& border_;
};
} // namespace

QWidget* Shape::CreateWidget(QWidget* parent) { return new ShapeWidget(border_, parent); }
void Shape::ResetState() {
    border_ = SysWindowText;
    SetOpaque(false);
}
OleColor Shape::BorderColor() {
    Touch();
    return border_;
}
void Shape::SetBorderColor(OleColor colour) {
    Touch();
    border_ = colour;
    if (auto* w = ExistingWidget()) w->update();
}

// ---- Image ----------------------------------------------------------------------------------

QWidget* Image::CreateWidget(QWidget* parent) { return new MouseWidget<QLabel>(*this, parent); }
void Image::ResetState() {
    stretch_ = false;
    SetOpaque(false);
}
void Image::SetPicture(const QPixmap& picture) {
    QLabel* l = asLabel(Widget());
    l->setPixmap(picture);
    l->setScaledContents(stretch_);
    if (!stretch_ && !picture.isNull()) l->resize(picture.size());
}
QPixmap Image::Picture() { return asLabel(Widget())->pixmap(); }
void Image::SetStretch(bool stretch) {
    Touch();
    stretch_ = stretch;
    asLabel(Widget())->setScaledContents(stretch);
}

// ---- CommandButton --------------------------------------------------------------------------

namespace {
// Return or Enter on a focused button clicks it, once a press, as Space does; Qt leaves these
// keys to dialogs' default buttons, and no button here is a default button that Return clicks
// from another control.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool isReturn = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (!isReturn || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            QPushButton::keyPressEvent(e);
            return;
        }
        if (!e->isAutoRepeat()) click();
    }
};
} // namespace

QWidget* CommandButton::CreateWidget(QWidget* parent) {
    auto* b = new PushButton(parent);
    nameAfter(b, *this);
    b->setFlat(false);
    QObject::connect(b, &QPushButton::pressed, [this] { ShowPicture(true); });
    QObject::connect(b, &QPushButton::released, [this] { ShowPicture(false); });
    QObject::connect(b, &QPushButton::clicked, [this] {
        if (Click) Dispatch(Click);
    });
    return b;
}
void CommandButton::ResetState() {
    picture_ = QPixmap();
    downPicture_ = QPixmap();
}
std::string CommandButton::Caption() {
    return static_cast<QPushButton*>(Widget())->text().toStdString();
}
void CommandButton::SetCaption(const std::string& caption) {
    static_cast<QPushButton*>(Widget())->setText(QString::fromStdString(caption));
}
void CommandButton::SetPicture(const QPixmap& picture) {
    Touch();
    picture_ = picture;
    ShowPicture(false);
}
QPixmap CommandButton::Picture() {
    Touch();
    return picture_;
}
void CommandButton::SetDownPicture(const QPixmap& picture) {
    Touch();
    downPicture_ = picture;
}
void CommandButton::ShowPicture(bool down) {
    auto* b = static_cast<QPushButton*>(ExistingWidget());
    if (!b) return;
    const QPixmap& p = down && !downPicture_.isNull() ? downPicture_ : picture_;
    b->setIcon(QIcon(p));
    b->setIconSize(p.size());
}

} // namespace forms
