#pragma once
// SearchState: what the search box and the alphabet bar have asked for, and how the box shows it.
//
// In normal mode the box holds typed text, trimmed into the search text. Pressing alphabet
// groups switches to alphabet mode: the box then shows the first member of each pressed group
// joined by dashes ("A-D-G"), two characters per group after the first, and backspace removes
// pressed groups instead of characters. The state also tells which characters of a row text to
// highlight for the current search.
#include <optional>
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"

struct AbcDefinition;
class AbcGroupTable;

// A run of highlighted characters of a row text.
struct Highlight {
    int start = 0;
    int count = 0;
};

class SearchState {
public:
    enum class Mode { Normal, Alphabet };

    Mode GetMode() const { return pressed_.IsEmpty() ? Mode::Normal : Mode::Alphabet; }
    const Str& SearchText() const { return searchText_; }
    const Array<int>& PressedGroups() const { return pressed_; }
    // The text the box shows: the typed text, or in alphabet mode the pressed groups' letters.
    const Str& BoxText() const { return boxText_; }

    // The box's text was changed by the user. Typing ends alphabet mode. The text is trimmed;
    // empty clears the pressed groups (the bar is reset). True when the search text changed and
    // the list must be rebuilt.
    [[nodiscard]] bool OnTextChanged(std::u16string_view text);

    // Presses group `index` of `definition` (ignored when the group does not exist). True when
    // it was pressed; the list must then be rebuilt with GroupQuery.
    [[nodiscard]] bool PressGroup(int index, const AbcDefinition& definition);

    // Backspace in alphabet mode with the caret at `caret` and the selection [selStart, selEnd)
    // (none when equal): removes the group before the caret, or every group whose letter the
    // selection covers. Nothing when the state is in normal mode: the box then handles the key
    // as an ordinary backspace.
    struct BackspaceResult {
        bool removed = false;  // groups were removed: rebuild the list
        int caret = 0;         // where the caret goes in the new box text
    };
    std::optional<BackspaceResult> Backspace(int caret, int selStart, int selEnd,
                                             const AbcDefinition& definition);
    // Removes the last pressed group (the bar's "back" button). False when none was pressed.
    [[nodiscard]] bool RemoveLastGroup(const AbcDefinition& definition);
    // Clears the pressed groups and returns to normal mode with an empty box.
    void ClearGroups();

    // The query for the group tree: for each pressed group, in order, the first character of
    // that group in `table`.
    Str GroupQuery(const AbcGroupTable& table) const;

    // The characters of `row` to highlight; nothing when none match or the row is empty.
    std::optional<Highlight> HighlightIn(std::u16string_view row, const AbcGroupTable& table) const;

private:
    void RemoveGroups(int first, int end, const AbcDefinition& definition);
    void RebuildBox(const AbcDefinition& definition);
    std::optional<Highlight> AlphabetHighlight(std::u16string_view row, const AbcGroupTable& table) const;
    std::optional<Highlight> TextHighlight(std::u16string_view row) const;

    Str searchText_;
    Str boxText_;
    Array<int> pressed_;
};

// What a press of an alphabet bar button asks for.
struct AbcBarAction {
    enum Kind { None, PressGroup, RemoveLast, ClearAll, SpeedDial } kind = None;
    int value = 0;  // the group to press, or the speed-dial entry
};

// The small bar: buttons 0 to groups-1 press their group, the next one removes the last pressed
// group.
AbcBarAction SmallBarAction(int button, int groupCount);
// The big bar (keypad layout): 0 removes the last pressed group, 1 to 8 press groups 0 to 7 when
// they exist, 9 clears all, 10 and up call speed-dial entry button - 8.
AbcBarAction BigBarAction(int button, int groupCount);
