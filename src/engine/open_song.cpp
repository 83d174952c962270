// Opening a song: a double-click on a playlist item plays that item's song and reveals the
// controls that only make sense once something plays. A file that is no song is told of with
// a message, at once or, when the media control takes long to refuse it, once it does.
#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/message_box.h"

#include <exception>
#include <initializer_list>

namespace {

void TellOpenFailure() {
    forms::MsgBox("Song can not be played by the media player\r\n"
                  "check wheather the file exist and you can access it.",
                  forms::MsgIcon::Critical, forms::AppTitle());
}

} // namespace

void Form4::List1_DblClick() {
    // What the earlier steps did stays done when a later one fails: the tick may already run
    // and the display read "Progressing...", which the next tick then sorts out.
    try {
        const int16_t index = List1.ListIndex();
        const std::string item = List1.List(index);
        if (item.empty()) return;
        const std::string path = Module1::SongTable(index).FullPath;
        if (path.empty()) return;

        // Enabling a running tick leaves its countdown alone.
        Timer.SetEnabled(true);
        duration.SetCaption("Progressing...");
        Media.Open(path);  // starts playing by itself, or goes on loading
        // A file can take the media control seconds to refuse, long after Open has returned.
        Media.WhenLoadFails(TellOpenFailure);
        Text1.SetText(item);
        play.SetEnabled(true);
        pause.SetEnabled(true);
        for (forms::Control* c : std::initializer_list<forms::Control*>{
                 &duration, &dur, &Text1, &plus, &plusplus, &minus, &minusminus, &Check4})
            c->SetVisible(true);
    } catch (const std::exception&) {
        TellOpenFailure();
    }
}

// The now-playing line may be narrower than the name; its tooltip always shows it whole.
void Form4::Text1_Change() { Text1.SetToolTipText(Text1.Text()); }
