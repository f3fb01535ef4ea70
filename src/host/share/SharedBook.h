#pragma once
// The contacts where the host computer's phone programs read them: one vCard 3.0 file per contact
// in a folder the host's address-book readers watch, and, where the host keeps one, a table of
// numbers and names (one line a number: "number TAB name"). docs/host.md names the places.
//
// Every file is written whole or not at all: it is written under a temporary name in its folder
// (a name the readers pass over) and renamed into place, so a reader, or a crash mid-write, sees
// the old file or the new one, never a part.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_set>

#include "store/vcard/VCard.h"

struct SharedBookPaths {
    std::filesystem::path cards;  // the folder of the vCard files
    std::filesystem::path table;  // the numbers table; empty when the host keeps none
};

// Where the host's programs read contacts: $XDG_DATA_HOME/kpeoplevcard/brevane (XDG_DATA_HOME
// defaults to ~/.local/share), and ~/.config/sxmo/contacts.tsv when the folder ~/.config/sxmo
// exists (XDG_CONFIG_HOME replaces ~/.config).
SharedBookPaths HostSharedBookPaths();

class SharedBook {
public:
    explicit SharedBook(SharedBookPaths paths) : paths_(std::move(paths)) {}

    // The contact's card under the file `<oid in hex>.vcf` (vCard 3.0), and its numbers for the
    // table: the card's TEL values, each with its FN. False when the file cannot be written.
    [[nodiscard]] bool Put(uint32_t oid, const VCard& card);
    // Takes the card's table lines without writing its file (the file is as it was).
    void Learn(uint32_t oid, const VCard& card);
    // Removes the contact's file and its table lines; a file already gone is not a failure.
    [[nodiscard]] bool Remove(uint32_t oid);
    // Removes every contact file (and temporary file left by an interrupted write) of an
    // identifier not in `keep`, and their table lines.
    [[nodiscard]] bool KeepOnly(const std::unordered_set<uint32_t>& keep);
    // Writes the table when a change since the last write touched it; true when there is nothing
    // to write or it was written.
    [[nodiscard]] bool WriteTable();

    const SharedBookPaths& Paths() const { return paths_; }
    static std::string FileName(uint32_t oid);

private:
    SharedBookPaths paths_;
    std::map<uint32_t, std::string> lines_;  // the table's lines of each contact
    bool tableChanged_ = true;               // the file may differ from the lines until written once
};

// Writes `bytes` to `file` whole or not at all (a temporary file beside it, renamed into place).
[[nodiscard]] bool WriteFileWhole(const std::filesystem::path& file, std::string_view bytes);
