// The popup menu, the About window and the taskbar placeholder.
#include "main_window/form4.h"
#include "platform/forms/events.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/form3.h"
#include "windows/form5.h"
#include "windows/form6.h"
#include "windows/frm_splash.h"

namespace {

class SecondaryWindowsTest : public support::WindowTest {
protected:
    // What the start-up leaves for the main window's load: a measured screen.
    void MeasuredScreen() {
        support::MeasuredScreen("11520", "15360");
    }
};

TEST_F(SecondaryWindowsTest, PopupHasFiveRowsWithTwoSeparators) {
    Form6& menu = forms::Default<Form6>();
    forms::ShowPopup(forms::Default<Form4>(), menu.mnup);
    ASSERT_EQ(popups.rows.size(), 1u);
    EXPECT_EQ(popups.rows[0],
              (std::vector<std::string>{"Default", "-", "About Me", "-", "Exit"}));
    EXPECT_FALSE(menu.Visible());
}

TEST_F(SecondaryWindowsTest, AboutMeWhileOpenBringsTheSameWindow) {
    Form6& menu = forms::Default<Form6>();
    Form3& about = forms::Default<Form3>();
    forms::Dispatch(menu.mnua.Click);
    ASSERT_TRUE(about.Visible());
    QWidget* first = about.ExistingWidget();
    about.Label1.SetCaption("changed while open");

    forms::Dispatch(menu.mnua.Click);
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.ExistingWidget(), first);
    EXPECT_EQ(about.Label1.Caption(), "changed while open");

    // "OK" unloads it; the next request loads it afresh from its design.
    forms::Dispatch(about.Command1.Click);
    EXPECT_FALSE(about.IsLoaded());
    forms::Dispatch(menu.mnua.Click);
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.Label1.Caption(), "Corvessa");
    EXPECT_EQ(about.Caption(), "About us");
}

TEST_F(SecondaryWindowsTest, DefaultPaintsTheMainWindowDarkRed) {
    MeasuredScreen();
    Form4& main = forms::Default<Form4>();
    main.Show();
    forms::Dispatch(forms::Default<Form6>().default_.Click);
    EXPECT_EQ(main.BackColor(), 0x000080u);
}

TEST_F(SecondaryWindowsTest, ExitEndsTheProgramThroughTheEventDispatch) {
    Form6& menu = forms::Default<Form6>();
    EXPECT_THROW(forms::Dispatch(menu.mnue.Click), support::ProgramEnded);
}

TEST_F(SecondaryWindowsTest, PlaceholderReadsLikeTheMainWindowAndComesUpMaximised) {
    MeasuredScreen();
    Form5& placeholder = forms::Default<Form5>();
    EXPECT_EQ(placeholder.Caption(), "Corvessa");
    EXPECT_EQ(placeholder.WindowState(), forms::vbMaximized);
    EXPECT_FALSE(placeholder.Visible());
}

TEST_F(SecondaryWindowsTest, ClosingThePlaceholderEndsTheProgram) {
    MeasuredScreen();
    forms::Default<Form4>().Hide();
    Form5& placeholder = forms::Default<Form5>();
    placeholder.Show();
    placeholder.SetWindowState(forms::vbMinimized);
    EXPECT_THROW(placeholder.RaiseUserClose(), support::ProgramEnded);
}

} // namespace
