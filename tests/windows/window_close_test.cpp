// A close from the window manager (Alt+F4, a close box, a taskbar's close), and a window that the
// user minimised being asked for again.
#include "loader/form2.h"
#include "loader/loader_test.h"
#include "windows/form3.h"
#include "windows/frm_splash.h"

#include <vector>

namespace {

using loadertest::TempFolder;
using Names = std::vector<std::string>;

class WindowClose : public loadertest::LoaderTest {
protected:
    void SetUp() override {
        LoaderTest::SetUp();
        main->Show();
    }
    Names Playlist() {
        Names items;
        for (int i = 0; i < main->List1.ListCount(); ++i) items.push_back(main->List1.List(i));
        return items;
    }
};

TEST_F(WindowClose, DoesWhatTheWindowsOwnWayOutDoes) {
    TempFolder loaded, other;
    loaded.AddFiles({"a.mp3", "b.mp3"});
    other.AddFiles({"x.mp3"});
    main->Command2_Click();
    forms::Default<Form2>().Dir.SetPath(loaded.Path());
    forms::Default<Form2>().select_Click();

    // The loader closes as "&Cancel": nothing it showed is loaded.
    main->Command2_Click();
    Form2& loader = forms::Default<Form2>();
    loader.Dir.SetPath(other.Path());
    loader.RaiseUserClose();
    EXPECT_FALSE(loader.IsLoaded());
    EXPECT_EQ(Playlist(), (Names{"a.mp3", "b.mp3"}));
    EXPECT_EQ(Record(0), loaded / "a.mp3");
    EXPECT_EQ(main->Label2.Caption(), other.Path()) << "the folder browsed last stays shown";

    // About closes as "OK".
    main->command13_Click();
    Form3& about = forms::Default<Form3>();
    about.RaiseUserClose();
    EXPECT_FALSE(about.IsLoaded());
    EXPECT_TRUE(main->Visible());

    // The splash and the main window are the program: closing either ends it.
    frmSplash& splash = forms::Default<frmSplash>();
    splash.Show();
    EXPECT_THROW(splash.RaiseUserClose(), support::ProgramEnded);
    EXPECT_THROW(main->RaiseUserClose(), support::ProgramEnded);
    EXPECT_FALSE(main->IsLoaded()) << "closed as \"Close\" closes it: unloaded, then the end";
}

TEST_F(WindowClose, AMinimisedWindowAskedForAgainComesBackAsItWas) {
    TempFolder dir;
    main->Command2_Click();
    Form2& loader = forms::Default<Form2>();
    loader.Dir.SetPath(dir.Path());
    QWidget* const loaderWidget = loader.ExistingWidget();
    loader.SetWindowState(forms::vbMinimized);  // as the user minimises it
    main->Command2_Click();
    EXPECT_EQ(loader.WindowState(), forms::vbNormal);
    EXPECT_TRUE(loader.Visible());
    EXPECT_EQ(loader.ExistingWidget(), loaderWidget) << "the same window, not a fresh one";
    EXPECT_EQ(loader.Dir.Path(), dir.Path());

    main->command13_Click();
    Form3& about = forms::Default<Form3>();
    about.SetWindowState(forms::vbMinimized);
    main->command13_Click();
    EXPECT_EQ(about.WindowState(), forms::vbNormal);
    EXPECT_TRUE(about.Visible());
}

} // namespace
