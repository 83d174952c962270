// The keyboard on command buttons: Return on a focused button clicks it, as Space does, and
// Return anywhere else clicks no button.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "support/window_test.h"

#include <QApplication>
#include <QKeyEvent>

#include <string>
#include <vector>

namespace {

class ButtonForm : public forms::Form {
public:
    forms::CommandButton Refresh{*this, "Refresh"};
    forms::CommandButton Cancel{*this, "Cancel"};
    forms::TextBox Name{*this, "Name"};
    forms::ListBox Files{*this, "Files"};

    std::vector<std::string> clicked;

protected:
    void Design() override {
        Refresh.Move(0, 0, 975, 375);
        Cancel.Move(1200, 0, 975, 375);
        Name.Move(0, 600, 2000, 300);
        Files.Move(0, 1200, 2000, 1500);
        Files.AddItem("a.mp3");
        Refresh.Click = [this] { clicked.push_back("Refresh"); };
        Cancel.Click = [this] { clicked.push_back("Cancel"); };
    }
};

// Presses and releases KEY on the widget that has the focus.
void Press(QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QString text = key == Qt::Key_Space ? " " : "\r";
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(focused, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(focused, &release);
}

class CommandButtonTest : public support::WindowTest {};

TEST_F(CommandButtonTest, ReturnClicksTheFocusedButtonOnceAndNoButtonFromOtherControls) {
    auto& f = forms::Default<ButtonForm>();
    using Clicked = std::vector<std::string>;

    Press(f.Cancel.Widget(), Qt::Key_Return);
    EXPECT_EQ(f.clicked, Clicked{"Cancel"});
    Press(f.Refresh.Widget(), Qt::Key_Enter, Qt::KeypadModifier);
    Press(f.Refresh.Widget(), Qt::Key_Space);
    EXPECT_EQ(f.clicked, (Clicked{"Cancel", "Refresh", "Refresh"}));

    f.clicked.clear();
    Press(f.Name.Widget(), Qt::Key_Return);
    Press(f.Files.Widget(), Qt::Key_Return);
    EXPECT_TRUE(f.clicked.empty());
}

} // namespace
