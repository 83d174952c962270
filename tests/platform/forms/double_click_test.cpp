// What each kind of control hears from its mouse presses: from a double-click (the events a
// widget gets from Qt for one: press, release, double-click, release, sent to the control's own
// widget), from clicks on neighbouring controls, and from a press its window loses.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "support/window_test.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class ClickForm : public forms::Form {
public:
    forms::Frame Panel{*this, "Panel"};
    forms::Label Caption{*this, "Caption", &Panel};
    forms::Label Plain{*this, "Plain"};
    forms::Label Next{*this, "Next"};  // Plain's neighbour on its right
    forms::Image Picture{*this, "Picture"};
    forms::ListBox List{*this, "List"};
    forms::CheckBox Box{*this, "Box"};
    forms::CommandButton Button{*this, "Button"};

    Log log;

    // Records every mouse event of a control; DblClick only where asked, as a window's code
    // handles it only where it has something to do.
    void Record(forms::MouseHandlers& h, bool withDblClick) {
        h.MouseDown = [this](int b, int, double, double) {
            log.push_back("MouseDown " + std::to_string(b));
        };
        h.MouseUp = [this](int b, int, double, double) {
            log.push_back("MouseUp " + std::to_string(b));
        };
        h.Click = [this] { log.push_back("Click"); };
        if (withDblClick) h.DblClick = [this] { log.push_back("DblClick"); };
    }

protected:
    void Design() override {
        Panel.Move(0, 0, 3000, 1500);
        Caption.Move(120, 240, 1500, 255);
        Caption.SetCaption("Load list");
        Plain.Move(0, 1800, 1500, 255);
        Next.Move(1500, 1800, 1500, 255);
        Picture.Move(0, 2400, 600, 600);
        List.Move(3300, 0, 1500, 1500);
        List.AddItem("a.mp3");
        Box.Move(0, 3300, 1500, 255);
        Box.SetCaption("Repeat");
        Button.Move(1800, 3300, 975, 375);
        Button.SetCaption("Play");
    }
};

// One mouse event as Qt delivers it to the widget, at `at` inside it and at `time` ms.
void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button, quint64 time = 0,
          QPointF at = {4, 4}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    e.setTimestamp(time);
    QApplication::sendEvent(w, &e);
}

// The second press of a double-click reaches a widget as a double-click event only.
void DoubleClick(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
    Send(w, QEvent::MouseButtonPress, button);
    Send(w, QEvent::MouseButtonRelease, button);
    Send(w, QEvent::MouseButtonDblClick, button);
    Send(w, QEvent::MouseButtonRelease, button);
}

class DoubleClickTest : public support::WindowTest {};

TEST_F(DoubleClickTest, DrawnControlsAndFramesClickOnceThenHearDblClick) {
    auto& f = forms::Default<ClickForm>();
    f.Record(f.Caption, true);
    f.Record(f.Panel, true);
    f.Record(f.Picture, true);
    const Log once = {"MouseDown 1", "MouseUp 1", "Click", "DblClick", "MouseUp 1"};
    for (forms::Control* c : {static_cast<forms::Control*>(&f.Caption),
                              static_cast<forms::Control*>(&f.Panel),
                              static_cast<forms::Control*>(&f.Picture)}) {
        f.log.clear();
        DoubleClick(c->Widget());
        EXPECT_EQ(f.log, once) << c->Name();
    }
}

TEST_F(DoubleClickTest, TheListRunsDblClickOnceAndKeepsTheItemSelected) {
    auto& f = forms::Default<ClickForm>();
    f.Record(f.List, true);
    f.Show();
    QCoreApplication::processEvents();  // the list shows its item
    // A list hears the mouse on its viewport, as every scrolled view does.
    DoubleClick(static_cast<QAbstractScrollArea*>(f.List.Widget())->viewport());
    EXPECT_EQ(f.log, (Log{"MouseDown 1", "MouseUp 1", "Click", "DblClick", "MouseUp 1"}));
    EXPECT_EQ(f.List.ListIndex(), 0) << "the first press selects the item under the pointer";
}

// A drawn control swallows the second click of a left double-click even where nothing handles
// DblClick; a right double press is two presses; windowed controls count two clicks.
TEST_F(DoubleClickTest, TheSecondLeftClickIsSwallowedOnlyOnDrawnControls) {
    auto& f = forms::Default<ClickForm>();
    f.Record(f.Plain, false);  // no DblClick handler: the second click is still not a click
    DoubleClick(f.Plain.Widget());
    EXPECT_EQ(f.log, (Log{"MouseDown 1", "MouseUp 1", "Click", "MouseUp 1"}));
    f.log.clear();
    DoubleClick(f.Plain.Widget(), Qt::RightButton);
    EXPECT_EQ(f.log, (Log{"MouseDown 2", "MouseUp 2", "MouseDown 2", "MouseUp 2"}));

    std::vector<int> values;
    f.Box.Click = [&] { values.push_back(f.Box.Value()); };
    DoubleClick(f.Box.Widget());
    EXPECT_EQ(values, (std::vector<int>{1, 0}));

    int presses = 0;
    f.Button.Click = [&] { ++presses; };
    DoubleClick(f.Button.Widget());
    EXPECT_EQ(presses, 2);
}

// Qt takes a press for a double-click by time and distance alone; the run time counts it as one
// only on the control that took the first press, and a third press starts afresh.
TEST_F(DoubleClickTest, AClickRightAfterOneOnANeighbourIsAClickOfItsOwn) {
    auto& f = forms::Default<ClickForm>();
    f.Record(f.Plain, true);
    f.Record(f.Next, true);
    // Either side of the labels' common edge: nearer than the double-click distance.
    const QPointF plainEdge(f.Plain.Widget()->width() - 2, 4), nextEdge(1, 4);
    const Log click = {"MouseDown 1", "MouseUp 1", "Click"}, dbl = {"DblClick", "MouseUp 1"};
    struct Step {
        const char* what;
        QWidget* widget;
        QPointF at;
        quint64 time;
        bool qtDouble;  // what Qt delivers: a double-click event, or a press
        Log heard;
    };
    QWidget* plain = f.Plain.Widget();
    QWidget* next = f.Next.Widget();
    for (const Step& s : {Step{"Plain", plain, plainEdge, 1000, false, click},
                          Step{"Next, 150 ms later", next, nextEdge, 1150, true, click},
                          Step{"Next again", next, nextEdge, 1300, false, dbl},
                          Step{"Next a third time", next, nextEdge, 1450, true, click},
                          Step{"Next after the double-click time", next, nextEdge, 2450, false, click},
                          Step{"the button between", f.Button.Widget(), {4, 4}, 2500, true, {}},
                          Step{"Next after the button", next, nextEdge, 2600, true, click},
                          Step{"Plain", plain, plainEdge, 2700, true, click}}) {
        SCOPED_TRACE(s.what);
        f.log.clear();
        Send(s.widget, s.qtDouble ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress,
             Qt::LeftButton, s.time, s.at);
        Send(s.widget, QEvent::MouseButtonRelease, Qt::LeftButton, s.time + 40, s.at);
        EXPECT_EQ(f.log, s.heard);
    }
}

// A press that its window loses (a modal window opens over it, it is deactivated or hidden, or
// the buttons go to another widget) ends as a release does: MouseUp once, with the held button,
// no Click; the real release brings nothing; the next click is a click.
TEST_F(DoubleClickTest, APressItsWindowLosesEndsOnceAndTheNextClickIsAClick) {
    auto& f = forms::Default<ClickForm>();
    for (forms::MouseHandlers* h : std::initializer_list<forms::MouseHandlers*>{
             &f.Caption, &f.Panel, &f.Picture, &f.List})
        f.Record(*h, true);
    f.Show();
    QWidget other;
    QDialog box;
    box.setModal(true);
    const auto activate = [](QWidget* w) {
        w->show();
        w->activateWindow();
        QCoreApplication::processEvents();
        ASSERT_TRUE(w->isActiveWindow());
    };
    const auto list = static_cast<QAbstractScrollArea*>(f.List.Widget())->viewport();
    struct Case {
        const char* how;
        QWidget* pressed;
        Qt::MouseButton button;
        std::function<void()> lose, restore;
    };
    quint64 time = 10000;  // every press well after the last: none pairs into a double-click
    activate(f.Widget());
    for (const Case& c : std::initializer_list<Case>{
             {"its window is deactivated", f.Picture.Widget(), Qt::LeftButton,
              [&] { activate(&other); }, [&] { other.hide(); activate(f.Widget()); }},
             {"a modal window opens", f.Caption.Widget(), Qt::LeftButton, [&] { box.show(); },
              [&] { box.hide(); }},
             {"the list, under a modal window", list, Qt::RightButton, [&] { box.show(); },
              [&] { box.hide(); }},
             {"its window is hidden", f.Panel.Widget(), Qt::MiddleButton, [&] { f.Hide(); },
              [&] { f.Show(); }},
             {"the release goes to another control", f.Caption.Widget(), Qt::LeftButton,
              [&] { Send(f.Plain.Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, time); },
              [] {}}}) {
        for (int round = 1; round <= 2; ++round) {
            SCOPED_TRACE(std::string(c.how) + ", round " + std::to_string(round));
            const std::string b = std::to_string(forms::ButtonNumber(c.button));
            f.log.clear();
            Send(c.pressed, QEvent::MouseButtonPress, c.button, time += 1000);
            c.lose();
            QCoreApplication::processEvents();
            EXPECT_EQ(f.log, (Log{"MouseDown " + b, "MouseUp " + b}));
            Send(c.pressed, QEvent::MouseButtonRelease, c.button, time += 100);
            EXPECT_EQ(f.log.size(), 2u) << "the real release came after the press had ended";
            c.restore();
            QCoreApplication::processEvents();
            f.log.clear();
            Send(c.pressed, QEvent::MouseButtonPress, c.button, time += 1000);
            Send(c.pressed, QEvent::MouseButtonRelease, c.button, time += 100);
            Log click = {"MouseDown " + b, "MouseUp " + b};
            if (c.button == Qt::LeftButton) click.push_back("Click");
            EXPECT_EQ(f.log, click);
        }
    }
}

} // namespace
