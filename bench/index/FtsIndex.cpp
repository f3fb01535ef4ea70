#include "FtsIndex.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <unordered_set>

#include "BenchQueries.h"
#include "core/str/Str.h"

namespace {

// Tilde and plus are word characters of the index (phone keys, "+49"); every other separator of
// the index is punctuation to the unicode61 tokenizer already.
constexpr const char* kSchema =
    "CREATE VIRTUAL TABLE words USING fts5(t, g, prefix='1 2 3', "
    "tokenize=\"unicode61 remove_diacritics 0 tokenchars '~+'\");"
    "CREATE TABLE contacts(id INTEGER PRIMARY KEY, name_place INTEGER NOT NULL, numbered INTEGER NOT NULL);"
    "CREATE INDEX contacts_by_name ON contacts(name_place);"
    "CREATE TABLE categories(category INTEGER NOT NULL, id INTEGER NOT NULL, PRIMARY KEY(category, id)) WITHOUT ROWID;"
    "CREATE INDEX categories_by_contact ON categories(id);";
constexpr const char* kQuery =
    "SELECT c.id FROM words JOIN contacts c ON c.id = words.rowid WHERE words MATCH ?1 ORDER BY c.name_place";
constexpr const char* kUncategorised =
    "SELECT c.id FROM contacts c WHERE c.numbered AND NOT EXISTS (SELECT 1 FROM categories k WHERE k.id = c.id) "
    "ORDER BY c.name_place";

std::string Utf8(std::u16string_view text) { return Str(text).ToUtf8(); }

std::string Joined(const std::vector<std::u16string>& words) {
    std::u16string out;
    for (const std::u16string& word : words) out += word + u" ";
    return Utf8(out);
}

// `t : "an"* AND t : "sm"*`: every token a quoted prefix in the column.
std::string MatchExpression(std::u16string_view query, SearchTree tree) {
    const std::string column = tree == SearchTree::Text ? "t" : "g";
    std::string out;
    for (const std::u16string& token : LookupTokens(query, tree)) {
        std::string quoted;
        for (char ch : Utf8(token)) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        out += (out.empty() ? "" : " AND ") + column + " : \"" + quoted + "\"*";
    }
    return out;
}

}  // namespace

FtsIndex::FtsIndex(std::span<const uint32_t> order, std::span<const WordRow> rows) {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("cannot open SQLite");
    Exec(kSchema);
    Load(order, rows);
    if (sqlite3_prepare_v2(db_, kQuery, -1, &query_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_, kUncategorised, -1, &uncategorised_, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
}

FtsIndex::~FtsIndex() {
    sqlite3_finalize(query_);
    sqlite3_finalize(uncategorised_);
    sqlite3_close(db_);
}

void FtsIndex::Exec(const char* sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : "SQLite error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

void FtsIndex::Load(std::span<const uint32_t> order, std::span<const WordRow> rows) const {
    Exec("BEGIN");
    sqlite3_stmt* word = nullptr;
    sqlite3_stmt* contact = nullptr;
    sqlite3_stmt* category = nullptr;
    sqlite3_prepare_v2(db_, "INSERT INTO words(rowid, t, g) VALUES (?1, ?2, ?3)", -1, &word, nullptr);
    sqlite3_prepare_v2(db_, "INSERT INTO contacts(id, name_place, numbered) VALUES (?1, ?2, ?3)", -1, &contact, nullptr);
    sqlite3_prepare_v2(db_, "INSERT OR IGNORE INTO categories(category, id) VALUES (?1, ?2)", -1, &category, nullptr);
    std::unordered_set<uint32_t> numbered;
    for (const WordRow& row : rows) {
        if (row.categories.numbered) numbered.insert(row.oid);
    }
    for (uint32_t place = 0; place < order.size(); ++place) {
        sqlite3_bind_int64(contact, 1, order[place]);
        sqlite3_bind_int64(contact, 2, place);
        sqlite3_bind_int(contact, 3, numbered.contains(order[place]) ? 1 : 0);
        if (sqlite3_step(contact) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
        sqlite3_reset(contact);
    }
    for (const WordRow& row : rows) {
        for (const uint32_t id : row.categories.ids) {
            sqlite3_bind_int64(category, 1, id);
            sqlite3_bind_int64(category, 2, row.oid);
            if (sqlite3_step(category) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
            sqlite3_reset(category);
        }
    }
    sqlite3_finalize(category);
    for (const WordRow& row : rows) {
        const std::string text = Joined(row.text);
        const std::string groups = Joined(row.groups);
        sqlite3_bind_int64(word, 1, row.oid);
        sqlite3_bind_text(word, 2, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(word, 3, groups.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(word) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
        sqlite3_reset(word);
    }
    sqlite3_finalize(word);
    sqlite3_finalize(contact);
    Exec("COMMIT; INSERT INTO words(words) VALUES('optimize');");
}

OidVector FtsIndex::Search(std::u16string_view query, SearchTree tree) const {
    const std::string match = MatchExpression(query, tree);
    OidVector out;
    if (match.empty()) return out;
    sqlite3_bind_text(query_, 1, match.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(query_) == SQLITE_ROW) out.push_back(static_cast<uint32_t>(sqlite3_column_int64(query_, 0)));
    sqlite3_reset(query_);
    return out;
}

OidVector FtsIndex::Filter(std::span<const uint32_t> ids) const {
    OidVector out;
    sqlite3_stmt* statement = uncategorised_;
    if (!ids.empty()) {
        std::string list;
        for (const uint32_t id : ids) list += (list.empty() ? "" : ", ") + std::to_string(id);
        const std::string sql = "SELECT c.id FROM contacts c WHERE c.id IN (SELECT id FROM categories WHERE category IN (" +
                                list + ")) ORDER BY c.name_place";
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return out;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) out.push_back(static_cast<uint32_t>(sqlite3_column_int64(statement, 0)));
    if (statement == uncategorised_) {
        sqlite3_reset(statement);
    } else {
        sqlite3_finalize(statement);
    }
    return out;
}

uint64_t FtsIndex::Bytes() const {
    sqlite3_stmt* pages = nullptr;
    uint64_t bytes = 0;
    if (sqlite3_prepare_v2(db_, "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size", -1,
                           &pages, nullptr) == SQLITE_OK &&
        sqlite3_step(pages) == SQLITE_ROW) {
        bytes = static_cast<uint64_t>(sqlite3_column_int64(pages, 0));
    }
    sqlite3_finalize(pages);
    return bytes;
}
