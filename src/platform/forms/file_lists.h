#pragma once
// The drive, folder and file lists: the three controls through which a window lets the user
// pick a place on disk and see the files in it.
//
// Paths are kept as the raw bytes the file system gives (file names on Linux need not be valid
// UTF-8); only what the widgets display is converted to text.
#include "control.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forms {

// ---- Where the lists learn about the machine --------------------------------------------------

// The drives in a mount table (the text of /proc/self/mounts): the root "/" first, always, then
// every other mounted file system that can hold a user's files, by mount point in name order.
// Pseudo file systems (proc, sysfs, tmpfs, cgroup...) and the system's own places (/proc, /sys,
// /dev, /run except /run/media, /boot, /etc...) are left out.
std::vector<std::string> DrivesFromMountTable(const std::string& mountTable);

// The drive that holds a folder: the longest drive whose mount point contains it, else "/".
std::string DriveOfFolder(const std::vector<std::string>& drives, const std::string& folder);

// A folder path as the lists hold it: absolute (a relative path is taken from base), without
// "." and ".." steps, and without a trailing "/" except for the root itself.
std::string NormalFolderPath(const std::string& base, const std::string& path);

// Whether a file name matches a pattern such as "*.mp3": "*" any run of characters, "?" one
// character, letters in either case; several patterns may be joined with ";".
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Replace the mount table and the test "can this folder be opened" for tests; an empty function
// restores the machine's own (/proc/self/mounts, and opening the folder).
void SetMountTableSource(std::function<std::string()> source);
void SetFolderAccessCheck(std::function<bool(const std::string& folder)> check);

// ---- The controls ------------------------------------------------------------------------------

// A drop-down list of the drives. It starts on the drive of the process's current folder.
class DriveListBox : public Control {
public:
    using Control::Control;
    // The chosen drive as the list shows it (its mount point).
    std::string Drive();
    // Chooses a listed drive; Change runs inside the assignment when the drive differs. A drive
    // that is not listed is a run-time error.
    void SetDrive(const std::string& drive);

    // The chosen drive changed, by the user or by code.
    std::function<void()> Change;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    std::vector<std::string> drives_;
    int current_ = 0;
};

// The folder tree of the chosen folder: its ancestors from the root down, then its subfolders.
// Activating an entry (double-click or Enter) opens that folder. It starts at the process's
// current folder.
class DirListBox : public Control {
public:
    using Control::Control;
    std::string Path();
    // Opens a folder; Change runs inside the assignment when the folder differs. An empty path
    // leaves the list where it is; a folder that cannot be opened is a run-time error and
    // leaves the list where it is.
    void SetPath(const std::string& path);
    // Re-reads the subfolders from disk.
    void Refresh();

    // The path changed, by the user or by code.
    std::function<void()> Change;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void Fill();
    std::string path_;
};

// The names of one folder's files that match a pattern, sorted by ListOrderLess: the order of
// the sorted list box, so that names added to one in this order keep their positions. It starts
// at the process's current folder with the pattern "*.*". Names beginning with "." are hidden
// files and are not listed. It shows at most 32,767 names, the first in that order, since its
// count and positions are 16-bit.
class FileListBox : public Control {
public:
    using Control::Control;
    std::string Path();
    // Reads the folder afresh. An empty path leaves the list where it is; a folder that cannot
    // be opened is a run-time error and leaves the list as it was.
    void SetPath(const std::string& path);
    std::string Pattern();
    // Reads the folder afresh with the new pattern.
    void SetPattern(const std::string& pattern);
    int16_t ListCount();
    // The name at a position; a position past the end reads as empty text.
    std::string List(int index);
    // Re-reads the folder from disk.
    void Refresh();

    static constexpr int MaxNames = 32767;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetState() override;

private:
    void Read(const std::string& folder);
    void ShowNames();
    std::string path_;
    std::string pattern_;
    std::vector<std::string> names_;
};

} // namespace forms
