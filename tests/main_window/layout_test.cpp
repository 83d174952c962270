// The proportional layout on exact numbers, and the first phase of the load on the window.
#include "main_window/layout.h"

#include "support/load_main_window.h"
#include "support/window_test.h"

#include <QWidget>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using layout::Item;
using layout::Side;

// A window on paper, holding exact numbers; the sizes the table reads before it sets them are
// the design ones.
class PaperGeometry final : public layout::LayoutGeometry {
public:
    PaperGeometry(double W, double H) : W_(W), H_(H) {}
    std::map<std::pair<Item, Side>, double> values = {
        {{Item::Image1, Side::Width}, 345}, {{Item::Frame3, Side::Width}, 4350},
        {{Item::dur, Side::Width}, 1095},   {{Item::mute, Side::Width}, 975},
        {{Item::play, Side::Width}, 975},   {{Item::stop1, Side::Width}, 975},
        {{Item::pause, Side::Width}, 975},  {{Item::Check4, Side::Width}, 825},
        {{Item::lblVol, Side::Width}, 1215}, {{Item::Label3, Side::Width}, 530},
        {{Item::Check2, Side::Width}, 1615}, {{Item::Frame6, Side::Width}, 2535}};
    struct Write { Item item; Side side; float value; };
    std::vector<Write> writes;

    double Get(Item item, Side side) override { return values.at({item, side}); }
    void Set(Item item, Side side, float twips) override {
        writes.push_back({item, side, twips});
        values[{item, side}] = twips;
    }
    double TargetWidth() override { return W_; }
    double TargetHeight() override { return H_; }
    double WindowHeight() override { return H_; }
    double WindowLeft() override { return 0; }
    double WindowWidth() override { return W_; }

private:
    double W_, H_;
};

TEST(LayoutTable, AtTheReferenceSizeEveryRowGivesItsValueInTableOrder) {
    using enum Item;
    constexpr Side L = Side::Left, T = Side::Top, Wd = Side::Width, Ht = Side::Height;
    // The table rounds four results; the rest are exact.
    const std::vector<PaperGeometry::Write> rows = {
        {Text1, Wd, 4215}, {duration, Wd, 4215}, {Frame1, Wd, 2400}, {List1, Wd, 2160},
        {Image1, L, 5639.1f}, {Image2, L, 6014.1f}, {Frame3, L, 3825}, {Text1, L, 3892.5},
        {duration, L, 3892.5}, {plusplus, L, 7907.5}, {plus, L, 7747.5}, {dur, L, 6622.5},
        {minus, L, 6492.5}, {minusminus, L, 6292.5}, {mute, L, 10785}, {play, L, 240},
        {stop1, L, 3892.5}, {pause, L, 7132.5}, {Check4, L, 2141.25}, {lblVol, L, 5392.5},
        {imgVol, L, 5392.5}, {Label3, L, 5735}, {Check2, L, 8638.75}, {Check3, L, 8638.75},
        {Frame1, L, 4800}, {Frame6, L, 1680}, {Frame2, L, 7785}, {play, T, 7320},
        {stop1, T, 7320}, {pause, T, 7320}, {mute, T, 7320}, {Check2, T, 7320},
        {Check4, T, 7800}, {Check3, T, 7800}, {imgVol, T, 9600}, {lblVol, T, 7807.28f},
        {Label3, T, 7920}, {Text1, T, 6915}, {duration, T, 6660}, {plus, T, 6660},
        {plusplus, T, 6660}, {dur, T, 6697.67f}, {minus, T, 6660}, {minusminus, T, 6660},
        {Label9, T, 6360}, {Frame1, T, 1680}, {Frame6, T, 2640}, {Frame2, T, 2640},
        {Frame3, T, 960}, {Image1, T, 360}, {Image2, T, 360}, {Frame1, Ht, 4575},
        {List1, Ht, 4175}, {Frame3, Wd, 4350}, {Label3, Wd, 3870}, {Label9, Wd, 9615}};
    PaperGeometry paper(12000, 8640);
    layout::ApplyLayoutTable(paper);
    ASSERT_EQ(paper.writes.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(paper.writes[i].item, rows[i].item);
        EXPECT_EQ(paper.writes[i].side, rows[i].side);
        const bool rounded = rows[i].value != std::floor(rows[i].value * 4) / 4;
        EXPECT_NEAR(paper.writes[i].value, rows[i].value, rounded ? 0.005 : 0.0);
    }
}

TEST(LayoutTable, OtherScreensScalePositionsButNotTheButtonsOrTheFolderLine) {
    PaperGeometry big(15360, 10800), small(9600, 6912);
    layout::ApplyLayoutTable(big);
    layout::ApplyLayoutTable(small);
    const auto at = [](PaperGeometry& g, Item i, Side s) { return g.values.at({i, s}); };
    EXPECT_NEAR(at(big, Item::Text1, Side::Width), 5395.2, 0.001);
    EXPECT_NEAR(at(big, Item::Text1, Side::Left), 4982.4, 0.001);
    EXPECT_EQ(at(big, Item::mute, Side::Left), 14145);
    EXPECT_EQ(at(big, Item::pause, Side::Top), 9150);
    EXPECT_EQ(at(big, Item::Frame1, Side::Width), 3072);
    EXPECT_EQ(at(big, Item::Frame1, Side::Left), 6144);
    EXPECT_EQ(at(big, Item::Frame1, Side::Top), 2100);
    EXPECT_EQ(at(big, Item::Frame1, Side::Height), 5718.75);
    EXPECT_NEAR(at(big, Item::Label9, Side::Width), 12307.2, 0.001);
    EXPECT_EQ(at(small, Item::Text1, Side::Width), 3372);
    EXPECT_EQ(at(small, Item::Text1, Side::Left), 3114);
    EXPECT_EQ(at(small, Item::stop1, Side::Top), 5856);
    for (PaperGeometry* g : {&big, &small}) {
        EXPECT_EQ(at(*g, Item::Frame3, Side::Width), 4350);
        EXPECT_EQ(at(*g, Item::Label3, Side::Width), 3870);
        EXPECT_EQ(at(*g, Item::imgVol, Side::Top), 9600);
        EXPECT_EQ(at(*g, Item::play, Side::Left), 240);
    }
}

class FirstPhase : public support::WindowTest {};

TEST_F(FirstPhase, TheWindowTakesTheMeasuredSizeAndTheStripItsFont) {
    struct Case { const char* width; double points; bool bold; double left; };
    // 1417.5 twips is 94.5 pixels: the label stands at pixel 94 and reads back as set.
    for (const Case& c : {Case{"12000", 10, true, 1417.5}, Case{"11000", 8.25, false, 1350},
                          Case{"10000", 8, false, 1350}}) {
        SCOPED_TRACE(c.width);
        Form4& f = support::LoadMainWindow("8640", c.width);
        EXPECT_EQ(f.Width(), std::nearbyint(std::stod(c.width) / 15) * 15) << "in whole pixels";
        EXPECT_EQ(f.Text6.Text(), "8640");
        EXPECT_EQ(f.Text7.Text(), c.width);
        EXPECT_EQ(f.Label9.FontSize(), c.points);
        EXPECT_EQ(f.Label9.FontBold(), c.bold);
        EXPECT_EQ(f.Label9.Left(), c.left);
        for (forms::Control* hidden : std::vector<forms::Control*>{&f.Text6, &f.Text7, &f.Check4, &f.Text5})
            EXPECT_FALSE(hidden->Visible()) << hidden->Name();
        EXPECT_EQ(f.Check1.Value(), 1);
        EXPECT_TRUE(f.Timer6.Enabled() && f.moving.Enabled());
        EXPECT_EQ(media.startupProperty, 0);
        // The window asks for the top-left corner itself, so no window manager places it.
        EXPECT_TRUE(f.Widget()->testAttribute(Qt::WA_Moved));
        EXPECT_EQ(f.Widget()->pos(), QPoint(0, 0));
        forms::ResetDefaultInstances();
    }
}

} // namespace
