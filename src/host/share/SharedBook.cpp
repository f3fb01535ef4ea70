#include "host/share/SharedBook.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/text/Utf.h"
#include "store/vcard/VCardWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCardSuffix = ".vcf";
constexpr std::string_view kTempMark = ".part-";

fs::path FolderFromEnv(const char* variable, const fs::path& fallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return fallback;
}

fs::path Home() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? fs::path(home) : fs::path("/");
}

// A table field holds no tab or line break.
std::string TableField(std::u16string_view text) {
    std::string field = plat::ToUtf8(text);
    for (char& c : field) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return field;
}

// The table's lines of a card: each TEL value with the card's FN.
std::string TableLines(const VCard& card) {
    std::u16string name;
    for (const VCardProperty& property : card.properties) {
        if (property.name == "FN") name = property.Text();
    }
    std::string lines;
    for (const VCardProperty& property : card.properties) {
        if (property.name != "TEL" || property.Text().empty()) continue;
        lines += TableField(property.Text()) + "\t" + TableField(name) + "\n";
    }
    return lines;
}

// The identifier of a contact file's name ("1a2b.vcf"), or of a temporary one (".1a2b.vcf.part-…").
bool OidOfName(const std::string& name, uint32_t& oid) {
    std::string_view rest = name;
    if (!rest.empty() && rest.front() == '.') rest.remove_prefix(1);
    const size_t suffix = rest.find(kCardSuffix);
    if (suffix == 0 || suffix == std::string_view::npos) return false;
    const std::string_view after = rest.substr(suffix + kCardSuffix.size());
    if (!after.empty() && after.substr(0, kTempMark.size()) != kTempMark) return false;
    const std::string digits(rest.substr(0, suffix));
    char* end = nullptr;
    const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (*end != '\0' || value > UINT32_MAX) return false;
    oid = static_cast<uint32_t>(value);
    return after.empty();
}

}  // namespace

SharedBookPaths HostSharedBookPaths() {
    SharedBookPaths paths;
    paths.cards = FolderFromEnv("XDG_DATA_HOME", Home() / ".local" / "share") / "kpeoplevcard" / "brevane";
    const fs::path sxmo = FolderFromEnv("XDG_CONFIG_HOME", Home() / ".config") / "sxmo";
    std::error_code error;
    if (fs::is_directory(sxmo, error)) paths.table = sxmo / "contacts.tsv";
    return paths;
}

bool WriteFileWhole(const fs::path& file, std::string_view bytes) {
    std::string name = ".";
    name.append(file.filename().string()).append(kTempMark).append(std::to_string(getpid()));
    const fs::path temp = file.parent_path() / name;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<size_t>(wrote);
    }
    const bool written = close(fd) == 0 && done == bytes.size();
    if (written && std::rename(temp.c_str(), file.c_str()) == 0) return true;
    unlink(temp.c_str());
    return false;
}

std::string SharedBook::FileName(uint32_t oid) {
    char name[16];
    std::snprintf(name, sizeof name, "%x", oid);
    return name + std::string(kCardSuffix);
}

void SharedBook::Learn(uint32_t oid, const VCard& card) {
    if (paths_.table.empty()) return;
    std::string& lines = lines_[oid];
    std::string now = TableLines(card);
    tableChanged_ = tableChanged_ || now != lines;
    lines = std::move(now);
}

bool SharedBook::Put(uint32_t oid, const VCard& card) {
    Learn(oid, card);
    std::error_code error;
    fs::create_directories(paths_.cards, error);
    std::string text;
    VCardWriter::Append(card, text);
    return WriteFileWhole(paths_.cards / FileName(oid), text);
}

bool SharedBook::Remove(uint32_t oid) {
    tableChanged_ = lines_.erase(oid) > 0 || tableChanged_;
    std::error_code error;
    fs::remove(paths_.cards / FileName(oid), error);
    return !error;
}

bool SharedBook::KeepOnly(const std::unordered_set<uint32_t>& keep) {
    std::erase_if(lines_, [&](const auto& entry) {
        const bool gone = !keep.contains(entry.first);
        tableChanged_ = tableChanged_ || gone;
        return gone;
    });
    std::error_code error;
    bool ok = true;
    for (fs::directory_iterator it(paths_.cards, error), end; !error && it != end; it.increment(error)) {
        uint32_t oid = 0;
        const bool card = OidOfName(it->path().filename().string(), oid);
        const bool temporary = !card && it->path().filename().string().find(kTempMark) != std::string::npos;
        if ((card && !keep.contains(oid)) || temporary) {
            std::error_code removeError;
            ok = fs::remove(it->path(), removeError) && ok;
        }
    }
    return ok;
}

bool SharedBook::WriteTable() {
    if (paths_.table.empty() || !tableChanged_) return true;
    std::string table;
    for (const auto& [oid, lines] : lines_) table += lines;
    if (!WriteFileWhole(paths_.table, table)) return false;
    tableChanged_ = false;
    return true;
}
