#pragma once
// What the index's operations came to. Both are [[nodiscard]]: a caller that drops one could take
// a failed change for a done one.
//
// A change that failed part-way leaves the properties store flagged as being updated, so the files
// are refused at their next open and rebuilt from the database; the index is never left wrong
// without that mark.

// (clang-format 14 misreads an attribute on an enumeration.)
// clang-format off

// Opening the index files against the database.
enum class [[nodiscard]] IndexOpen {
    Failed = 0,  // missing, damaged, saved mid-update or ordered by another collation
    Ready = 1,
    Stale = 2,  // must be checked against the database
    Behind = 3,  // the journal lists the contacts changed since the files were saved: re-read those
};

// One contact added to, replaced in or removed from the index.
enum class [[nodiscard]] IndexChange {
    Done,
    NotHeld,  // a removal of a contact the index does not hold: nothing changed, nothing failed
    Failed,   // the index could not take the change (marked as above)
};

// clang-format on
