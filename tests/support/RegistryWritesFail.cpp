#include "support/RegistryWritesFail.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

RegistryWritesFail::RegistryWritesFail(const TempDevice& device)
    : file_(device.Host(u"\\Windows\\registry.db")) {
    Run("CREATE TRIGGER fail_insert BEFORE INSERT ON entries BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
        "CREATE TRIGGER fail_update BEFORE UPDATE ON entries BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
        "CREATE TRIGGER fail_delete BEFORE DELETE ON entries BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
}

RegistryWritesFail::~RegistryWritesFail() {
    Run("DROP TRIGGER fail_insert; DROP TRIGGER fail_update; DROP TRIGGER fail_delete;");
}

void RegistryWritesFail::Run(const char* sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open(file_.c_str(), &db) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << file_;
    } else if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db);
    }
    sqlite3_close(db);
}
