#include "file_lists.h"

#include "events.h"
#include "lists.h"
#include "runtime_error.h"

#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QStyle>

#include <dirent.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;

namespace forms {

namespace {

constexpr const char* Root = "/";

// ---- Mount table --------------------------------------------------------------------------------

// File systems that never hold a user's files: kernel interfaces, memory-backed scratch space,
// and the layers container and package tools build on.
bool isPseudoFileSystem(std::string_view type) {
    static constexpr std::array<std::string_view, 30> pseudo = {
        "proc",       "sysfs",        "tmpfs",      "devtmpfs",  "devpts",     "cgroup",
        "cgroup2",    "securityfs",   "debugfs",    "tracefs",   "pstore",     "bpf",
        "configfs",   "fusectl",      "mqueue",     "hugetlbfs", "autofs",     "binfmt_misc",
        "rpc_pipefs", "nsfs",         "efivarfs",   "selinuxfs", "ramfs",      "squashfs",
        "overlay",    "rootfs",       "nfsd",       "fuse.lxcfs", "fuse.portal", "fuse.gvfsd-fuse",
    };
    return std::find(pseudo.begin(), pseudo.end(), type) != pseudo.end();
}

bool isUnder(std::string_view path, std::string_view folder) {
    if (folder == Root) return !path.empty() && path.front() == '/';
    return path == folder ||
           (path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
            path[folder.size()] == '/');
}

// Places where the system mounts its own things, even with ordinary file systems (a container
// bind-mounts single files under /etc; /boot holds the kernel).
bool isSystemPlace(std::string_view mountPoint) {
    if (isUnder(mountPoint, "/run/media")) return false;
    for (std::string_view place : {"/proc", "/sys", "/dev", "/run", "/boot", "/etc", "/snap",
                                   "/var/lib", "/var/snap"})
        if (isUnder(mountPoint, place)) return true;
    return false;
}

// The mount table writes blanks, tabs, newlines and backslashes in paths as \ooo octal.
std::string unescapeMountField(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                           std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                                       [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string readMountTable() {
    std::ifstream in("/proc/self/mounts");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool canOpenFolder(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    closedir(dir);
    return true;
}

std::function<std::string()>& mountTableSource() {
    static std::function<std::string()> source;
    return source;
}

std::function<bool(const std::string&)>& folderAccessCheck() {
    static std::function<bool(const std::string&)> check;
    return check;
}

std::string currentMountTable() {
    return mountTableSource() ? mountTableSource()() : readMountTable();
}

bool folderCanBeOpened(const std::string& folder) {
    return folderAccessCheck() ? folderAccessCheck()(folder) : canOpenFolder(folder);
}

std::string processFolder() {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? std::string(Root) : NormalFolderPath(Root, here.string());
}

[[noreturn]] void pathNotFound() { throw RuntimeError(ErrorNumber::PathNotFound, "Path not found"); }

bool isHidden(const std::string& name) { return !name.empty() && name.front() == '.'; }

void sortByListOrder(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), ListOrderLess);
}

// The names of a folder's entries that are not hidden and that keep(entry, name) accepts, in
// list order. Entries that cannot be read are left out.
template <class Keep>
std::vector<std::string> visibleEntries(const std::string& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!isHidden(name) && keep(*it, name)) names.push_back(std::move(name));
    }
    sortByListOrder(names);
    return names;
}

// ---- Patterns -----------------------------------------------------------------------------------

std::u32string folded(const std::string& text) {
    const QList<uint> ucs4 = QString::fromStdString(text).toCaseFolded().toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

// "*" any run, "?" one character; greedy with one back-track point, so linear in practice.
bool globMatch(const std::u32string& name, const std::u32string& glob) {
    size_t n = 0, g = 0, starG = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (g < glob.size() && (glob[g] == U'?' || glob[g] == name[n])) {
            ++n, ++g;
        } else if (g < glob.size() && glob[g] == U'*') {
            starG = g++;
            starN = n;
        } else if (starG != std::u32string::npos) {
            g = starG + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == U'*') ++g;
    return g == glob.size();
}

// A pattern compiled once for a whole folder.
class PatternMatcher {
public:
    explicit PatternMatcher(const std::string& pattern) {
        std::istringstream parts(pattern);
        std::string part;
        while (std::getline(parts, part, ';')) {
            const auto first = part.find_first_not_of(' ');
            if (first == std::string::npos) continue;
            part = part.substr(first, part.find_last_not_of(' ') - first + 1);
            // "*.*" is the classic "every file", names without an extension included.
            if (part == "*.*") part = "*";
            globs_.push_back(folded(part));
        }
    }
    bool Matches(const std::string& name) const {
        const std::u32string n = folded(name);
        return std::any_of(globs_.begin(), globs_.end(),
                           [&](const std::u32string& g) { return globMatch(n, g); });
    }

private:
    std::vector<std::u32string> globs_;
};

} // namespace

// ---- Free functions ---------------------------------------------------------------------------

std::vector<std::string> DrivesFromMountTable(const std::string& mountTable) {
    std::vector<std::string> others;
    std::istringstream lines(mountTable);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        const std::string place = NormalFolderPath(Root, unescapeMountField(mountPoint));
        if (place == Root || isPseudoFileSystem(type) || isSystemPlace(place)) continue;
        if (std::find(others.begin(), others.end(), place) == others.end()) others.push_back(place);
    }
    sortByListOrder(others);
    others.insert(others.begin(), Root);
    return others;
}

std::string DriveOfFolder(const std::vector<std::string>& drives, const std::string& folder) {
    std::string best = Root;
    for (const auto& d : drives)
        if (isUnder(folder, d) && d.size() > best.size()) best = d;
    return best;
}

std::string NormalFolderPath(const std::string& base, const std::string& path) {
    fs::path p(path);
    if (p.is_relative()) p = fs::path(base.empty() ? Root : base) / p;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s.empty() ? std::string(Root) : s;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    return PatternMatcher(pattern).Matches(name);
}

void SetMountTableSource(std::function<std::string()> source) {
    mountTableSource() = std::move(source);
}

void SetFolderAccessCheck(std::function<bool(const std::string&)> check) {
    folderAccessCheck() = std::move(check);
}

// ---- DriveListBox -------------------------------------------------------------------------------

QWidget* DriveListBox::CreateWidget(QWidget* parent) {
    auto* w = new QComboBox(parent);
    w->setEditable(false);
    // Only the user's choices arrive here; SetDrive blocks the signal and runs Change itself.
    QObject::connect(w, &QComboBox::currentIndexChanged, [this](int index) {
        if (index < 0 || index == current_) return;
        current_ = index;
        if (Change) Dispatch(Change);
    });
    return w;
}

void DriveListBox::ResetState() {
    drives_ = DrivesFromMountTable(currentMountTable());
    const std::string drive = DriveOfFolder(drives_, processFolder());
    current_ = static_cast<int>(std::find(drives_.begin(), drives_.end(), drive) - drives_.begin());
    auto* w = static_cast<QComboBox*>(ExistingWidget());
    const QSignalBlocker quiet(w);
    for (const auto& d : drives_) w->addItem(QString::fromStdString(d));
    w->setCurrentIndex(current_);
}

std::string DriveListBox::Drive() {
    Touch();
    return drives_.at(static_cast<size_t>(current_));
}

void DriveListBox::SetDrive(const std::string& drive) {
    Touch();
    const std::string wanted = drive.empty() ? drive : NormalFolderPath(Root, drive);
    const auto at = std::find(drives_.begin(), drives_.end(), wanted);
    if (at == drives_.end()) throw RuntimeError(ErrorNumber::DeviceUnavailable, "Device unavailable");
    const int index = static_cast<int>(at - drives_.begin());
    if (index == current_) return;
    current_ = index;
    if (auto* w = static_cast<QComboBox*>(ExistingWidget())) {
        const QSignalBlocker quiet(w);
        w->setCurrentIndex(index);
    }
    if (Change) Change();
}

// ---- DirListBox ---------------------------------------------------------------------------------

QWidget* DirListBox::CreateWidget(QWidget* parent) {
    auto* w = new QListWidget(parent);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(w, &QListWidget::itemActivated, [this, w](QListWidgetItem* item) {
        const std::string folder = item->data(Qt::UserRole).toByteArray().toStdString();
        // Opening a folder rebuilds the list, which must not happen under the item's own signal.
        QMetaObject::invokeMethod(
            w, [this, folder] { Dispatch([&] { SetPath(folder); }); }, Qt::QueuedConnection);
    });
    return w;
}

void DirListBox::ResetState() {
    path_ = processFolder();
    Fill();
}

void DirListBox::Fill() {
    auto* w = static_cast<QListWidget*>(ExistingWidget());
    if (!w) return;
    const QIcon open = w->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = w->style()->standardIcon(QStyle::SP_DirClosedIcon);
    w->clear();
    auto add = [&](const std::string& folder, const std::string& name, int depth, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, QString(depth * 2, ' ') + QString::fromStdString(name));
        item->setData(Qt::UserRole, QByteArray::fromStdString(folder));
        w->addItem(item);
    };

    // The open folder and every folder above it, from the root down.
    add(Root, Root, 0, open);
    std::string folder;
    int depth = 0;
    for (const auto& step : fs::path(path_).relative_path()) {
        folder += "/" + step.string();
        add(folder, step.string(), ++depth, open);
    }
    w->setCurrentRow(w->count() - 1);

    const auto subfolders = visibleEntries(path_, [](const fs::directory_entry& e, const std::string&) {
        std::error_code ec;
        return e.is_directory(ec);
    });
    const std::string prefix = path_ == Root ? std::string() : path_;
    for (const auto& name : subfolders) add(prefix + "/" + name, name, depth + 1, closed);
}

std::string DirListBox::Path() {
    Touch();
    return path_;
}

void DirListBox::SetPath(const std::string& path) {
    Touch();
    if (path.empty()) return;
    const std::string folder = NormalFolderPath(path_, path);
    if (!folderCanBeOpened(folder)) pathNotFound();
    if (folder == path_) return;
    path_ = folder;
    Fill();
    if (Change) Change();
}

void DirListBox::Refresh() {
    Touch();
    Fill();
}

// ---- FileListBox --------------------------------------------------------------------------------

QWidget* FileListBox::CreateWidget(QWidget* parent) {
    auto* w = new QListView(parent);
    w->setModel(new QStringListModel(w));
    w->setUniformItemSizes(true);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    return w;
}

void FileListBox::ResetState() {
    pattern_ = "*.*";
    path_ = processFolder();
    names_.clear();
    try {
        Read(path_);
    } catch (const RuntimeError&) {
        ShowNames();  // the process's folder may be gone: start empty
    }
}

void FileListBox::Read(const std::string& folder) {
    if (!folderCanBeOpened(folder)) pathNotFound();
    const PatternMatcher matcher(pattern_);
    auto names = visibleEntries(folder, [&](const fs::directory_entry& e, const std::string& name) {
        std::error_code ec;
        return e.is_regular_file(ec) && matcher.Matches(name);
    });
    if (names.size() > static_cast<size_t>(MaxNames)) names.resize(MaxNames);
    names_ = std::move(names);
    path_ = folder;
    ShowNames();
}

void FileListBox::ShowNames() {
    auto* w = static_cast<QListView*>(ExistingWidget());
    if (!w) return;
    QStringList texts;
    texts.reserve(static_cast<int>(names_.size()));
    for (const auto& n : names_) texts << QString::fromStdString(n);
    static_cast<QStringListModel*>(w->model())->setStringList(texts);
}

std::string FileListBox::Path() {
    Touch();
    return path_;
}

void FileListBox::SetPath(const std::string& path) {
    Touch();
    if (path.empty()) return;
    Read(NormalFolderPath(path_, path));
}

std::string FileListBox::Pattern() {
    Touch();
    return pattern_;
}

void FileListBox::SetPattern(const std::string& pattern) {
    Touch();
    pattern_ = pattern;
    Refresh();
}

int16_t FileListBox::ListCount() {
    Touch();
    return static_cast<int16_t>(names_.size());
}

std::string FileListBox::List(int index) {
    Touch();
    if (index < -1) throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    if (index < 0 || index >= static_cast<int>(names_.size())) return {};
    return names_[static_cast<size_t>(index)];
}

void FileListBox::Refresh() {
    Touch();
    // A folder deleted since it was opened simply shows no files.
    try {
        Read(path_);
    } catch (const RuntimeError&) {
        names_.clear();
        ShowNames();
    }
}

} // namespace forms
