#include "main_window/credit_ticker.h"

#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/random.h"

std::string CreditLineShown(const std::string& line, int count) {
    if (count <= 0) return {};
    return line.substr(0, static_cast<size_t>(count));
}

char CreditDigit(float r) {
    static const char digits[] = "1234567890";
    const int d = static_cast<int>(forms::Fix(r * 10.0f)) + 1;  // 1 to 10
    return digits[d - 1];
}

void Form4::Timer4_Timer() {
    const int length = static_cast<int>(CreditLine.size());
    if (!CreditBlankPhase) {
        Label9.SetCaption(CreditLineShown(CreditLine, CreditTickCount));
        ++CreditTickCount;
        if (CreditTickCount >= length + 20) {
            CreditTickCount = 0;
            CreditBlankPhase = true;
            DrawCreditColour();
        }
    }
    if (CreditBlankPhase) {
        Label9.SetCaption("");
        ++CreditTickCount;
        if (CreditTickCount >= 20) {
            CreditTickCount = 0;
            CreditBlankPhase = false;
            DrawCreditColour();
        }
    }
}

void Form4::DrawCreditColour() {
    Text4.SetText("");
    for (int i = 0; i < 7; ++i) {
        // Each digit is its own draw; the generator mixes the clock into its state, so a
        // re-seed within one tick of the clock does not repeat the previous digit.
        forms::Random().Randomize();
        Text4.SetText(Text4.Text() + CreditDigit(forms::Random().Rnd()));
        CreditColourValue = forms::LeadingDigitsValue(Text4.Text());
    }
    Label9.SetForeColor(static_cast<forms::OleColor>(CreditColourValue));
}
