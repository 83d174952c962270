// The second phase of the main window's load, the dome-shaped region and the unroll tick.
// From the mixer lookup on, a load step that fails is passed over and the load goes on with
// the next: the window must come up whatever the sound system or the media back end does.
#include "main_window/region_unroll.h"

#include "main_window/colour_scheme.h"
#include "main_window/form4.h"
#include "main_window/layout.h"
#include "platform/forms/basic.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/units.h"

#include <limits>

namespace unroll {

int32_t DomeWidthPixels(double widthTwips, double twipsPerPixelX) {
    return forms::CLng(widthTwips / twipsPerPixelX);
}

int32_t DomeHeightPixels(double heightTwips, double twipsPerPixelY) {
    return forms::CLng(2 * heightTwips / twipsPerPixelY);
}

bool UnrollTick(int32_t& unrollHeight, UnrollWindow& window) {
    const int64_t next = int64_t{unrollHeight} + StepTwips;
    if (next > std::numeric_limits<int32_t>::max())
        throw forms::RuntimeError(forms::ErrorNumber::Overflow, "Overflow");
    unrollHeight = static_cast<int32_t>(next);
    window.SetHeight(unrollHeight);
    const float target = window.Target();
    if (static_cast<double>(target) < window.Height()) {
        window.SetHeight(target);
        return true;
    }
    return false;
}

} // namespace unroll

namespace {

class WindowUnroll final : public unroll::UnrollWindow {
public:
    explicit WindowUnroll(Form4& form) : form_(form) {}
    void SetHeight(double twips) override { form_.SetHeight(twips); }
    double Height() override { return form_.Height(); }
    float Target() override { return static_cast<float>(forms::CDbl(form_.Text6.Text())); }

private:
    Form4& form_;
};

} // namespace

void Form4::LoadSecondPhase() {
    forms::SkipFailingSteps({
        [this] { LookUpSpeakersVolume(); },
        [this] { Media.SetVisible(false); },
        [this] { command13.SetVisible(false); },  // shown again with its panel
        [this] { SetDomeRegion(); },
        // The window opens as a thin strip and unrolls to the target height.
        [this] { SetHeight(50); },
        [this] { Timer8.SetInterval(50); },
        [this] { Timer8.SetEnabled(true); },
        [this] { Frame6.SetVisible(false); },
        [this] { command11.SetVisible(false); },
        [this] { Check2.SetValue(0); },
        [this] { Timer2.SetEnabled(false); },
        [this] { Timer1.SetEnabled(false); },
        [this] { Frame2.SetVisible(false); },
        [this] { Label4.SetVisible(false); },
        [this] { Text2.SetVisible(false); },
        // Last, so the window is painted in the new scheme the first time it shows.
        [this] { scheme::PaintRandomScheme(*this); },
    });
}

// Computed once, at the full size, before the window is shrunk for the unroll; the region
// then stays for the rest of the run. A size that cannot be computed leaves 0, which gives
// no region: the window stays rectangular rather than failing the load.
void Form4::SetDomeRegion() {
    int32_t w = 0;
    int32_t h = 0;
    forms::SkipFailingSteps({
        [&] { w = unroll::DomeWidthPixels(Width(), forms::TwipsPerPixelX()); },
        [&] { h = unroll::DomeHeightPixels(Height(), forms::TwipsPerPixelY()); },
        [&] { SetEllipticRegion(0, 0, w, h); },
    });
}

void Form4::Timer8_Timer() {
    WindowUnroll window(*this);
    if (unroll::UnrollTick(UnrollHeight, window)) Timer8.SetEnabled(false);
}
