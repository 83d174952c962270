#pragma once
// Throw-away folders, and a fixture with the main window loaded (fake mixer, splash measures in
// place), a fresh song table, and the lists' view of the machine restored after each test.
#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/file_lists.h"
#include "support/fake_mixer.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/frm_splash.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace loadertest {

// Removed with its contents. Tests that make thousands of files ask for memory-backed space.
class TempFolder {
public:
    enum class Place { Disk, Memory };
    explicit TempFolder(Place place = Place::Disk) {
        namespace fs = std::filesystem;
        const bool memory = place == Place::Memory && fs::is_directory("/dev/shm");
        std::string pattern =
            ((memory ? fs::path("/dev/shm") : fs::temp_directory_path()) / "corvessa-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    void AddFile(const std::string& name) const { std::ofstream(*this / name).put('\0'); }
    void AddFiles(std::initializer_list<std::string> names) const {
        for (const auto& n : names) AddFile(n);
    }
    std::string AddFolder(const std::string& name) const {
        std::filesystem::create_directory(*this / name);
        return *this / name;
    }

private:
    std::string path_;
};

class LoaderTest : public support::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Module1::SongTable.Reset();
        support::MeasuredScreen("8640", "12000");
        main = &forms::Default<Form4>();
        main->Load();
    }
    void TearDown() override {
        WindowTest::TearDown();
        forms::SetMountTableSource(nullptr);
        forms::SetFolderAccessCheck(nullptr);
        Module1::SongTable.Reset();
    }
    std::string Record(int i) { return Module1::SongTable(i).FullPath; }

    Form4* main = nullptr;
};

} // namespace loadertest
