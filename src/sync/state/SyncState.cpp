#include "sync/state/SyncState.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "store/vcard/TransferEncoding.h"

namespace carddav {

namespace {

// Fields are separated by tabs; a tab, line break or '%' inside one is written %09, %0A, %0D, %25.
std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\t')
            out += "%09";
        else if (c == '\n')
            out += "%0A";
        else if (c == '\r')
            out += "%0D";
        else if (c == '%')
            out += "%25";
        else
            out += c;
    }
    return out;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

[[noreturn]] void Damaged(const std::filesystem::path& file, int line) {
    throw std::runtime_error("the sync state " + file.string() + " is damaged (line " + std::to_string(line) +
                             ")");
}

void TakeLine(SyncState& state, const std::vector<std::string>& f, const std::filesystem::path& file,
              int number) {
    if (f[0] == "token" && f.size() == 2) {
        state.token = Unescape(f[1]);
    } else if (f[0] == "journal" && f.size() == 2) {
        state.journal = std::stoll(f[1]);
    } else if (f[0] == "card" && f.size() == 7) {
        SyncEntry entry{static_cast<uint32_t>(std::stoul(f[1], nullptr, 16)),
                        Unescape(f[2]),
                        Unescape(f[3]),
                        Unescape(f[4]),
                        {},
                        Unescape(f[6])};
        if (!DecodeBase64(f[5], entry.base)) Damaged(file, number);
        state.byUrl[entry.url] = std::move(entry);
    } else if (f[0] == "conflict" && f.size() == 7) {
        state.conflicts.push_back(
            {Unescape(f[1]), Unescape(f[2]), Unescape(f[3]), Unescape(f[4]), Unescape(f[5]), Unescape(f[6])});
    } else {
        Damaged(file, number);
    }
}

}  // namespace

SyncState SyncState::Load(const std::filesystem::path& file) {
    SyncState state;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (std::filesystem::exists(file))
            throw std::runtime_error("cannot read the sync state " + file.string());
        return state;
    }
    std::string line;
    if (!std::getline(in, line) || line != kMagic) Damaged(file, 1);
    bool ended = false;
    for (int number = 2; std::getline(in, line); ++number) {
        if (line == "end") {
            ended = true;
            break;
        }
        try {
            TakeLine(state, Fields(line), file, number);
        } catch (const std::logic_error&) {
            Damaged(file, number);
        }
    }
    if (!ended) Damaged(file, 0);
    return state;
}

void SyncState::Save(const std::filesystem::path& file) const {
    std::ostringstream out;
    out << kMagic << "\ntoken\t" << Escape(token) << "\njournal\t" << journal << "\n";
    char oid[16];
    for (const auto& [url, e] : byUrl) {
        std::snprintf(oid, sizeof oid, "%x", e.oid);
        out << "card\t" << oid << "\t" << Escape(e.url) << "\t" << Escape(e.etag) << "\t" << Escape(e.uid)
            << "\t" << EncodeBase64(e.base) << "\t" << Escape(e.local) << "\n";
    }
    for (const Conflict& c : conflicts) {
        out << "conflict\t" << Escape(c.uid) << "\t" << Escape(c.name) << "\t" << Escape(c.property) << "\t"
            << Escape(c.localValue) << "\t" << Escape(c.serverValue) << "\t" << Escape(c.when) << "\n";
    }
    out << "end\n";
    const std::string bytes = out.str();
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const std::filesystem::path temporary = file.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    bool written = fd >= 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written) done += static_cast<size_t>(n);
    }
    written = written && ::fsync(fd) == 0;
    if (fd >= 0) written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), file.c_str()) != 0)
        throw std::runtime_error("cannot write the sync state " + file.string());
}

std::string UtcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

SyncEntry* SyncState::ByOid(uint32_t oid) {
    for (auto& [url, entry] : byUrl) {
        if (entry.oid == oid) return &entry;
    }
    return nullptr;
}

SyncEntry* SyncState::ByUid(const std::string& uid) {
    for (auto& [url, entry] : byUrl) {
        if (entry.uid == uid) return &entry;
    }
    return nullptr;
}

}  // namespace carddav
