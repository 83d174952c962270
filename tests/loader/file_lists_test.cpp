// The drive, folder and file lists on their own, on a small window made for the purpose.
#include "loader_test.h"
#include "platform/forms/file_lists.h"
#include "platform/forms/lists.h"
#include "platform/forms/runtime_error.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <algorithm>

namespace {

using loadertest::TempFolder;
using Names = std::vector<std::string>;

class ListsForm : public forms::Form {
public:
    ListsForm() {
        Drive.Change = [this] { ++driveChanges; };
        Dir.Change = [this] { ++dirChanges; };
    }
    forms::DriveListBox Drive{*this, "Drive"};
    forms::DirListBox Dir{*this, "Dir"};
    forms::FileListBox File{*this, "File"};
    int driveChanges = 0, dirChanges = 0;

protected:
    void Design() override {}
};

class FileLists : public support::WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        forms::SetMountTableSource(nullptr);
        forms::SetFolderAccessCheck(nullptr);
    }
    ListsForm& f = forms::Default<ListsForm>();
    Names FileNames() {
        Names names;
        for (int i = 0; i < f.File.ListCount(); ++i) names.push_back(f.File.List(i));
        return names;
    }
};

TEST(MountTable, GivesTheRootFirstThenUserFileSystemsOnly) {
    const std::string table =
        "proc /proc proc rw 0 0\noverlay / overlay rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n/dev/sdc1 /run/media/ann/CARD exfat rw 0 0\n"
        "/dev/sda1 /boot/efi vfat rw 0 0\n/dev/vda /etc/hosts ext4 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\ngvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\nserver:/srv /Archive nfs4 rw 0 0\nbroken line\n";
    EXPECT_EQ(forms::DrivesFromMountTable(table),
              (Names{"/", "/Archive", "/home", "/media/usb stick", "/run/media/ann/CARD"}));
    EXPECT_EQ(forms::DrivesFromMountTable(""), Names{"/"});
    const Names drives = {"/", "/media/usb", "/media/usb/inner"};
    EXPECT_EQ(forms::DriveOfFolder(drives, "/media/usb/inner/x"), "/media/usb/inner");
    EXPECT_EQ(forms::DriveOfFolder(drives, "/media/usb2/x"), "/") << "a name's prefix is no parent";
}

TEST(FolderPathsAndPatterns, FollowThePlatformsRules) {
    EXPECT_EQ(forms::NormalFolderPath("/a", "b/"), "/a/b");
    EXPECT_EQ(forms::NormalFolderPath("/a/b", ".."), "/a");
    EXPECT_EQ(forms::NormalFolderPath("/a", "/x/./y/../z//"), "/x/z");
    EXPECT_EQ(forms::NormalFolderPath("/a", "/.."), "/");
    EXPECT_TRUE(forms::MatchesPattern("ÉTÉ.MP3", "été*.mp3"));
    EXPECT_FALSE(forms::MatchesPattern("song.mp3.txt", "*.mp3"));
    EXPECT_FALSE(forms::MatchesPattern("songmp3", "*.mp3"));
    EXPECT_TRUE(forms::MatchesPattern("README", "*.*")) << "the classic every-file pattern";
    EXPECT_TRUE(forms::MatchesPattern("clip.WMV", "*.mpg; *.wmv"));
    EXPECT_FALSE(forms::MatchesPattern("a12.mp3", "a?.mp3"));
}

TEST_F(FileLists, TheFileListShowsMatchingFilesInListBoxOrderAndKeepsItsFolderOnFailure) {
    TempFolder dir;
    dir.AddFiles({"b.mp3", "A.mp3", "a.mp3", "Zed.mp3", "Ä.mp3", "10.mp3", "9.mp3", "c.ogg", ".h.mp3"});
    dir.AddFolder("d.mp3");
    std::filesystem::create_symlink(dir / "b.mp3", dir / "link.mp3");
    f.File.SetPattern("*.MP3");
    f.File.SetPath(dir.Path());
    Names expected = {"b.mp3", "A.mp3", "a.mp3", "Zed.mp3", "Ä.mp3", "10.mp3", "9.mp3", "link.mp3"};
    std::sort(expected.begin(), expected.end(), forms::ListOrderLess);
    EXPECT_EQ(FileNames(), expected);
    EXPECT_EQ(f.File.List(static_cast<int>(expected.size())), "");

    EXPECT_THROW(f.File.SetPath(dir / "missing"), forms::RuntimeError);
    f.File.SetPath("");
    EXPECT_EQ(f.File.Path(), dir.Path());
    f.File.SetPattern("*.ogg");
    EXPECT_EQ(FileNames(), Names{"c.ogg"});
}

TEST_F(FileLists, TheFileCountNeverGoesPastWhatA16BitCountHolds) {
    TempFolder dir(TempFolder::Place::Memory);
    const int max = forms::FileListBox::MaxNames;
    for (int i = 0; i < max + 3; ++i) dir.AddFile("f" + std::to_string(100000 + i));
    f.File.SetPath(dir.Path());
    EXPECT_EQ(f.File.ListCount(), max);
    EXPECT_EQ(f.File.List(max - 1), "f" + std::to_string(100000 + max - 1)) << "the first names are kept";
}

TEST_F(FileLists, TheFolderListChangesOnlyForAnotherReadableFolder) {
    TempFolder dir;
    const std::string sub = dir.AddFolder("sub");
    EXPECT_EQ(f.Dir.Path(), std::filesystem::current_path().string());
    f.Dir.SetPath(dir.Path());
    f.Dir.SetPath(dir.Path() + "/");
    f.Dir.SetPath("");
    EXPECT_EQ(f.dirChanges, 1);

    // The user opens the subfolder from the tree.
    auto* tree = static_cast<QListWidget*>(f.Dir.Widget());
    const auto items = tree->findItems("sub", Qt::MatchEndsWith);
    ASSERT_EQ(items.size(), 1);
    emit tree->itemActivated(items[0]);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Dir.Path(), sub);
    EXPECT_EQ(f.dirChanges, 2);

    EXPECT_THROW(f.Dir.SetPath("missing"), forms::RuntimeError);
    forms::SetFolderAccessCheck([](const std::string&) { return false; });
    EXPECT_THROW(f.Dir.SetPath(dir.Path()), forms::RuntimeError);
    EXPECT_EQ(f.Dir.Path(), sub);
    EXPECT_EQ(f.dirChanges, 2);
}

TEST_F(FileLists, TheDriveListStartsOnTheDriveOfTheCurrentFolderAndTakesOnlyListedDrives) {
    const std::string here = std::filesystem::current_path().string();
    forms::SetMountTableSource([here] { return "/dev/b " + here + " ext4 rw 0 0\n/dev/c /zz vfat rw 0 0\n"; });
    ListsForm& lists = f;  // not loaded yet: it reads the mount table above when it loads
    EXPECT_EQ(lists.Drive.Drive(), here);
    lists.Drive.SetDrive("/zz");
    lists.Drive.SetDrive("/zz");
    EXPECT_EQ(lists.driveChanges, 1) << "the same drive again is no change";
    EXPECT_EQ(static_cast<QComboBox*>(lists.Drive.Widget())->currentText().toStdString(), "/zz");
    EXPECT_THROW(lists.Drive.SetDrive("/not-a-drive"), forms::RuntimeError);
    EXPECT_EQ(lists.Drive.Drive(), "/zz");
}

} // namespace
