#pragma once
// CSpeedInfoStore: the speed-dial buttons, kept in the registry (SpeedRegistry.h) and in step with
// the contacts they point to, with the operations of the speed-dial window: find by cell, move,
// rename, remove, sort, assign and dial.
#include <cstdint>
#include <vector>

#include "core/result/Status.h"
#include "core/str/Str.h"
#include "phone/speed/SpeedRecord.h"
#include "platform/window/WindowTypes.h"

class Contact;
class Dialer;
class PhoneTemplates;
class SpeedContacts;

class CSpeedInfoStore {
public:
    static constexpr uint32_t kStrUnnamed = 41280;
    static constexpr uint32_t kStrAdd = 41430;
    static constexpr uint32_t kStrNotSaved = 41431;
    enum class Direction { Up, Down, Left, Right };

    explicit CSpeedInfoStore(SpeedContacts& contacts) : contacts_(contacts) {}

    // Each change below is made in memory and written at once; a write that fails gives
    // StatusCode::Failed with the text kStrNotSaved (the buttons shown are then not those kept).

    // Reads the records in position order, then brings each one with a contact up to date (a
    // record whose update cannot be written is updated again at the next Load).
    void Load(int columns, int rows);
    // Writes the record at `position`, or every record with -1.
    Status Save(int position);
    // Removes the record in `cell` and writes the key anew (positions close up); -1 removes all.
    Status Remove(int cell);
    // The position of the record in `cell`, or -1.
    int FindCell(int cell) const;
    // The record in `from` goes to `to`; one already in `to` goes to `from`. StatusCode::Invalid,
    // changing nothing, when `from` is empty or `to` lies outside the grid.
    Status Move(int from, int to);
    Status Rename(int cell, const Str& text);
    // Gives the button `text` as its name when it differs from the name it shows now.
    Status ApplyRename(int cell, const Str& text);
    // Orders the records by DisplayName with the locale's collation and renumbers their cells.
    Status SortByName();
    // The record gets the contact's names and the phone field `tag`, in `cell`.
    // StatusCode::NotFound, changing nothing, when the contact cannot be read.
    Status Assign(int cell, uint32_t oid, uint32_t tag);
    // Calls the button in `cell` (the given number, else its own) through `dialer`. Returns
    // Dial's result; kDialMissing for an empty cell.
    int DialButton(int cell, const Str& number, Dialer& dialer, plat::HWND owner,
                   const PhoneTemplates& formats);

    const std::vector<SpeedRecord>& Records() const { return records_; }
    int Columns() const { return columns_; }
    int Cells() const { return columns_ * rows_; }

    // Display, else (in File As order) the File As text, else the name made from Last, First,
    // Company and Middle, else "Unnamed".
    static Str DisplayName(const SpeedRecord& record);
    // The number line of a button: "number (type)", or the number alone without a type.
    static Str NumberLine(const SpeedRecord& record, const PhoneTemplates& formats);
    // The names Rename offers, in order, each only when its parts are not empty.
    static std::vector<Str> RenameCandidates(const SpeedRecord& record);
    // The cell of speed-dial entry `entry`, the digit of a keypad key held down. Entries count the
    // buttons from 1, so a grid of three columns lies as the keypad does ("2" is the second button).
    static int CellOfEntry(int entry) { return entry - 1; }
    // The cell one step from `cell`, or -1 outside 0 to cells - 1.
    static int MoveTarget(int cell, Direction direction, int columns, int cells);

private:
    void Refresh(int position);
    Status SaveAll();

    SpeedContacts& contacts_;
    std::vector<SpeedRecord> records_;
    int columns_ = 0;
    int rows_ = 0;
};
