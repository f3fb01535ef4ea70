#include "view/search/AbcBar.h"

#include "index/alphabet/AbcDefinition.h"
#include "view/search/SearchState.h"

namespace {

AbcButton GroupButton(const AbcDefinition& definition, int group, int number) {
    AbcButton button;
    button.number = number;
    button.group = group;
    button.enabled = group < definition.GroupCount();
    if (button.enabled) {
        button.label = definition.labels[group];
        button.secondLine = definition.secondLines[group];
    }
    return button;
}

}  // namespace

std::vector<AbcButton> AbcBarLayout::SmallBar(const AbcDefinition& definition) {
    std::vector<AbcButton> buttons;
    const int groups = definition.GroupCount();
    for (int group = 0; group < groups; ++group) {
        AbcButton button = GroupButton(definition, group, group);
        button.row = group;
        buttons.push_back(button);
    }
    AbcButton back;
    back.kind = AbcButton::Kind::Back;
    back.number = groups;
    back.row = groups;
    buttons.push_back(back);
    return buttons;
}

std::vector<AbcButton> AbcBarLayout::BigBar(const AbcDefinition& definition) {
    std::vector<AbcButton> buttons;
    AbcButton back;
    back.kind = AbcButton::Kind::Back;
    back.digit = u"1";
    buttons.push_back(back);
    for (int group = 0; group < kBigGroups; ++group) {
        const int key = group + 1;  // the key's place, row by row; its digit is key + 1
        AbcButton button = GroupButton(definition, group, key);
        button.holdNumber = button.enabled ? 8 + key + 1 : -1;
        button.digit = Str(static_cast<char16_t>(u'1' + key));
        button.row = key / kBigColumns;
        button.column = key % kBigColumns;
        buttons.push_back(button);
    }
    AbcButton clear;
    clear.kind = AbcButton::Kind::Clear;
    clear.number = 9;
    clear.row = kBigRows - 1;
    clear.columnSpan = kBigColumns;
    buttons.push_back(clear);
    return buttons;
}

AbcPress PressAbcButton(bool big, int number, SearchState& state, const AbcDefinition& definition) {
    const AbcBarAction action =
        big ? BigBarAction(number, definition.GroupCount()) : SmallBarAction(number, definition.GroupCount());
    switch (action.kind) {
        case AbcBarAction::PressGroup: return {state.PressGroup(action.value, definition), -1};
        case AbcBarAction::RemoveLast: return {state.RemoveLastGroup(definition), -1};
        case AbcBarAction::ClearAll: {
            const bool had = state.GetMode() == SearchState::Mode::Alphabet;
            state.ClearGroups();
            return {had, -1};
        }
        case AbcBarAction::SpeedDial: return {false, action.value};
        default: return {};
    }
}

int PressedAbcButton(bool big, const SearchState& state) {
    const Array<int>& pressed = state.PressedGroups();
    if (pressed.IsEmpty()) return -1;
    const int group = pressed[pressed.GetSize() - 1];
    if (!big) return group;
    return group < AbcBarLayout::kBigGroups ? group + 1 : -1;
}
