#include "SqlitePeer.h"

#include <sqlite3.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "store/contact/ContactFields.h"
#include "store/vcard/ContactTransfer.h"

namespace {

constexpr const char* kSchema =
    "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;"
    "CREATE TABLE contacts(id INTEGER PRIMARY KEY, first TEXT, last TEXT, company TEXT, file_as TEXT,"
    " phones TEXT, emails TEXT, note TEXT, picture BLOB, categories TEXT);"
    "CREATE VIRTUAL TABLE words USING fts5(t, prefix='1 2 3');";

// Texts joined by blanks, the empty ones left out.
std::string Joined(const Contact& contact, std::initializer_list<int> fields) {
    std::string text;
    for (const int field : fields) {
        const std::string part = contact.GetText(field).ToUtf8();
        if (part.empty()) continue;
        if (!text.empty()) text += ' ';
        text += part;
    }
    return text;
}

}  // namespace

SqlitePeer::SqlitePeer(const std::filesystem::path& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open " + path.string());
    Exec(kSchema);
    if (sqlite3_prepare_v2(db_, "INSERT INTO contacts(first, last, company, file_as, phones, emails, note, picture,"
                                " categories) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                           -1, &contact_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_, "INSERT INTO words(rowid, t) VALUES (?1, ?2)", -1, &words_, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
}

SqlitePeer::~SqlitePeer() {
    sqlite3_finalize(contact_);
    sqlite3_finalize(words_);
    sqlite3_close(db_);
}

void SqlitePeer::Exec(const char* sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : "SQLite error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

void SqlitePeer::Step(sqlite3_stmt* statement) const {
    if (sqlite3_step(statement) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
    sqlite3_reset(statement);
}

void SqlitePeer::Add(const std::vector<ImportedContact>& contacts) {
    Exec("BEGIN");
    for (const ImportedContact& imported : contacts) AddOne(imported);
    Exec("COMMIT");
}

void SqlitePeer::AddOne(const ImportedContact& imported) {
    const Contact& c = imported.contact;
    const std::string texts[] = {
        c.GetText(kFieldFirst).ToUtf8(), c.GetText(kFieldLast).ToUtf8(), c.GetText(kFieldCompany).ToUtf8(),
        c.GetText(kFieldFileAs).ToUtf8(), Joined(c, {kFieldMobile, kFieldWorkPhone, kFieldHomePhone, kFieldWorkFax}),
        Joined(c, {kFieldEmail1, kFieldEmail2}), c.GetNoteText().ToUtf8()};
    std::string categories;
    for (const Str& name : imported.categories) categories += name.ToUtf8() + ",";
    for (int i = 0; i < 7; ++i) sqlite3_bind_text(contact_, i + 1, texts[i].c_str(), -1, SQLITE_TRANSIENT);
    const auto picture = c.GetPicture().ImageBytes().Bytes();
    sqlite3_bind_blob(contact_, 8, picture.data(), static_cast<int>(picture.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(contact_, 9, categories.c_str(), -1, SQLITE_TRANSIENT);
    Step(contact_);
    const std::string words = Joined(c, {kFieldFirst, kFieldMiddle, kFieldLast, kFieldCompany, kFieldJobTitle,
                                         kFieldEmail1, kFieldWeb}) + " " + texts[6];
    sqlite3_bind_int64(words_, 1, sqlite3_last_insert_rowid(db_));
    sqlite3_bind_text(words_, 2, words.c_str(), -1, SQLITE_TRANSIENT);
    Step(words_);
}

int SqlitePeer::Count() const {
    sqlite3_stmt* count = nullptr;
    int rows = -1;
    if (sqlite3_prepare_v2(db_, "SELECT count(*) FROM contacts", -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW) {
        rows = sqlite3_column_int(count, 0);
    }
    sqlite3_finalize(count);
    return rows;
}

int RunPeerImport(const std::filesystem::path& vcards, const std::filesystem::path& database) {
    std::ifstream in(vcards, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    if (!in || !ImportContacts(bytes.str(), contacts, skipped).ok()) return 1;
    SqlitePeer peer(database);
    peer.Add(contacts);
    std::cout << peer.Count() << "\n";
    return 0;
}
