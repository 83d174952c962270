// The windowing run time's own rules, on a small window made for the purpose.
#include "platform/forms/basic.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/message_box.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/timer.h"
#include "platform/forms/units.h"
#include "platform/forms/value_controls.h"
#include "support/window_test.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

class ProbeForm : public forms::Form {
public:
    ProbeForm() {
        Box.Click = [this] {
            clicks.push_back(Box.Value());
            if (latch && Box.Value() == 0) Box.SetValue(1);  // re-ticks from inside the click
        };
        Fast.OnTimer = [this] { log.push_back("Fast"); };
        Slow.OnTimer = [this] { log.push_back("Slow"); };
        Boxed.OnTimer = [this] {
            ++boxedEntries;
            forms::MsgBox("tick", forms::MsgIcon::Information, forms::AppTitle());
        };
        Failing.OnTimer = [this] {
            ++failingRuns;
            throw forms::RuntimeError(forms::ErrorNumber::Overflow, "Overflow");
        };
    }

    forms::Frame Panel{*this, "Panel"};
    forms::CheckBox Box{*this, "Box", &Panel};
    forms::TextBox Note{*this, "Note"};
    forms::Timer Fast{*this, "Fast"};
    forms::Timer Slow{*this, "Slow"};
    forms::Timer Boxed{*this, "Boxed"};
    forms::Timer Failing{*this, "Failing"};
    forms::ProgressBar Progress{*this, "Progress"};
    forms::ScrollBar Scroll{*this, "Scroll"};
    forms::ListBox List{*this, "List"};
    forms::Label Caption{*this, "Caption"};  // drawn over the note's place

    int loads = 0;
    bool latch = false;
    std::vector<int> clicks;
    std::vector<std::string> log;
    int boxedEntries = 0;
    int failingRuns = 0;
    int captionClicks = 0;

protected:
    void Design() override {
        Panel.Move(300, 300, 3000, 2000);
        Box.Move(120, 240, 1500, 255);
        Note.SetText("design");
        Note.Move(0, 3000, 1500, 300);
        Caption.Move(0, 3000, 3000, 600);
        Caption.Click = [this] { ++captionClicks; };
        for (forms::Timer* t : {&Fast, &Slow, &Boxed, &Failing}) t->SetEnabled(false);
    }
    void Form_Load() override { ++loads; }
};

class RuntimeTest : public support::WindowTest {};

TEST_F(RuntimeTest, CheckBoxClickRunsInsideTheAssignmentOnlyWhenTheValueChanges) {
    auto& f = forms::Default<ProbeForm>();
    f.Box.SetValue(1);
    EXPECT_EQ(f.clicks, (std::vector<int>{1}));
    f.Box.SetValue(1);
    EXPECT_EQ(f.clicks.size(), 1u) << "an equal value must run nothing";

    // A click that sets the box again nests: the box ends ticked after two clicks.
    f.latch = true;
    f.Box.SetValue(0);
    EXPECT_EQ(f.clicks, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(f.Box.Value(), 1);
}

TEST_F(RuntimeTest, TouchingAnUnloadedWindowLoadsItHiddenOnceAndUnloadRestoresDesignValues) {
    auto& f = forms::Default<ProbeForm>();
    EXPECT_FALSE(f.IsLoaded());
    f.Note.SetText("changed");
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_EQ(f.loads, 1);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.Note.Text(), "changed");
    EXPECT_EQ(f.loads, 1) << "a loaded window is not loaded again";

    f.Unload();
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.Note.Text(), "design");
    EXPECT_EQ(f.loads, 2);
    EXPECT_EQ(&f, &forms::Default<ProbeForm>()) << "one default instance per window class";
}

TEST_F(RuntimeTest, TimersTickInTimeOrderAndIntervalZeroNeverTicks) {
    auto& f = forms::Default<ProbeForm>();
    f.Fast.SetInterval(30);
    f.Slow.SetInterval(50);
    f.Fast.SetEnabled(true);
    f.Slow.SetEnabled(true);
    clock.Advance(100);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Fast", "Slow", "Fast", "Fast", "Slow"}));

    f.log.clear();
    f.Fast.SetInterval(0);
    clock.Advance(1000);
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "Fast"), 0);
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "Slow"), 20);
}

TEST_F(RuntimeTest, UnloadStopsTheWindowsTimers) {
    auto& f = forms::Default<ProbeForm>();
    f.Fast.SetInterval(10);
    f.Fast.SetEnabled(true);
    f.Unload();
    clock.Advance(100);
    EXPECT_TRUE(f.log.empty());
}

TEST_F(RuntimeTest, ATickStillInsideItsMessageBoxIsNotRunAgainOnTopOfIt) {
    auto& f = forms::Default<ProbeForm>();
    f.Boxed.SetInterval(100);
    f.Fast.SetInterval(30);
    f.Boxed.SetEnabled(true);
    f.Fast.SetEnabled(true);
    int advancedInside = 0;
    messages.whileOpen = [&](const support::ShownMessage&) {
        if (advancedInside++ == 0) clock.Advance(500);  // the box stays open for half a second
    };
    clock.Advance(100);
    EXPECT_EQ(f.boxedEntries, 1) << "ticks due while the box is open are skipped";
    EXPECT_GE(std::count(f.log.begin(), f.log.end(), "Fast"), 16) << "other timers go on ticking";
    clock.Advance(100);
    EXPECT_EQ(f.boxedEntries, 2) << "after the box closes the timer ticks again";
}

TEST_F(RuntimeTest, AFailureEscapingAHandlerEndsOnlyThatHandler) {
    auto& f = forms::Default<ProbeForm>();
    f.Failing.SetInterval(10);
    f.Failing.SetEnabled(true);
    EXPECT_NO_THROW(clock.Advance(30));
    EXPECT_EQ(f.failingRuns, 3);
}

TEST(BasicRules, SixteenBitConversionRoundsHalfToEvenAndOverflowsPast32767) {
    EXPECT_EQ(forms::CInt(2.5), 2);
    EXPECT_EQ(forms::CInt(3.5), 4);
    EXPECT_EQ(forms::CInt(-2.5), -2);
    EXPECT_EQ(forms::CInt(32767.4), 32767);
    EXPECT_EQ(forms::CInt(-32768), -32768);
    EXPECT_THROW(forms::CInt(32767.5), forms::RuntimeError);
    EXPECT_THROW(forms::CInt(32768), forms::RuntimeError);
    EXPECT_THROW(forms::CInt(-32769), forms::RuntimeError);
    EXPECT_EQ(forms::Fix(-3.7), -3);
    EXPECT_EQ(forms::Fix(119.7), 119);
}

TEST(BasicRules, TextValuesAndComparison) {
    EXPECT_EQ(forms::LeadingDigitsValue("007"), 7);
    EXPECT_EQ(forms::LeadingDigitsValue("12ab"), 12);
    EXPECT_EQ(forms::LeadingDigitsValue(""), 0);
    EXPECT_EQ(forms::LeadingDigitsValue("-5"), 0);
    EXPECT_LT(forms::BinaryCompare("10", "9"), 0);
    EXPECT_GT(forms::BinaryCompare("5", "10"), 0);
    EXPECT_EQ(forms::BinaryCompare("58", "58"), 0);
    EXPECT_EQ(forms::CDbl(" 11520 "), 11520);
    EXPECT_THROW(forms::CDbl("Text1"), forms::RuntimeError) << "a design text is no number";
    EXPECT_THROW(forms::CDbl(""), forms::RuntimeError);
    EXPECT_EQ(forms::SingleToText(11520.0f), "11520");
    EXPECT_EQ(forms::SingleToText(11520.5f), "11520.5");
}

TEST(BasicRules, SkipFailingStepsRunsTheStepsAfterAFailingOne) {
    std::vector<int> ran;
    forms::SkipFailingSteps({
        [&] { ran.push_back(1); },
        [&] { forms::CInt(1e9); ran.push_back(2); },
        [&] { ran.push_back(3); },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

class ControlRules : public support::WindowTest {};

TEST_F(ControlRules, TwipsRoundTripAtFifteenTwipsPerPixel) {
    ASSERT_DOUBLE_EQ(forms::TwipsPerPixelX(), 15.0);
    auto& f = forms::Default<ProbeForm>();
    f.Box.SetLeft(3892.5);  // 259.5 pixels: to the even neighbour, 260
    EXPECT_EQ(f.Box.Widget()->x(), 260);
    EXPECT_DOUBLE_EQ(f.Box.Left(), 3892.5) << "a value set by code reads back as set";
    for (int step = 1; step <= 3; ++step) f.Box.SetLeft(f.Box.Left() + 10);
    EXPECT_DOUBLE_EQ(f.Box.Left(), 3922.5) << "10-twip steps must not be lost to pixel rounding";
    f.Box.Widget()->move(100, 0);  // moved by anything but the code: its pixels count
    EXPECT_DOUBLE_EQ(f.Box.Left(), 1500);
    EXPECT_EQ(forms::TwipsToPixelsX(12007.5), 800);
    EXPECT_EQ(forms::TwipsToPixelsX(12022.5), 802);
}

TEST_F(ControlRules, ProgressBarRefusesAMaximumOfZero) {
    auto& f = forms::Default<ProbeForm>();
    auto& bar = f.Progress;
    EXPECT_THROW(bar.SetMax(0), forms::RuntimeError);
    bar.SetMax(120);
    bar.SetValue(59);
    EXPECT_FLOAT_EQ(bar.Value(), 59);
    bar.SetMax(30);  // a shorter song after a longer one
    EXPECT_FLOAT_EQ(bar.Value(), 30);
    EXPECT_THROW(bar.SetValue(31), forms::RuntimeError);
}

TEST_F(ControlRules, ScrollBarChangeRunsOnlyForANewValueWithinItsRange) {
    auto& f = forms::Default<ProbeForm>();
    auto& bar = f.Scroll;
    int changes = 0;
    bar.Change = [&] { ++changes; };
    EXPECT_EQ(bar.Max(), 32767);
    bar.SetValue(5);
    bar.SetValue(5);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(bar.SetValue(-1), forms::RuntimeError);
}

TEST_F(ControlRules, SortedListKeepsNameOrderAndReadsPastTheEndAsEmpty) {
    auto& f = forms::Default<ProbeForm>();
    auto& list = f.List;
    list.SetSorted(true);
    for (const char* name : {"b.mp3", "A.mp3", "a.mp3", "C.mp3"}) list.AddItem(name);
    EXPECT_EQ(list.List(0), "A.mp3");
    EXPECT_EQ(list.List(1), "a.mp3");
    EXPECT_EQ(list.List(2), "b.mp3");
    EXPECT_EQ(list.List(3), "C.mp3");
    EXPECT_EQ(list.List(4), "");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_THROW(list.SetListIndex(4), forms::RuntimeError);
    list.Clear();
    EXPECT_THROW(list.SetListIndex(0), forms::RuntimeError);
}

// A window manager hands the focus back to the window when a dialog closes; the list that had
// it must not take that for a choice of its first item. A key still chooses.
TEST_F(ControlRules, ListGettingTheFocusSelectsNothingButAKeySelects) {
    auto& f = forms::Default<ProbeForm>();
    f.Show();
    auto& list = f.List;
    for (const char* name : {"a.mp3", "b.mp3"}) list.AddItem(name);
    QApplication::processEvents();  // the view takes the items
    QWidget* view = list.Widget();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(view, &focusIn);
    EXPECT_EQ(list.ListIndex(), -1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(view, &down);
    EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(ControlRules, DrawnControlsLieBeneathWindowedOnesAndClickOnlyOnTheLeftButton) {
    auto& f = forms::Default<ProbeForm>();
    f.Show();
    QWidget* surface = f.Widget();
    const QPoint overlap = f.Note.Widget()->geometry().center();
    EXPECT_EQ(surface->childAt(overlap), f.Note.Widget())
        << "a label laid out later must not cover a text box";

    QWidget* label = f.Caption.Widget();
    const QPointF inside(label->width() - 5, label->height() - 5);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, inside, label->mapToGlobal(inside), button,
                          button, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, inside, label->mapToGlobal(inside), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        QApplication::sendEvent(label, &release);
    }
    EXPECT_EQ(f.captionClicks, 1);
}

TEST_F(ControlRules, KeyPressHearsTypedCharactersButNotTheDeleteKey) {
    auto& f = forms::Default<ProbeForm>();
    std::vector<int> heard;
    f.Note.KeyPress = [&](int16_t& key) { heard.push_back(key); };
    f.Note.SetText("12");
    auto* edit = static_cast<QLineEdit*>(f.Note.Widget());
    edit->setCursorPosition(0);
    // The text each key carries on X11: Delete comes with DEL, Backspace with BS.
    const std::vector<std::pair<Qt::Key, QChar>> keys = {
        {Qt::Key_Delete, QChar(0x7f)}, {Qt::Key_7, QChar('7')}, {Qt::Key_Backspace, QChar(8)}};
    for (const auto& [key, text] : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(text));
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(heard, (std::vector<int>{'7', 8}));
    EXPECT_EQ(f.Note.Text(), "2") << "Delete removed the 1; 7 was typed and backspaced away";
}

} // namespace
