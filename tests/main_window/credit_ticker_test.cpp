// The credit line's cycle in the status strip and its colour draws.
#include "main_window/credit_ticker.h"
#include "main_window/form4.h"
#include "support/load_main_window.h"
#include "support/window_test.h"

#include <string>

namespace {

class CreditTicker : public support::WindowTest {
protected:
    Form4& Window() {
        auto& f = support::LoadMainWindow("8640", "12000");
        f.Timer4.SetEnabled(false);  // ticks are driven by hand below
        f.CreditLine = "Corvessa";
        random.reseeds = 0;  // the load's own colour scheme re-seeds too
        return f;
    }
    // Seven draws that give the digits of `digits` ("0" is index 10).
    void ScriptDigits(const std::string& digits) {
        for (char c : digits) {
            const int index = c == '0' ? 10 : c - '0';
            random.draws.push_back((index - 1 + 0.5f) / 10.0f);
        }
    }
};

TEST_F(CreditTicker, OneCycleTypesTheLineHoldsItBlanksItAndStartsAgain) {
    Form4& f = Window();
    const int L = static_cast<int>(f.CreditLine.size());
    ScriptDigits("1111111");
    ScriptDigits("2222222");
    std::vector<std::string> strip;
    for (int tick = 1; tick <= L + 41; ++tick) {
        f.Timer4_Timer();
        strip.push_back(f.Label9.Caption());
    }
    EXPECT_EQ(strip[0], "") << "tick 1 shows nothing";
    EXPECT_EQ(strip[1], "C") << "the first character comes at tick 2";
    EXPECT_EQ(strip[L - 1], "Corvess") << "tick L shows L-1 characters";
    EXPECT_EQ(strip[L], "Corvessa") << "the whole line at tick L+1";
    EXPECT_EQ(strip[L + 18], "Corvessa") << "and still at tick L+19";
    for (int tick = L + 20; tick <= L + 40; ++tick) EXPECT_EQ(strip[tick - 1], "") << tick;
    EXPECT_EQ(strip[L + 40], "C") << "the next cycle's first character at tick L+41";
    EXPECT_EQ(f.Label9.ForeColor(), 2222222u) << "the colour of the second draw, at tick L+39";
    EXPECT_EQ(random.reseeds, 14) << "each digit is re-seeded";
}

TEST_F(CreditTicker, TheFirstCycleKeepsTheDesignGreenUntilTheLinePhaseEnds) {
    Form4& f = Window();
    const int L = static_cast<int>(f.CreditLine.size());
    ScriptDigits("7654321");
    for (int tick = 1; tick < L + 20; ++tick) f.Timer4_Timer();
    EXPECT_EQ(f.Label9.ForeColor(), 0x0000FF00u);
    f.Timer4_Timer();
    EXPECT_EQ(f.Label9.ForeColor(), 7654321u);
}

TEST_F(CreditTicker, ColourDigitsAreAlwaysSevenAndALeadingZeroDropsFromTheValue) {
    Form4& f = Window();
    ScriptDigits("0123456");
    f.DrawCreditColour();
    EXPECT_EQ(f.Text4.Text(), "0123456");
    EXPECT_EQ(f.Label9.ForeColor(), 123456u);

    ScriptDigits("0000000");
    f.DrawCreditColour();
    EXPECT_EQ(f.Text4.Text(), "0000000");
    EXPECT_EQ(f.Label9.ForeColor(), 0u);

    EXPECT_EQ(CreditDigit(0.0f), '1');
    EXPECT_EQ(CreditDigit(0.99999994f), '0');
}

TEST(CreditColourSource, ReseedingWithinOneClockReadingDoesNotRepeatTheDigit) {
    // The real generator: seven re-seeded draws in a row, as fast as the code can make them.
    forms::SetRandomSource(nullptr);
    std::string digits;
    for (int i = 0; i < 70; ++i) {
        forms::Random().Randomize();
        digits += CreditDigit(forms::Random().Rnd());
    }
    int repeats = 0;
    for (size_t i = 1; i < digits.size(); ++i) repeats += digits[i] == digits[i - 1];
    // Independent digits repeat their neighbour about one time in ten.
    EXPECT_LT(repeats, 30) << digits;
}

} // namespace
