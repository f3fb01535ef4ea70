#pragma once
// ContactsFrameModel: the contacts frame without its windows. It holds what the frame holds (the
// settings, the search state, the alphabet, the category filter and the list's rows) and answers
// every event of the frame's children (commands, search text, alphabet buttons, keys, taps, the
// context menu) with a FrameEffect telling the windows what to redo. What needs no window is
// carried out here: settings, searches, deleting, duplicating, beaming, appointments, messages,
// add-ins; what needs a screen of its own (the editor, the contact view, the phone chooser and
// dialling, the folder picker, the ringtone choice, speed dial) comes back as a FrameAction.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "categories/filter/CategoryFilter.h"
#include "core/menu/MenuDescription.h"
#include "index/alphabet/AbcDefinition.h"
#include "manager/search/ContactSearch.h"
#include "screen/list/ContactContextMenu.h"
#include "screen/list/ContactListModel.h"
#include "screen/list/FrameCommands.h"
#include "screen/list/FrameSettings.h"
#include "screen/list/RowText.h"
#include "view/search/SearchState.h"

class Contact;
class ContactManager;
class PhoneTemplates;

// A contact from the SIM card is not edited: "Cannot edit SIM contact !" is shown with an
// exclamation icon and true returned. False, and nothing shown, for any other contact.
[[nodiscard]] bool RefuseEditOfSimContact(const Contact& contact);

enum class FrameAction {
    None,
    NewContact,        // the editor for a new contact; `text` is a number to put in it (may be empty)
    EditContact,       // the editor on `oid`
    OpenContact,       // the full-screen view of `oid`
    SetRingtone,       // the ringtone choice for `oid`
    ChooseDataFolder,  // the folder picker on `text`; its choice goes to MoveDataFolder
    CallContact,       // the call action on `oid`: the phone chooser or its default number
    Dial,              // dial `text` for `oid`
    EditAndCall,       // the "Edit && Call.." dialog for `oid`
    SpeedDial,         // call speed-dial entry `entry`
};

enum class FocusTarget { Unchanged, SearchBox, List, Pane };

// Where a key the frame gets came from.
enum class KeySource { SearchBox, List };

struct FrameEffect {
    bool handled = false;           // the event was the frame's
    bool listChanged = false;       // new rows: redraw them and bring the current row into view
    bool redrawList = false;        // the same rows, drawn differently
    bool relayout = false;          // lay the children out again (a child shown or hidden)
    bool searchBoxChanged = false;  // the search box must show BoxText() (without notifying)
    bool lowerInputPanel = false;
    FocusTarget focus = FocusTarget::Unchanged;
    int caret = -1;  // where the search box's caret goes (-1: where it is)
    FrameAction action = FrameAction::None;
    uint32_t oid = 0;
    Str text;
    int entry = -1;
};

class ContactsFrameModel {
public:
    ContactsFrameModel(ContactManager& manager, const PhoneTemplates& formats,
                       catfilter::CategoryFilterHost& host, ChangeAnnouncer& announcer);

    // Once the frame's window exists: reads the settings and the alphabet, restores the filter
    // (its menu may take `menuHeight` pixels, texts `menuWidth`) and builds the list.
    void Start(int menuWidth, int menuHeight);

    const FrameSettings& Settings() const { return settings_; }
    const SearchState& Search() const { return search_; }
    const AbcDefinition& Alphabet() const { return alphabet_; }
    ContactListModel& List() { return list_; }
    const ContactListModel& List() const { return list_; }
    catfilter::CategoryFilter& Filter() { return filter_; }

    // Builds the list again from the searches (after a change of the store, the filter...).
    void RebuildList();
    // Takes the stored HideSim again; the next RebuildList follows it.
    void ReadHideSim() { settings_.hideSim = FrameSettings::ReadHideSim(); }
    // The alphabet in force changed: new buttons, no pressed group.
    FrameEffect ReloadAlphabet();

    // The texts of a row: a header's "COMPANY (N)" as its name, a contact's name, number and second
    // line (a contact that cannot be read shows as "Unnamed" without number).
    ContactRowText RowText(int row) const;
    // The characters of a row text to mark; nothing when highlighting is off or nothing matches.
    std::optional<Highlight> HighlightOf(std::u16string_view text) const;

    FrameEffect OnCommand(uint32_t command);
    FrameEffect OnSearchText(std::u16string_view text);
    // Backspace in the search box in alphabet mode (caret and selection in the box's text);
    // unhandled in normal mode, where the box deletes a character itself.
    FrameEffect OnSearchBackspace(int caret, int selStart, int selEnd);
    FrameEffect OnAbcButton(bool big, int number);
    // Keys the search box and the list do not use themselves.
    FrameEffect OnKey(uint32_t key, KeySource source);
    // A character typed while the list has the focus goes on at the end of the search text.
    FrameEffect OnListChar(char16_t ch);

    FrameEffect OnTap(int row, bool forceOpen);
    FrameEffect OnActivate(int row);
    // Marks a contact's row, or unmarks a marked one (a header has no mark); the context menu acts
    // on every marked contact.
    void ToggleMark(int row) { list_.SetMarked(row, !list_.IsMarked(row)); }
    // The Talk key: the call action on the current contact.
    FrameEffect OnTalk();
    // A contact was called or written to: it goes to the front of the recent contacts.
    void OnContactUsed(uint32_t oid) { filter_.TouchContact(oid); }

    // The context menu of the current selection (several marked contacts, or the current one);
    // empty when nothing is selected.
    MenuDescription ContextMenu();
    FrameEffect OnContextCommand(uint32_t command);

    // The filter button's menu and its choice.
    [[nodiscard]] bool FilterMenu(MenuDescription& menu) { return filter_.BuildMenu(menu); }
    FrameEffect OnFilterChoice(uint32_t command);

    MenuDescription ViewMenu() const;
    MenuDescription ToolsMenu() const;

    // The splitter was dragged or the frame closes: the splitter's values are kept and written
    // (false when the registry refused them).
    [[nodiscard]] bool SetSplitter(uint32_t thousandths, bool fixed, uint32_t posY);

    // "name++--++number" from the caller-ID integration or the find-or-create switch: the contact
    // becomes current (search and filter cleared when it is not listed) and is shown; without a
    // match the editor opens for a new contact with the number.
    FrameEffect FindCaller(std::u16string_view request);

private:
    std::vector<uint32_t> Selection() const { return list_.SelectedOids(); }
    FrameEffect ListChanged(bool rebuilt);
    FrameEffect ContactAction(FrameAction action);
    FrameEffect DeleteSelected();
    FrameEffect DuplicateSelected();
    FrameEffect BeamSelected();
    FrameEffect MakeAppointment();
    FrameEffect NewContactFromCallerId();
    FrameEffect ChooseCategories();
    FrameEffect Reindex();
    FrameEffect Message(const ContextChoice& choice);
    FrameEffect PressGroup(int group);

    ContactManager& manager_;
    const PhoneTemplates& formats_;
    ChangeAnnouncer& announcer_;
    ContactSearch contacts_;
    FrameSettings settings_;
    SearchState search_;
    AbcDefinition alphabet_;
    catfilter::CategoryFilter filter_;
    ContactListModel list_;
    ContactContextMenu contextMenu_;
    std::vector<uint32_t> contextSelection_;
};
