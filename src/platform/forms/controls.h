#pragma once
// The everyday controls: labels, text boxes, check boxes, frames, shapes, images and
// graphical command buttons.
#include "control.h"
#include "mouse_events.h"

#include <QPixmap>
#include <functional>
#include <string>

namespace forms {

enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

class Label : public Control, public MouseHandlers {
public:
    using Control::Control;
    bool Graphical() const override { return true; }
    std::string Caption();
    void SetCaption(const std::string& caption);
    void SetAlignment(int alignment);
    // 0 transparent, 1 opaque.
    void SetBackStyle(int style);
    // 0 none, 1 single line.
    void SetBorderStyle(int style);
    // The label takes the size of its caption.
    void SetAutoSize(bool autoSize);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void FitToCaption();
    bool autoSize_ = false;
};

class TextBox : public Control {
public:
    using Control::Control;
    std::string Text();
    void SetText(const std::string& text);
    // 0 none, 1 fixed single.
    void SetBorderStyle(int style);

    // Runs whenever the text changes, by the user or by code.
    std::function<void()> Change;
    // Each typed character, by its key code; setting the code to 0 drops the key.
    std::function<void(int16_t& keyAscii)> KeyPress;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

class CheckBox : public Control {
public:
    using Control::Control;
    std::string Caption();
    void SetCaption(const std::string& caption);
    // 0 unticked, 1 ticked. Setting a different value runs Click at once, inside the
    // assignment; setting the value it already has runs nothing.
    int Value();
    void SetValue(int value);

    std::function<void()> Click;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyColours() override;
};

class Frame : public Control, public MouseHandlers {
public:
    using Control::Control;
    std::string Caption();
    void SetCaption(const std::string& caption);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyColours() override;
};

// A rectangle outline with a transparent inside; it takes no mouse input.
class Shape : public Control {
public:
    using Control::Control;
    bool Graphical() const override { return true; }
    OleColor BorderColor();
    void SetBorderColor(OleColor colour);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    OleColor border_ = SysWindowText;
};

class Image : public Control, public MouseHandlers {
public:
    using Control::Control;
    bool Graphical() const override { return true; }
    void SetPicture(const QPixmap& picture);
    QPixmap Picture();
    // Stretch: the picture fills the image; otherwise the image takes the picture's size.
    void SetStretch(bool stretch);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    bool stretch_ = false;
};

// A graphical command button: a picture, and a second picture shown while it is held down.
class CommandButton : public Control {
public:
    using Control::Control;
    std::string Caption();
    void SetCaption(const std::string& caption);
    void SetPicture(const QPixmap& picture);
    QPixmap Picture();
    void SetDownPicture(const QPixmap& picture);

    std::function<void()> Click;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void ShowPicture(bool down);
    QPixmap picture_;
    QPixmap downPicture_;
};

} // namespace forms
