#pragma once
// The rows of the "Manage category ringtone" dialog, which edits the ringtones and the call
// filter at once: "Default Ringtone" (always checked), the three special groups, then the
// categories (all of them when "CID_UseAllCat" is set, else those in use, in name order). A row's
// check says whether its group is let through, its ringtone is the group's ringtone file.
// Nothing is stored before Apply (the dialog's OK); Cancel simply drops the model.
#include <cstdint>

#include "core/array/Array.h"
#include "core/str/Str.h"

class CallFilter;
class RingtoneManager;

struct RingtoneRow {
    int32_t id = 0;  // the call filter id of the group
    Str name;        // its display name
    bool checked = false;
    Str ringtone;
};

class RingtoneListModel {
public:
    // Fills the rows from the filter and the ringtones. False when the categories cannot be read
    // (the rows then hold the special groups only).
    [[nodiscard]] bool Load(const CallFilter& filter, const RingtoneManager& ringtones);

    const Array<RingtoneRow>& Rows() const { return rows_; }
    // Tapping a row's check; the "Default Ringtone" row stays checked.
    void ToggleCheck(int row);
    // The "Change ringtone" dialog's OK: the path becomes the row's ringtone.
    void SetRingtone(int row, const Str& path);

    // OK: the rows' ringtones replace the stored ones, then the unchecked rows become the
    // filtered groups. True when both were saved.
    [[nodiscard]] bool Apply(CallFilter& filter, RingtoneManager& ringtones) const;

private:
    void AddRow(int32_t id, const Str& name, const CallFilter& filter);

    Array<RingtoneRow> rows_;
};
