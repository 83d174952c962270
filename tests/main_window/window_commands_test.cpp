// The main window's right-click menu, "Minimize" with the taskbar placeholder, and "Close".
#include "main_window/form4.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/form5.h"
#include "windows/form6.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

class WindowCommands : public support::WindowTest {
protected:
    Form4& Shown() {
        Form4& f = support::LoadMainWindow("8640", "12000");
        f.Show();
        return f;
    }
    void Press(QWidget* target, Qt::MouseButton button) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                          button, button, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
};

TEST_F(WindowCommands, TheWatchersFirstTickLoadsThePlaceholderHiddenAndMinimised) {
    Form4& f = Shown();
    EXPECT_FALSE(forms::Default<Form5>().IsLoaded());
    clock.Advance(1);
    Form5& placeholder = forms::Default<Form5>();
    EXPECT_TRUE(placeholder.IsLoaded());
    EXPECT_FALSE(placeholder.Visible());
    EXPECT_EQ(placeholder.WindowState(), forms::vbMinimized);
    EXPECT_EQ(placeholder.Caption(), "Corvessa");
    EXPECT_TRUE(f.Visible());
}

TEST_F(WindowCommands, MinimizeLeavesThePlaceholderAndOnlyAMaximisedPlaceholderBringsTheWindowBack) {
    Form4& f = Shown();
    clock.Advance(5);
    f.Image1_Click();
    Form5& placeholder = forms::Default<Form5>();
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(placeholder.Visible());
    EXPECT_EQ(placeholder.WindowState(), forms::vbMinimized);
    clock.Advance(20);
    EXPECT_FALSE(f.Visible()) << "a minimised placeholder is left alone";

    placeholder.SetWindowState(forms::vbNormal);
    clock.Advance(20);
    EXPECT_FALSE(f.Visible()) << "a placeholder in the normal state is left alone";

    placeholder.SetWindowState(forms::vbMaximized);  // the user restores it from the taskbar
    clock.Advance(1);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(placeholder.Visible());
    EXPECT_EQ(placeholder.WindowState(), forms::vbMinimized);
}

TEST_F(WindowCommands, MinimizeBeforeTheWatchersFirstTickStillEndsMinimised) {
    Form4& f = Shown();
    f.Image1_Click();
    Form5& placeholder = forms::Default<Form5>();
    EXPECT_EQ(placeholder.Caption(), "Corvessa");
    EXPECT_EQ(placeholder.WindowState(), forms::vbMinimized);
    clock.Advance(5);
    EXPECT_FALSE(f.Visible()) << "the watcher must not take the minimised placeholder for a restore";
    EXPECT_TRUE(placeholder.Visible());
}

TEST_F(WindowCommands, ARightPressOnTheWindowPopsTheMenuUpAndNothingElseDoes) {
    Form4& f = Shown();
    Press(f.Widget(), Qt::LeftButton);
    Press(f.Widget(), Qt::MiddleButton);
    Press(f.List1.Widget(), Qt::RightButton);
    Press(f.Label9.Widget(), Qt::RightButton);
    EXPECT_TRUE(popups.popped.empty());

    Press(f.Widget(), Qt::RightButton);
    ASSERT_EQ(popups.popped.size(), 1u);
    Form6& menus = forms::Default<Form6>();
    EXPECT_EQ(popups.popped[0], &menus.mnup);
    EXPECT_EQ(popups.rows[0],
              (std::vector<std::string>{"Default", "-", "About Me", "-", "Exit"}));
    EXPECT_FALSE(menus.Visible()) << "the menu's window stays hidden";
}

TEST_F(WindowCommands, CloseEndsTheProgram) {
    Form4& f = Shown();
    clock.Advance(5);  // the placeholder is loaded; its unload must not run
    EXPECT_THROW(f.Image2_Click(), support::ProgramEnded);
    EXPECT_FALSE(f.IsLoaded());
}

} // namespace
