#include "platform/programs/Standins.h"

#include <unistd.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "platform/device/Device.h"

namespace fs = std::filesystem;

namespace plat {
namespace {

constexpr StandinFile kStandins[] = {
    {u"\\Windows\\tmail.exe", "standin-tmail", false},
    {u"\\Windows\\pmail.exe", "standin-pmail", false},
    {u"\\Windows\\iexplore.exe", "standin-iexplore", false},
    {u"\\Windows\\cprog.exe", "standin-cprog", true},
    {u"\\Windows\\callpol.exe", "standin-callpol", true},
    {u"\\Windows\\Velmora CallerID.exe", "standin-callerid", false},
    {u"\\Program Files\\Brevane\\Velmora Dialer.exe", "standin-dialer", false},
    {u"\\Program Files\\Brevane\\Velmora History.exe", "standin-history", false},
    {u"\\Windows\\phone.dll", "standin-phone.so", true},
    {u"\\Windows\\coredll.dll", "standin-coredll.so", false},
    {u"\\Windows\\Aygshell.dll", "standin-aygshell.so", false},
    {u"\\Windows\\VelmoraPimUtil.dll", "standin-pimutil.so", false},
    {u"\\Windows\\VelmoraPimServ.dll", "standin-pimserv.so", false},
    {u"\\Windows\\BrevaneToday.dll", "standin-today.so", false},
};

// The first stand-in of the table marks a folder that holds them.
bool HoldsStandins(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kStandins[0].hostName, ec);
}

std::optional<fs::path> RunningExecutableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    return self.parent_path();
}

// Links the device file to the built or installed one (copies it where the folder holds no
// symbolic links), under a name of this process's own first and renamed into place: processes
// installing at once all end with a whole file, and a link planted under the name is replaced,
// never written through.
void Place(const fs::path& from, const fs::path& to) {
    const fs::path target = fs::canonical(from);
    const fs::path draft = to.string() + ".new-" + std::to_string(getpid());
    std::error_code ec;
    fs::remove(draft, ec);
    fs::create_symlink(target, draft, ec);
    if (ec) {
        fs::copy_file(target, draft);
        fs::permissions(draft, fs::status(target).permissions());
    }
    fs::rename(draft, to);
}

// True when the device already holds a file (or a link to one) that is not empty: an empty file
// is only the phone marker and makes way for the library, a link leading nowhere for a new one.
bool Holds(const fs::path& to) {
    std::error_code ec;
    return fs::exists(to, ec) && fs::file_size(to, ec) != 0 && !ec;
}

// The first of `dir`/`below` (for each of `belows`) that `fits`, for the running executable's
// folder and each folder above it.
template <typename Fits>
std::optional<fs::path> FindAboveExecutable(std::initializer_list<const char*> belows, Fits fits) {
    const auto start = RunningExecutableFolder();
    if (!start) return std::nullopt;
    for (fs::path dir = *start;; dir = dir.parent_path()) {
        for (const char* below : belows) {
            if (fits(dir / below)) return dir / below;
        }
        if (dir == dir.root_path() || dir.empty()) return std::nullopt;
    }
}

}  // namespace

std::span<const StandinFile> StandinFiles() { return kStandins; }

std::optional<fs::path> FindStandinFolder() {
    const char* chosen = std::getenv("BREVANE_STANDIN_DIR");
    if (chosen != nullptr && chosen[0] == '/') {
        if (HoldsStandins(chosen)) return fs::path(chosen);
        return std::nullopt;
    }
    return FindAboveExecutable({"standins", "src/app/standins", "lib/brevane/standins"}, HoldsStandins);
}

std::optional<fs::path> FindBuiltAddin(std::string_view fileName) {
    const auto found = FindAboveExecutable({"addins", "src/app/addins", "lib/brevane/addins"}, [&](const fs::path& dir) {
        std::error_code ec;
        return fs::is_regular_file(dir / fileName, ec);
    });
    if (!found) return std::nullopt;
    return *found / fileName;
}

bool InstallDeviceFile(const Device& device, const fs::path& from, std::u16string_view devicePath) {
    const auto to = device.ProgramHostPath(devicePath);
    std::error_code ec;
    if (!to || !fs::is_regular_file(from, ec)) return false;
    if (Holds(*to)) return true;
    try {
        fs::create_directories(to->parent_path());
        Place(from, *to);
    } catch (const fs::filesystem_error&) {
        return false;
    }
    return true;
}

std::size_t InstallStandins(const Device& device, const fs::path& folder, bool phone) {
    std::size_t installed = 0;
    for (const StandinFile& standin : kStandins) {
        const fs::path from = folder / standin.hostName;
        const auto to = device.ProgramHostPath(standin.devicePath);
        std::error_code ec;
        if ((standin.phoneOnly && !phone) || !to || !fs::is_regular_file(from, ec) || Holds(*to)) continue;
        Place(from, *to);
        ++installed;
    }
    return installed;
}

std::size_t RelinkStandins(const Device& device, const fs::path& folder) {
    std::size_t relinked = 0;
    for (const StandinFile& standin : kStandins) {
        const fs::path from = folder / standin.hostName;
        const auto to = device.ProgramHostPath(standin.devicePath);
        std::error_code ec;
        if (!to || !fs::is_symlink(fs::symlink_status(*to, ec)) || fs::exists(*to, ec) ||
            !fs::is_regular_file(from, ec)) {
            continue;
        }
        Place(from, *to);
        ++relinked;
    }
    return relinked;
}

}  // namespace plat
