#pragma once
// The speed-dial window's Tools menu and what its commands do to the buttons. The commands keep
// their numbers; the menu texts are the window's own (several of these numbers name other texts
// in the string table, so the texts are not looked up by them).
#include <cstdint>

#include "core/menu/MenuDescription.h"

class CSpeedInfoStore;

inline constexpr uint32_t kSpeedToolsMenuId = 449;
enum SpeedCommand : uint32_t {
    kSpeedRename = 41447,
    kSpeedUp = 41424,
    kSpeedDown = 41425,
    kSpeedLeft = 41427,
    kSpeedRight = 41426,
    kSpeedClear = 41448,
    kSpeedSortByName = 41413,
    kSpeedClearAll = 41415,
    kSpeedClose = 41410,
};

// "Tools" (Rename, Move with its four directions, Clear, Sort By Name, Clear All) and "Close".
// What needs a button is enabled only when the selected cell holds one; a direction only when it
// leads to a cell of the grid.
MenuDescription SpeedToolsMenu(const CSpeedInfoStore& store, int selected);

enum class SpeedToolsOutcome { None, Redraw, OpenRename, Close };

// Carries out a command of the menu on the selected cell; a moved button stays selected in its new
// cell. "Clear All" asks first and changes nothing unless the answer is Yes. "Rename" only says
// that the rename dialog is wanted (the window opens it with the button's candidate names).
// A change that cannot be written is told to the user in a box; the buttons show it as made.
SpeedToolsOutcome ApplySpeedTools(CSpeedInfoStore& store, uint32_t command, int& selected);
