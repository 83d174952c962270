#pragma once
// The main window with fake media, a virtual clock and a fresh song table, with only the
// engine's timers left to tick: the window's decorative timers are switched off so that the
// virtual clock runs nothing but what these tests look at.
#include "engine/module1.h"
#include "main_window/form4.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/frm_splash.h"

#include <initializer_list>
#include <string>

namespace enginetest {

class EngineWindowTest : public support::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        BeforeLoad();
        Module1::SongTable.Reset();
        // The main window sizes itself from the screen the splash measured; the splash's own
        // start-up timer is kept from running on.
        support::MeasuredScreen("11520", "15360");
        form = &forms::Default<Form4>();
        form->Load();
        for (forms::Timer* t : {&form->Timer4, &form->Timer5, &form->Timer6, &form->Timer7,
                                &form->Timer8, &form->moving, &form->tmrMove})
            t->SetEnabled(false);
        // The state a fresh window starts from, whatever the load did to it.
        form->Timer.SetEnabled(false);
        form->Timer1.SetEnabled(false);
        form->Timer2.SetEnabled(false);
        form->List1.Clear();
        form->Check4.SetValue(0);
    }
    void TearDown() override {
        WindowTest::TearDown();
        Module1::SongTable.Reset();
    }

    // Runs once the fakes are in place and before the window loads.
    virtual void BeforeLoad() {}

    // Fills the playlist with names already in list order; record i holds "/music/<name i>".
    void FillPlaylist(std::initializer_list<std::string> names) {
        int i = 0;
        for (const std::string& name : names) {
            form->List1.AddItem(name);
            Module1::SongTable(i++).FullPath = "/music/" + name;
        }
    }

    // Every file opened from now on reports this length and starts at 0.
    void SongsLast(double seconds) {
        media.onOpen = [this, seconds](const std::string&) {
            media.duration = seconds;
            media.position = 0;
        };
    }

    // Puts the media control at the natural end of its song.
    void AtEnd() { media.position = media.duration; }

    Form4* form = nullptr;
};

} // namespace enginetest
