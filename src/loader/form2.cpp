// The "Load playlist" window: its design, the wiring of its events, and its handlers.
#include "loader/form2.h"

#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/message_box.h"
#include "platform/forms/runtime_error.h"

#include <QWidget>
#include <algorithm>

using namespace forms;

namespace loader {

std::string SongPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string PatternForFileType(int index) {
    // The file-type box offers one entry.
    (void)index;
    return "*.mp3";
}

std::string DriveNotAccessibleText(const std::string& drive) {
    return "The drive " + drive + " is not accessible.";
}

std::string PlaylistFullText(int loaded) {
    const std::string count = std::to_string(loaded);
    return "This folder holds more files than the playlist can take. Only the first " + count +
           " files have been loaded.";
}

} // namespace loader

namespace {
constexpr int SongTableSize = Module1::SongTableLast + 1;
} // namespace

Form2::Form2() {
    Drive.Change = [this] { Drive_Change(); };
    Dir.Change = [this] { Dir_Change(); };
    Loc.Change = [this] { Loc_Change(); };
    refresh.Click = [this] { refresh_Click(); };
    cancel.Click = [this] { cancel_Click(); };
    select.Click = [this] { select_Click(); };
}

void Form2::Design() {
    SetCaption("Load playlist");
    SetFixedDialog(true);
    SetShowInTaskbar(false);
    SetStartCentred(true);
    SetClientSize(5865, 6090);
    SetBackColor(SysActiveTitleBar);

    Combo1.Move(240, 5160, 5295, 360);
    Combo1.SetBackColor(White);
    Combo1.SetFont("Arial", 9.75);
    Combo1.AddItem("File of type (*.mp3)");

    for (Control* list : {static_cast<Control*>(&File), static_cast<Control*>(&Dir)}) {
        list->SetBackColor(SysWindowText);
        list->SetForeColor(SysActiveTitleBarText);
        list->SetFont("Arial", 8.25);
    }
    File.Move(3000, 600, 2775, 4440);
    Dir.Move(120, 600, 2775, 4410);

    Drive.Move(120, 120, 2775, 360);
    Drive.SetBackColor(White);
    Drive.SetFont("Arial", 9.75);

    refresh.Move(240, 5640, 1155, 315);
    refresh.SetCaption("&Refresh");
    cancel.Move(4200, 5640, 1275, 315);
    cancel.SetCaption("&Cancel");
    select.Move(2280, 5640, 1275, 315);
    select.SetCaption("&Select all");

    Loc.Move(3000, 120, 2775, 405);
    Loc.SetBorderStyle(0);
    Loc.SetBackColor(SysWindowText);
    Loc.SetForeColor(SysActiveTitleBarText);
    Loc.SetFont("MS Sans Serif", 9.75, true);

    // Keyboard focus moves in the order the controls are declared.
    const Control* order[] = {&Combo1, &File, &Dir, &Drive, &refresh, &cancel, &select, &Loc};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1]->ExistingWidget(), order[i]->ExistingWidget());
}

void Form2::Form_Load() {
    Combo1.SetListIndex(Default<Form4>().Archivo_Indice);
    // An empty path leaves both lists at the process's current folder, with no folder change.
    Dir.SetPath("");
    File.SetPath("");
    Loc.SetText("");
    File.SetPattern(loader::PatternForFileType(Combo1.ListIndex()));
}

void Form2::Drive_Change() {
    try {
        Dir.SetPath(Drive.Drive());
        return;
    } catch (const RuntimeError&) {
    }
    const std::string failed = Drive.Drive();
    MsgBox(loader::DriveNotAccessibleText(failed), MsgIcon::Critical, "Error");
    // When the fall-back itself cannot be read there is nowhere left to go; going there again
    // would only repeat the message.
    if (failed == loader::FallbackDrive) return;
    // Choosing the fall-back runs this handler again for it, which reports it if it fails too.
    Drive.SetDrive(loader::FallbackDrive);
    try {
        Dir.SetPath(loader::FallbackDrive);
    } catch (const RuntimeError&) {
        // Already reported by the handler run for the fall-back drive.
    }
}

void Form2::Dir_Change() {
    const std::string folder = Dir.Path();
    Default<Form4>().Label2.SetCaption(folder);
    Loc.SetText(folder);
    File.SetPath(folder);
}

void Form2::Loc_Change() { Loc.SetToolTipText(Loc.Text()); }

void Form2::refresh_Click() {
    Dir.Refresh();
    File.Refresh();
}

void Form2::cancel_Click() { Unload(); }

// Closing the window is cancelling it.
void Form2::Form_CloseRequest() { cancel_Click(); }

void Form2::select_Click() {
    Form4& main = Default<Form4>();
    main.List1.Clear();
    const int count = File.ListCount();
    // The song table has a fixed number of records: a larger folder loads as many files as it
    // can hold, so that every playlist item still has its record at the same index.
    const int loaded = std::min(count, SongTableSize);
    const std::string folder = File.Path();
    for (int i = 0; i < loaded; ++i) {
        const std::string name = File.List(i);
        main.List1.AddItem(name);
        Module1::SongTable(i).FullPath = loader::SongPath(folder, name);
    }
    if (loaded < count) MsgBox(loader::PlaylistFullText(loaded), MsgIcon::Information, AppTitle());
    Unload();
}
