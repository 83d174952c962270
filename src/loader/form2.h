#pragma once
// The "Load playlist" window: drive, folder and file lists, a folder line, and the three
// buttons. "&Select all" replaces the main window's playlist with the listed files and writes
// their full paths into the song table at the same indices.
#include "platform/forms/controls.h"
#include "platform/forms/file_lists.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"

#include <string>

namespace loader {

// The drive the loader falls back on when the chosen one cannot be read.
inline const std::string FallbackDrive = "/";

// A song's full path: the folder, one separator, the file name. A folder that already ends in
// the separator (the root) takes the name directly.
std::string SongPath(const std::string& folder, const std::string& name);

// The file pattern that an entry of the file-type box stands for.
std::string PatternForFileType(int index);

// The message for a drive whose root cannot be read.
std::string DriveNotAccessibleText(const std::string& drive);

// The message when a folder holds more matching files than the song table has records.
std::string PlaylistFullText(int loaded);

} // namespace loader

class Form2 : public forms::Form {
public:
    Form2();

    // ---- Controls, in tab order ----
    forms::ComboBox Combo1{*this, "Combo1"};       // file-type box
    forms::FileListBox File{*this, "File"};
    forms::DirListBox Dir{*this, "Dir"};
    forms::DriveListBox Drive{*this, "Drive"};
    forms::CommandButton refresh{*this, "refresh"};
    forms::CommandButton cancel{*this, "cancel"};
    forms::CommandButton select{*this, "select"};
    forms::TextBox Loc{*this, "Loc"};              // folder line; nothing reads it

    // ---- Handlers ----
    void Drive_Change();
    void Dir_Change();
    void Loc_Change();
    void refresh_Click();
    void cancel_Click();
    void select_Click();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_CloseRequest() override;
};
