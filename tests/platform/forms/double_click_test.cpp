// What each kind of control hears from a double-click: the events a widget gets from Qt for one
// (press, release, double-click, release), sent to the control's own widget.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "support/window_test.h"

#include <QAbstractScrollArea>
#include <QApplication>
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
        Picture.Move(0, 2400, 600, 600);
        List.Move(3300, 0, 1500, 1500);
        List.AddItem("a.mp3");
        Box.Move(0, 3300, 1500, 255);
        Box.SetCaption("Repeat");
        Button.Move(1800, 3300, 975, 375);
        Button.SetCaption("Play");
    }
};

void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button) {
    const QPointF at(4, 4);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
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

// Only a left double-click on a control that has a DblClick event swallows the second click.
TEST_F(DoubleClickTest, OnlyALeftDoubleClickOnADrawnControlSwallowsTheSecondClick) {
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

} // namespace
