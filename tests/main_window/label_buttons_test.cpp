// The label-buttons' press and release looks and clicks, and the two panel toggles.
#include "main_window/label_buttons.h"

#include "engine/module1.h"
#include "support/load_main_window.h"
#include "loader/form2.h"
#include "main_window/form4.h"
#include "support/window_test.h"
#include "windows/form3.h"

#include <QApplication>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

constexpr forms::OleColor Orange = 0x0080FF;
constexpr forms::OleColor Green = 0x00FF00;
constexpr forms::OleColor WindowText = 0x80000008;
constexpr forms::OleColor ScrollBars = 0x80000000;
constexpr forms::OleColor DefaultScheme = 0x000080;

struct ButtonParts {
    const char* text;
    forms::Label& caption;
    forms::Label& face;
    forms::Shape& outline;
};

class LabelButtonsTest : public support::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = &support::LoadMainWindow("11520", "15360");
        for (forms::Timer* t : {&form->Timer4, &form->Timer5, &form->Timer6, &form->Timer7,
                                &form->Timer8, &form->moving, &form->tmrMove})
            t->SetEnabled(false);
    }

    std::vector<ButtonParts> Buttons() {
        return {{"Load list", form->Command2, form->Label8, form->Shape2},
                {"About me ", form->command13, form->Label7, form->Shape4},
                {"OK ", form->command11, form->Label11, form->Shape5}};
    }

    static void ExpectPressed(const ButtonParts& b) {
        EXPECT_EQ(b.face.BackColor(), Orange);
        EXPECT_EQ(b.caption.BackColor(), Orange);
        EXPECT_EQ(b.caption.ForeColor(), WindowText);
        EXPECT_EQ(b.outline.BorderColor(), WindowText);
    }
    void ExpectReleased(const ButtonParts& b, forms::OleColor windowColour) {
        EXPECT_EQ(b.face.BackColor(), windowColour);
        EXPECT_EQ(b.caption.BackColor(), windowColour);
        EXPECT_EQ(b.caption.ForeColor(), Green);
        EXPECT_EQ(b.outline.BorderColor(), ScrollBars);
    }

    // A real press and release of a mouse button on the control's widget.
    static void PressAndRelease(forms::Control& control, Qt::MouseButton button,
                                const std::function<void()>& whilePressed = {}) {
        QWidget* w = control.Widget();
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        if (whilePressed) whilePressed();
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }

    Form4* form = nullptr;
};

TEST_F(LabelButtonsTest, EveryPressGivesThePressedLookAndEveryReleaseTheWindowsColour) {
    form->ApplyThemeColor(DefaultScheme);
    ASSERT_EQ(form->BackColor(), DefaultScheme);
    for (const ButtonParts& b : Buttons()) {
        for (forms::Label* part : {&b.caption, &b.face}) {
            for (int mouseButton : {1, 2, 4}) {
                SCOPED_TRACE(std::string(b.text) + " " + part->Name() + " button " +
                             std::to_string(mouseButton));
                part->MouseDown(mouseButton, 0, 30, 30);
                ExpectPressed(b);
                part->MouseUp(mouseButton, 0, 30, 30);
                ExpectReleased(b, DefaultScheme);
            }
        }
    }
}

TEST_F(LabelButtonsTest, ARightButtonPressOnALabelButtonLooksPressedAndOpensNoPopup) {
    form->ApplyThemeColor(DefaultScheme);
    const ButtonParts load = Buttons()[0];
    PressAndRelease(load.caption, Qt::RightButton, [&] { ExpectPressed(load); });
    ExpectReleased(load, DefaultScheme);
    EXPECT_TRUE(popups.popped.empty());
}

TEST_F(LabelButtonsTest, LoadListAndAboutMeShowTheirWindowsFromEitherLabel) {
    auto& loader = forms::Default<Form2>();
    auto& about = forms::Default<Form3>();
    for (forms::Label* part : {&form->Command2, &form->Label8}) {
        loader.Hide();
        part->Click();
        EXPECT_TRUE(loader.Visible()) << part->Name();
    }
    for (forms::Label* part : {&form->command13, &form->Label7}) {
        about.Hide();
        part->Click();
        EXPECT_TRUE(about.Visible()) << part->Name();
    }
    // A click while the window is open keeps the one window shown.
    form->command13.Click();
    EXPECT_TRUE(about.Visible());
}

TEST_F(LabelButtonsTest, ADoubleClickRunsTheActionOnceAndEndsReleased) {
    form->ApplyThemeColor(DefaultScheme);
    for (const ButtonParts& b : Buttons()) {
        for (forms::Label* part : {&b.caption, &b.face}) {
            SCOPED_TRACE(std::string(b.text) + " " + part->Name());
            int actions = 0;
            const auto action = part->Click;
            part->Click = [&] {
                ++actions;
                action();
            };
            // What a double-click brings the widget from Qt: the second press comes as a
            // double-click event.
            QWidget* w = part->Widget();
            const QPointF at(2, 2);
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const Qt::MouseButtons held =
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
                QApplication::sendEvent(w, &e);
            }
            part->Click = action;
            EXPECT_EQ(actions, 1);
            ExpectReleased(b, DefaultScheme);
        }
    }
}

TEST_F(LabelButtonsTest, OkOnItsFaceLooksReleasedAndStartsTheCue) {
    Module1::SongTable.Reset();
    form->List1.Clear();
    form->List1.AddItem("a.mp3");
    Module1::SongTable(0).FullPath = "/music/a.mp3";
    form->List1.SetListIndex(0);
    form->Check1.SetValue(1);
    form->Text3.SetText("1");
    form->Text2.SetText("");
    form->ApplyThemeColor(DefaultScheme);

    const ButtonParts ok = Buttons()[2];
    PressAndRelease(ok.face, Qt::LeftButton, [&] { ExpectPressed(ok); });

    ExpectReleased(ok, DefaultScheme);
    EXPECT_EQ(form->Text5.Text(), "1");
    EXPECT_TRUE(form->Timer2.Enabled());
    EXPECT_TRUE(messages.shown.empty());
    Module1::SongTable.Reset();
}

TEST_F(LabelButtonsTest, HideShowTimingShowsAndHidesTheCuePanel) {
    // As the start-up leaves them.
    for (forms::Control* c : {static_cast<forms::Control*>(&form->Frame6),
                              static_cast<forms::Control*>(&form->command11),
                              static_cast<forms::Control*>(&form->Label4),
                              static_cast<forms::Control*>(&form->Text2)})
        c->SetVisible(false);
    form->Check2.SetValue(0);

    form->Check2.SetValue(1);
    EXPECT_TRUE(form->Frame6.Visible());
    EXPECT_TRUE(form->command11.Visible());
    EXPECT_TRUE(form->Label4.Visible());
    EXPECT_TRUE(form->Text2.Visible());

    form->Check2.SetValue(0);
    EXPECT_FALSE(form->Frame6.Visible());
    EXPECT_FALSE(form->command11.Visible());
    EXPECT_FALSE(form->Text2.Visible());
    EXPECT_TRUE(form->Label4.Visible()) << "left visible inside the hidden panel";

    form->Check2.SetValue(1);
    EXPECT_TRUE(form->Frame6.Visible());
    EXPECT_TRUE(form->command11.Visible());
    EXPECT_TRUE(form->Text2.Visible());
}

TEST_F(LabelButtonsTest, HideShowControlShowsAndHidesTheButtonPanel) {
    form->Frame2.SetVisible(false);
    form->command13.SetVisible(false);
    form->Check3.SetValue(0);

    form->Check3.SetValue(1);
    EXPECT_TRUE(form->Frame2.Visible());
    EXPECT_TRUE(form->command13.Visible());

    form->Check3.SetValue(0);
    EXPECT_FALSE(form->Frame2.Visible());
    EXPECT_FALSE(form->command13.Visible());
}

} // namespace
