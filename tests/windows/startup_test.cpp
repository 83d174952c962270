// The start-up: the splash, its one tick, the measuring window and the opening of the main window.
#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/units.h"
#include "support/window_test.h"
#include "windows/form6.h"
#include "windows/frm_splash.h"

#include <typeindex>

namespace {

// The splash as the program uses it, counting how often it is loaded. It stands in as the
// default instance, so the main window's load reads the measurement from it.
class CountingSplash : public frmSplash {
public:
    int loads = 0;

protected:
    void Form_Load() override {
        ++loads;
        frmSplash::Form_Load();
    }
};

class StartupTest : public support::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        splash = new CountingSplash();
        forms::detail::DefaultSlot(std::type_index(typeid(frmSplash))) = splash;
    }

    static std::string UsableHeightText() {
        return forms::SingleToText(
            static_cast<float>(forms::PixelsToTwipsY(forms::UsableScreenPixels().height())));
    }
    static std::string UsableWidthText() {
        return forms::SingleToText(
            static_cast<float>(forms::PixelsToTwipsX(forms::UsableScreenPixels().width())));
    }

    CountingSplash* splash = nullptr;  // owned by the default instances
};

TEST_F(StartupTest, SplashShowsItsDesignUntilItsOneTick) {
    splash->Show();
    EXPECT_EQ(splash->loads, 1);
    EXPECT_TRUE(splash->Visible());
    EXPECT_EQ(splash->lblVersion.Caption(), "Version 1.0.0");
    EXPECT_FALSE(splash->Text1.Visible());
    EXPECT_FALSE(splash->Text2.Visible());
    EXPECT_TRUE(splash->Timer1.Enabled());

    // A click on the splash neither dismisses it nor hurries the sequence.
    clock.Advance(300);
    splash->Frame1.Click();
    clock.Advance(399);
    EXPECT_TRUE(splash->Visible());
    EXPECT_FALSE(forms::Default<Form4>().IsLoaded());
    EXPECT_EQ(splash->loads, 1);
}

TEST_F(StartupTest, OneTickMeasuresTheScreenAndOpensTheMainWindow) {
    splash->Show();
    clock.Advance(700);

    // Unloaded by the tick, loaded again hidden when the measurement is written into it.
    EXPECT_EQ(splash->loads, 2);
    EXPECT_TRUE(splash->IsLoaded());
    EXPECT_FALSE(splash->Visible());
    EXPECT_FALSE(splash->Text1.Visible());
    EXPECT_EQ(splash->lblVersion.Caption(), "Version 1.0.0");

    // The outer size of the maximised window: the usable screen, in whole twips.
    EXPECT_EQ(splash->Text1.Text(), UsableHeightText());
    EXPECT_EQ(splash->Text2.Text(), UsableWidthText());
    EXPECT_EQ(splash->Text1.Text().find('.'), std::string::npos);
    EXPECT_EQ(splash->Text2.Text().find('.'), std::string::npos);

    EXPECT_FALSE(forms::Default<Form6>().IsLoaded());
    Form4& main = forms::Default<Form4>();
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_TRUE(main.Visible());
    // The main window found the numbers when it loaded.
    EXPECT_EQ(main.Text6.Text(), splash->Text1.Text());
    EXPECT_EQ(main.Text7.Text(), splash->Text2.Text());

    // The second load switched the timer on again; the tick's last step switched it off.
    EXPECT_FALSE(splash->Timer1.Enabled());
    EXPECT_FALSE(clock.IsArmed(splash->Timer1));
    clock.Advance(2000);
    EXPECT_EQ(splash->loads, 2);
    EXPECT_FALSE(splash->Visible());
}

TEST(VersionCaption, JoinsTheNumbersWithPointsAndNoBlanks) {
    EXPECT_EQ(VersionCaption(1, 0, 0), "Version 1.0.0");
    EXPECT_EQ(VersionCaption(12, 3, 456), "Version 12.3.456");
}

} // namespace
