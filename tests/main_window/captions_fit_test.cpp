// Every caption of every window can be read whole: measured in its control's own font, it fits
// the room its control gives it. The main window is measured at the sizes the layout gives it on
// small, middle and large screens, the other windows at their design sizes.
#include "loader/form2.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/form3.h"
#include "windows/frm_splash.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

#include <string>
#include <vector>

namespace {

struct Clipped {
    std::string control;
    std::string caption;
    int needs;  // pixels
    int has;
};

// What is drawn: no trailing blanks, no access-key marks.
QString Shown(const QString& caption) {
    QString s = caption;
    while (!s.isEmpty() && s.back().isSpace()) s.chop(1);
    return s;
}
int Advance(const QWidget* w, const QString& text) {
    return QFontMetrics(w->font()).size(Qt::TextShowMnemonic, Shown(text)).width();
}
void CheckRoom(const QWidget* w, const QString& caption, int has, std::vector<Clipped>& out) {
    if (Advance(w, caption) > has)
        out.push_back({w->objectName().toStdString(), caption.toStdString(), Advance(w, caption),
                       has});
}

// Controls with a window of their own lie on top of the labels beside them.
bool CoversLabels(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QProgressBar*>(w);
}

// The room of a label's caption: its inside, up to the first windowed control that lies over it.
QRect LabelRoom(const QLabel* l) {
    QRect room = l->contentsRect().translated(l->pos());
    for (const QObject* o : l->parentWidget()->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(o);
        if (!sibling || !CoversLabels(sibling)) continue;
        const QRect over = sibling->geometry();
        if (over.intersects(room) && over.left() > room.left()) room.setRight(over.left() - 1);
    }
    return room;
}

void CheckLabel(const QLabel* l, std::vector<Clipped>& out) {
    const QString text = l->text();
    if (text.isEmpty()) return;
    const QFontMetrics fm(l->font());
    const QRect room = LabelRoom(l);
    if (room.height() >= 2 * fm.lineSpacing() && l->wordWrap()) {
        // A label with room for several lines is a text meant to wrap: all its lines must fit.
        const QRect needed = fm.boundingRect(QRect(0, 0, room.width(), 100000),
                                             int(l->alignment()) | Qt::TextWordWrap, text);
        if (needed.height() > room.height() || needed.width() > room.width())
            out.push_back({l->objectName().toStdString() + " (its lines' height)",
                           text.toStdString(), needed.height(), room.height()});
        return;
    }
    CheckRoom(l, text, room.width(), out);
    // A label sized to its caption fits itself by construction, but its container cuts it off.
    const int containerRight = l->parentWidget()->width();
    if (!l->wordWrap() && l->geometry().right() >= containerRight)
        out.push_back({l->objectName().toStdString() + " (in its container)", text.toStdString(),
                       l->geometry().right() + 1, containerRight});
    if (fm.height() > room.height())
        out.push_back({l->objectName().toStdString() + " (height)", text.toStdString(),
                       fm.height(), room.height()});
}

void CheckCheckBox(const QCheckBox* c, std::vector<Clipped>& out) {
    QStyleOptionButton opt;
    opt.initFrom(c);
    opt.text = c->text();
    const QRect text = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
    CheckRoom(c, c->text(), c->width() - text.left(), out);
}

void CheckButton(const QPushButton* b, std::vector<Clipped>& out) {
    if (b->text().isEmpty()) return;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const QRect text = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    CheckRoom(b, b->text(), text.width(), out);
}

void CheckFrame(const QGroupBox* g, std::vector<Clipped>& out) {
    if (g->title().isEmpty()) return;
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.textAlignment = g->alignment();
    opt.lineWidth = 1;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title = g->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                   QStyle::SC_GroupBoxLabel, g);
    CheckRoom(g, g->title(), g->width() - title.left(), out);
}

// Every caption of the window, shown or hidden: the hidden ones are shown later on.
std::vector<Clipped> ClippedCaptions(forms::Form& form) {
    std::vector<Clipped> out;
    for (const QWidget* w : form.Widget()->findChildren<QWidget*>()) {
        if (const auto* l = qobject_cast<const QLabel*>(w)) CheckLabel(l, out);
        else if (const auto* c = qobject_cast<const QCheckBox*>(w)) CheckCheckBox(c, out);
        else if (const auto* b = qobject_cast<const QPushButton*>(w)) CheckButton(b, out);
        else if (const auto* g = qobject_cast<const QGroupBox*>(w)) CheckFrame(g, out);
    }
    return out;
}

void ExpectAllFit(forms::Form& form, const std::string& window) {
    for (const Clipped& c : ClippedCaptions(form))
        ADD_FAILURE() << window << "." << c.control << " clips \"" << c.caption << "\": it needs "
                      << c.needs << " pixels and has " << c.has;
}

class CaptionsFit : public support::WindowTest {};

TEST_F(CaptionsFit, OnEveryWindow) {
    struct Screen { const char* height; const char* width; const char* name; };
    for (const Screen& s : {Screen{"9000", "12000", "800 x 600"},
                            Screen{"11520", "15360", "1024 x 768"},
                            Screen{"16200", "28800", "1920 x 1080"}}) {
        Form4& f = support::LoadMainWindow(s.height, s.width);
        // The status strip at its fullest: the whole credit line, in the font the size gives it.
        f.Label9.SetCaption(f.CreditLine);
        ExpectAllFit(f, std::string("Form4 on a screen of ") + s.name);
        forms::ResetDefaultInstances();
    }
    ExpectAllFit(forms::Default<Form2>(), "Form2");
    ExpectAllFit(forms::Default<Form3>(), "Form3");
    auto& splash = forms::Default<frmSplash>();
    splash.Timer1.SetEnabled(false);
    ExpectAllFit(splash, "frmSplash");
}

// A frame's title sits on its top border, half above it: that half too must stand on the
// frame's own colour, or a dark title vanishes into a dark window.
TEST_F(CaptionsFit, FrameTitlesStandWholeOnTheirFramesColour) {
    Form4& f = support::LoadMainWindow("9000", "12000");
    f.ApplyThemeColor(0x000000);
    f.SetHeight(9000);  // unrolled
    const QImage window = f.Widget()->grab().toImage();
    for (forms::Frame* frame : {&f.Frame1, &f.Frame3}) {
        const QRect r = frame->Widget()->geometry();
        const QColor own = forms::ToQColor(frame->BackColor());
        ASSERT_NE(own, QColor(Qt::black));
        for (const QPoint at : {r.topLeft() + QPoint(2, 1), r.topRight() + QPoint(-2, 1)})
            EXPECT_EQ(window.pixelColor(at).name().toStdString(), own.name().toStdString())
                << frame->Name() << " at the top of its title";
    }
}

} // namespace
