#include "phone/speed/SpeedToolsMenu.h"

#include "core/res/ResourceStrings.h"
#include "core/result/StatusBox.h"
#include "phone/speed/CSpeedInfoStore.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr uint32_t kStrClearAllQuestion = 41426;
constexpr uint32_t kStrTools = 42239, kStrRename = 43810, kStrMove = 43811, kStrClear = 43812,
                   kStrSortByName = 43813, kStrClearAll = 43814, kStrClose = 43815;

struct Move {
    SpeedCommand command;
    CSpeedInfoStore::Direction direction;
    uint32_t text;  // the string's number
};
constexpr Move kMoves[] = {
    {kSpeedUp, CSpeedInfoStore::Direction::Up, 43816},
    {kSpeedDown, CSpeedInfoStore::Direction::Down, 43817},
    {kSpeedLeft, CSpeedInfoStore::Direction::Left, 43818},
    {kSpeedRight, CSpeedInfoStore::Direction::Right, 43819},
};

const Move* MoveOf(uint32_t command) {
    for (const Move& move : kMoves) {
        if (move.command == command) return &move;
    }
    return nullptr;
}

int TargetOf(const CSpeedInfoStore& store, const Move& move, int selected) {
    return CSpeedInfoStore::MoveTarget(selected, move.direction, store.Columns(), store.Cells());
}

MenuItem Popup(uint32_t text, std::vector<MenuItem> items) {
    MenuItem popup;
    popup.text = RequireStr(text);
    popup.submenu = std::move(items);
    return popup;
}

MenuItem Item(uint32_t id, uint32_t text, bool enabled) {
    MenuItem item;
    item.id = id;
    item.text = RequireStr(text);
    item.enabled = enabled;
    return item;
}

}  // namespace

MenuDescription SpeedToolsMenu(const CSpeedInfoStore& store, int selected) {
    const bool holds = store.FindCell(selected) >= 0;
    const bool any = !store.Records().empty();
    std::vector<MenuItem> moves;
    for (const Move& move : kMoves) moves.push_back(Item(move.command, move.text, holds && TargetOf(store, move, selected) >= 0));
    MenuDescription menu;
    menu.items.push_back(
        Popup(kStrTools, {Item(kSpeedRename, kStrRename, holds), Popup(kStrMove, std::move(moves)),
                          Item(kSpeedClear, kStrClear, holds), Item(kSpeedSortByName, kStrSortByName, any),
                          Item(kSpeedClearAll, kStrClearAll, any)}));
    menu.items.push_back(Item(kSpeedClose, kStrClose, true));
    return menu;
}

SpeedToolsOutcome ApplySpeedTools(CSpeedInfoStore& store, uint32_t command, int& selected) {
    if (const Move* move = MoveOf(command)) {
        const int target = TargetOf(store, *move, selected);
        if (target < 0) return SpeedToolsOutcome::None;
        const Status moved = store.Move(selected, target);
        if (moved.Code() == StatusCode::Invalid) return SpeedToolsOutcome::None;
        TellUser(moved);
        selected = target;
        return SpeedToolsOutcome::Redraw;
    }
    const bool holds = store.FindCell(selected) >= 0;
    switch (command) {
        case kSpeedRename: return holds ? SpeedToolsOutcome::OpenRename : SpeedToolsOutcome::None;
        case kSpeedClear:
            if (!holds) return SpeedToolsOutcome::None;
            TellUser(store.Remove(selected));
            return SpeedToolsOutcome::Redraw;
        case kSpeedSortByName: TellUser(store.SortByName()); return SpeedToolsOutcome::Redraw;
        case kSpeedClearAll:
            if (plat::MessageBox(RequireStr(kStrClearAllQuestion).View(), u"", plat::MB_YESNO | plat::MB_ICONWARNING) !=
                plat::IDYES) {
                return SpeedToolsOutcome::None;
            }
            TellUser(store.Remove(-1));
            return SpeedToolsOutcome::Redraw;
        case kSpeedClose: return SpeedToolsOutcome::Close;
        default: return SpeedToolsOutcome::None;
    }
}
