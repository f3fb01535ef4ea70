#pragma once
// The buttons of the two alphabet bars and what pressing them does to the search state.
//
// The small bar (AbcBar) is a strip of one button per group and a last "back" button that takes
// the last pressed group away. The big bar (AbcBarBig) is a phone keypad of three columns: the
// "1" key takes the last group away, the keys "2" to "9" hold the first eight groups (as a phone
// keypad holds ABC to WXYZ), and a wide last row clears every pressed group. Held down, the keys
// "2" to "9" call the speed-dial entry of their digit. Button numbers are the ones the frame gets:
// small bar n < groups presses group n, n = groups goes back; big bar 0 back, 1 to 8 groups 0 to
// 7, 9 clear, 8 + digit the speed-dial entry.
#include <vector>

#include "core/str/Str.h"

struct AbcDefinition;
class SearchState;

struct AbcButton {
    enum class Kind { Group, Back, Clear } kind = Kind::Group;
    int number = 0;       // reported when pressed
    int holdNumber = -1;  // reported when held (big bar: speed dial); -1 for none
    int group = -1;       // the group a Group button presses
    Str label;            // the group's first line
    Str secondLine;       // the group's second line, empty when it has none
    Str digit;            // big bar: the keypad digit the button stands on
    int row = 0;
    int column = 0;
    int columnSpan = 1;
    bool enabled = true;  // a keypad key without a group does nothing
};

// What pressing a button asked for, once applied to the search state.
struct AbcPress {
    bool rebuild = false;     // the pressed groups changed: rebuild the list
    int speedDialEntry = -1;  // call this speed-dial entry (-1: none)
};

class AbcBarLayout {
public:
    static constexpr int kBigColumns = 3;
    static constexpr int kBigRows = 4;
    static constexpr int kBigGroups = 8;

    static std::vector<AbcButton> SmallBar(const AbcDefinition& definition);
    static std::vector<AbcButton> BigBar(const AbcDefinition& definition);
};

// Applies button `number` of the small or big bar to `state`.
AbcPress PressAbcButton(bool big, int number, SearchState& state, const AbcDefinition& definition);

// The button drawn pressed: the one of the last pressed group; -1 in normal mode (so the bar is
// cleared when the search text is emptied) and when that group has no button on the bar.
int PressedAbcButton(bool big, const SearchState& state);
