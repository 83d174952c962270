// The "Load playlist" window on real folders, with the main window's playlist, folder label and
// the song table as what it writes.
#include "loader/form2.h"
#include "loader_test.h"

#include <QComboBox>
#include <QKeySequence>
#include <QPushButton>
#include <filesystem>
#include <set>
#include <vector>

namespace {

using loadertest::TempFolder;
using Names = std::vector<std::string>;

class LoaderWindow : public loadertest::LoaderTest {
protected:
    // Opened as "Load list" opens it, then moved to a folder as the user would.
    Form2& OpenAt(const std::string& folder) {
        main->Command2_Click();
        Form2& f = forms::Default<Form2>();
        f.Dir.SetPath(folder);
        return f;
    }
    void LoadFolder(const std::string& folder) { OpenAt(folder).select_Click(); }
    Names Playlist() {
        Names items;
        for (int i = 0; i < main->List1.ListCount(); ++i) items.push_back(main->List1.List(i));
        return items;
    }
    // A drive list of the root and one card whose mount point does not exist.
    const std::string card = "/nonexistent-corvessa-card";
    void MountCard() {
        forms::SetMountTableSource([this] { return "/dev/vda / ext4 rw 0 0\n/dev/sdz1 " + card + " vfat rw 0 0\n"; });
    }
};

TEST(LoaderRules, ASongPathHasExactlyOneSeparatorBeforeTheName) {
    EXPECT_EQ(loader::SongPath("/", "a.mp3"), "/a.mp3");
    EXPECT_EQ(loader::SongPath("/music", "a.mp3"), "/music/a.mp3");
    EXPECT_EQ(loader::SongPath("/media/usb/", "b c.mp3"), "/media/usb/b c.mp3");
}

TEST_F(LoaderWindow, AFolderWithoutMatchingFilesEmptiesThePlaylistWritesNoRecordAndCloses) {
    TempFolder old, empty;
    old.AddFiles({"one.mp3", "two.mp3"});
    empty.AddFiles({"notes.txt", "cover.jpg"});
    LoadFolder(old.Path());
    Form2& f = OpenAt(empty.Path());
    f.select_Click();
    EXPECT_EQ(main->List1.ListCount(), 0);
    EXPECT_EQ(Record(0), old / "one.mp3");
    EXPECT_EQ(Record(1), old / "two.mp3");
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(LoaderWindow, OnlyMp3FilesInAnyCaseAreLoaded) {
    TempFolder dir;
    dir.AddFiles({"a.mp3", "B.MP3", "c.Mp3", "d.wav", "e.mp3.txt", "f.mid", "mp3", ".hidden.mp3"});
    dir.AddFolder("folder.mp3");
    LoadFolder(dir.Path());
    EXPECT_EQ(Playlist(), (Names{"a.mp3", "B.MP3", "c.Mp3"}));
    EXPECT_EQ(Record(1), dir / "B.MP3");
    EXPECT_EQ(Record(3), "");
}

TEST_F(LoaderWindow, ThreeFilesAfterTenLeaveTheOldRecordsThreeToNine) {
    TempFolder ten, three;
    for (int i = 0; i < 10; ++i) ten.AddFile("t" + std::to_string(i) + ".mp3");
    three.AddFiles({"x.mp3", "y.mp3", "z.mp3"});
    LoadFolder(ten.Path());
    LoadFolder(three.Path());
    EXPECT_EQ(Playlist(), (Names{"x.mp3", "y.mp3", "z.mp3"}));
    EXPECT_EQ(Record(2), three / "z.mp3");
    for (int i = 3; i < 10; ++i) EXPECT_EQ(Record(i), ten / ("t" + std::to_string(i) + ".mp3"));
}

TEST_F(LoaderWindow, EveryPlaylistItemNamesTheFileOfItsRecordWhateverTheNames) {
    TempFolder dir;
    const std::set<std::string> names = {
        "song.mp3", "Song.mp3", "SONG.mp3", "sOnG.mp3", "b 2.mp3", "b 10.mp3", "B1.mp3",
        "b1 .mp3", " lead.mp3", "9.mp3", "10.mp3", "_under.mp3", "a-b.mp3", "a.b.mp3",
        "élan.mp3", "Élan.mp3", "elan.mp3", "Zürich.mp3", "zurich.mp3", "ångström.mp3",
        "Ωmega.mp3", "ωmega.mp3", "Straße.mp3", "STRASSE.mp3", "strasse.mp3", "日本の歌.mp3",
        "Ärger.mp3", "ärger.mp3", "İstanbul.mp3", "istanbul.mp3", "ǅemal.mp3", "Ǆemal.mp3",
        "ǆemal.mp3", "a.MP3", "A.mp3", "\xff\xfe.mp3", "\xfe\xff.mp3", "\xc3.mp3"};
    for (const auto& n : names) dir.AddFile(n);
    LoadFolder(dir.Path());

    ASSERT_EQ(main->List1.ListCount(), static_cast<int>(names.size()));
    std::set<std::string> seen;
    for (int i = 0; i < main->List1.ListCount(); ++i) {
        EXPECT_EQ(Record(i), dir / main->List1.List(i)) << "item " << i;
        seen.insert(Record(i).substr(dir.Path().size() + 1));
    }
    EXPECT_EQ(seen, names) << "every file exactly once";
}

TEST_F(LoaderWindow, AnUnreadableDriveIsReportedAndTheListsFallBackToTheRoot) {
    MountCard();
    TempFolder dir, old;
    old.AddFile("kept.mp3");
    LoadFolder(old.Path());
    Form2& f = OpenAt(dir.Path());
    auto* drives = static_cast<QComboBox*>(f.Drive.Widget());
    drives->setCurrentIndex(drives->findText(QString::fromStdString(card)));  // the user's pick

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The drive " + card + " is not accessible.");
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Critical);
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(drives->currentText().toStdString(), "/");
    EXPECT_EQ(f.Drive.Drive(), "/");
    EXPECT_EQ(f.Dir.Path(), "/");
    EXPECT_EQ(f.File.Path(), "/");
    EXPECT_EQ(f.Loc.Text(), "/");
    EXPECT_EQ(main->Label2.Caption(), "/");
    EXPECT_EQ(Playlist(), Names{"kept.mp3"});
    EXPECT_EQ(Record(0), old / "kept.mp3");
}

TEST_F(LoaderWindow, WhenTheRootCannotBeReadEitherEachDriveIsReportedOnceAndTheListsStay) {
    MountCard();
    TempFolder dir;
    Form2& f = OpenAt(dir.Path());
    forms::SetFolderAccessCheck([](const std::string& p) { return p != "/" && std::filesystem::is_directory(p); });
    f.Drive.SetDrive(card);

    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "The drive / is not accessible.");
    EXPECT_EQ(f.Drive.Drive(), "/");
    EXPECT_EQ(f.Dir.Path(), dir.Path());
    EXPECT_EQ(main->Label2.Caption(), dir.Path());
}

TEST_F(LoaderWindow, FolderChangesShowAtOnceAndOnlyTheLabelOutlivesCancel) {
    // A playlist loaded before, which a cancelled browse must leave as it is.
    TempFolder earlier;
    earlier.AddFiles({"a.mp3", "b.mp3"});
    LoadFolder(earlier.Path());
    const Names loaded = Playlist();
    ASSERT_EQ(loaded, (Names{"a.mp3", "b.mp3"}));

    TempFolder dir;
    dir.AddFile("d.mp3");
    const std::string sub = dir.AddFolder("Albüm one");
    dir.AddFile("Albüm one/c.mp3");
    main->Command2_Click();
    EXPECT_EQ(main->Label2.Caption(), earlier.Path()) << "opening is no folder change";
    Form2& f = OpenAt(dir.Path());
    EXPECT_EQ(main->Label2.Caption(), dir.Path());
    f.Dir.SetPath("Albüm one");
    EXPECT_EQ(main->Label2.Caption(), sub);
    EXPECT_EQ(f.Loc.Text(), sub);
    EXPECT_EQ(f.Loc.ToolTipText(), sub);
    ASSERT_EQ(f.File.ListCount(), 1) << "a folder with a song to load, had the user wanted";

    main->Command2_Click();  // "Load list" again while open
    EXPECT_EQ(f.Dir.Path(), sub);
    EXPECT_EQ(f.Loc.Text(), sub);

    f.cancel_Click();
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(main->Label2.Caption(), sub);
    EXPECT_EQ(Playlist(), loaded);
    EXPECT_EQ(Record(0), earlier / "a.mp3");
    EXPECT_EQ(Record(1), earlier / "b.mp3");
    EXPECT_EQ(Record(2), "");
    main->Command2_Click();
    EXPECT_EQ(f.Dir.Path(), std::filesystem::current_path().string()) << "a new opening starts afresh";
    EXPECT_EQ(f.Loc.Text(), "");
    EXPECT_EQ(f.File.Pattern(), "*.mp3");
}

TEST_F(LoaderWindow, AFolderOfMoreFilesThanTheTableLoadsTheFirst12501AndSaysSo) {
    TempFolder dir(TempFolder::Place::Memory);
    const int files = Module1::SongTableLast + 2;
    for (int i = 0; i < files; ++i) dir.AddFile("s" + std::to_string(100000 + i) + ".mp3");
    Form2& f = OpenAt(dir.Path());
    ASSERT_EQ(f.File.ListCount(), files);
    const std::string lastLoaded = f.File.List(Module1::SongTableLast);
    f.select_Click();

    ASSERT_EQ(main->List1.ListCount(), Module1::SongTableLast + 1);
    EXPECT_EQ(main->List1.List(Module1::SongTableLast), lastLoaded);
    for (int i = 0; i <= Module1::SongTableLast; i += 97) EXPECT_EQ(Record(i), dir / main->List1.List(i));
    EXPECT_EQ(Record(Module1::SongTableLast), dir / lastLoaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Information);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(LoaderWindow, TheWindowIsAFixedDialogWithItsTabOrderAndAccessKeys) {
    main->Command2_Click();
    Form2& f = forms::Default<Form2>();
    EXPECT_EQ(f.Caption(), "Load playlist");
    EXPECT_EQ(f.Widget()->minimumSize(), f.Widget()->maximumSize());
    EXPECT_EQ(f.Widget()->size(), QSize(forms::TwipsToPixelsX(5865), forms::TwipsToPixelsY(6090)));

    // Tab order, ignoring the inner widgets Qt puts in the focus chain.
    const std::vector<forms::Control*> order = {&f.Combo1, &f.File,   &f.Dir,    &f.Drive,
                                                &f.refresh, &f.cancel, &f.select, &f.Loc};
    std::vector<std::string> chain;
    QWidget* w = order.front()->Widget();
    for (int step = 0; step < 100 && chain.size() < order.size(); ++step, w = w->nextInFocusChain())
        for (forms::Control* c : order)
            if (c->Widget() == w) chain.push_back(c->Name());
    EXPECT_EQ(chain, (Names{"Combo1", "File", "Dir", "Drive", "refresh", "cancel", "select", "Loc"}));

    EXPECT_EQ(static_cast<QPushButton*>(f.refresh.Widget())->shortcut(), QKeySequence("Alt+R"));
    EXPECT_EQ(static_cast<QPushButton*>(f.cancel.Widget())->shortcut(), QKeySequence("Alt+C"));
    EXPECT_EQ(static_cast<QPushButton*>(f.select.Widget())->shortcut(), QKeySequence("Alt+S"));
}

} // namespace
