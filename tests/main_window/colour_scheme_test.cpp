// The colour scheme: the start-up draw, and the one colour the window and its members share.
#include "main_window/colour_scheme.h"

#include "support/load_main_window.h"
#include "support/window_test.h"

#include <vector>

namespace {

// A random number whose whole part of r x 100000 is d.
float DrawFor(int d) { return (d + 0.5f) / 100000.0f; }

TEST(ThemeColourDraw, TheLastOfSevenDrawsThatFitsSixteenBitsWinsAndNoneGivesBlack) {
    struct Case { std::vector<int> draws; forms::OleColor colour; };
    for (const Case& c : {Case{{20000, 50000, 30000, 99999, 40000, 70000, 33000}, 30000},
                          Case{{32768, 50000, 99999, 40000, 70000, 33000, 65535}, 0},
                          Case{{1, 1, 1, 1, 1, 1, 32767}, 0x7FFF},
                          Case{{1, 1, 1, 1, 1, 2, 32768}, 2},
                          Case{{5, 6, 7, 8, 9, 10, 11, 12}, 11}}) {
        support::ScriptedRandom random;
        for (int d : c.draws) random.draws.push_back(DrawFor(d));
        EXPECT_EQ(scheme::DrawColour(random), c.colour) << c.draws.back();
        EXPECT_EQ(random.reseeds, 7) << "seven draws, each re-seeded";
    }
}

class ColourScheme : public support::WindowTest {};

TEST_F(ColourScheme, TheLoadPaintsTheDrawnColourOnEveryMemberAndNothingElse) {
    for (int d : {20000, 50000, 30000, 99999, 40000, 70000, 33000}) random.draws.push_back(DrawFor(d));
    Form4& f = support::LoadMainWindow("8640", "12000");
    const std::vector<Form4::ThemeMember> members = {
        &f, &f.Frame6, &f.Frame2, &f.Text1, &f.Check1, &f.Check2, &f.Check3, &f.Check4, &f.Label9,
        &f.Label8, &f.Label7, &f.Label1, &f.Label3, &f.Label4, &f.Label11, &f.command11,
        &f.Command2, &f.command13};
    EXPECT_EQ(f.ThemeControls(), members);
    for (const auto& member : members)
        std::visit([](auto* m) { EXPECT_EQ(m->BackColor(), 30000u); }, member);
    EXPECT_EQ(f.Frame1.BackColor(), 0x0080FFu);
    EXPECT_EQ(f.List1.BackColor(), 0xFF8080u);
    EXPECT_EQ(f.play.BackColor(), 0xFFFFFFu);

    f.ApplyThemeColor(0x000080);
    for (const auto& member : members)
        std::visit([](auto* m) { EXPECT_EQ(m->BackColor(), 0x000080u); }, member);
}

} // namespace
