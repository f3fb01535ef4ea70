#include "screen/list/ContactsFrameModel.h"

#include <algorithm>
#include <utility>

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "ext/addins/AddinManager.h"
#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "manager/contacts/ContactManager.h"
#include "manager/trash/ContactActions.h"
#include "phone/menu/DefaultNumber.h"
#include "phone/menu/PhoneChooser.h"
#include "phone/messaging/Messaging.h"
#include "phone/speed/SpeedMoves.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/ui/MessageBox.h"
#include "screen/list/CallerLookup.h"
#include "screen/list/FrameMenus.h"
#include "screen/list/ListBuilder.h"
#include "screen/list/ListKeys.h"
#include "screen/list/ListStrings.h"
#include "store/contact/Contact.h"
#include "store/objectmodel/ObjectModelConnection.h"
#include "view/search/AbcBar.h"

namespace {

constexpr uint32_t kVkNumpad2 = 0x62;

FrameEffect Handled() {
    FrameEffect effect;
    effect.handled = true;
    return effect;
}

void Warn(uint32_t text) {
    plat::MessageBox(RequireStr(text).View(), RequireStr(liststr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
}

// A handled event that needs a screen of its own.
FrameEffect Asking(FrameAction action, uint32_t oid = 0, Str text = {}) {
    FrameEffect effect = Handled();
    effect.action = action;
    effect.oid = oid;
    effect.text = std::move(text);
    return effect;
}

FrameEffect Focus(FocusTarget target) {
    FrameEffect effect = Handled();
    effect.focus = target;
    return effect;
}

}  // namespace

bool RefuseEditOfSimContact(const Contact& contact) {
    if (!contact.IsFromSim()) return false;
    Warn(liststr::kCannotEditSim);
    return true;
}

ContactsFrameModel::ContactsFrameModel(ContactManager& manager, const PhoneTemplates& formats,
                                       catfilter::CategoryFilterHost& host, ChangeAnnouncer& announcer)
    : manager_(manager), formats_(formats), announcer_(announcer), contacts_(manager), filter_(host) {}

void ContactsFrameModel::Start(int menuWidth, int menuHeight) {
    settings_ = FrameSettings::Load();
    alphabet_ = LoadChosenAbcDefinition();
    filter_.Init(menuWidth, menuHeight);
    RebuildList();
}

void ContactsFrameModel::RebuildList() {
    contacts_.SetHideSim(settings_.hideSim);
    list_.SetList(BuildContactList(contacts_, QueryOf(search_, settings_.sortType), filter_));
}

FrameEffect ContactsFrameModel::ListChanged(bool rebuilt) {
    FrameEffect effect = Handled();
    if (rebuilt) RebuildList();
    effect.listChanged = rebuilt;
    return effect;
}

FrameEffect ContactsFrameModel::ReloadAlphabet() {
    alphabet_ = LoadChosenAbcDefinition();
    const bool pressed = search_.GetMode() == SearchState::Mode::Alphabet;
    search_.ClearGroups();
    FrameEffect effect = ListChanged(pressed);
    effect.relayout = true;
    effect.searchBoxChanged = pressed;
    return effect;
}

ContactRowText ContactsFrameModel::RowText(int row) const {
    const ListRow at = list_.RowAt(row);
    if (at.IsHeader()) return {list_.HeaderText(at.group), {}, {}, {}};
    Contact contact;
    if (!manager_.ReadContact(list_.OidAt(row), contact)) return {RequireStr(liststr::kUnnamed), {}, {}, {}};
    return MakeRowText(contact, settings_.sortType, settings_.nameOnly, formats_);
}

std::optional<Highlight> ContactsFrameModel::HighlightOf(std::u16string_view text) const {
    if (!settings_.highlight) return std::nullopt;
    return search_.HighlightIn(text, AbcGroupTable::Instance());
}

FrameEffect ContactsFrameModel::OnCommand(uint32_t command) {
    const SettingChange change = ApplySettingCommand(command, settings_, announcer_);
    if (change.handled) {
        FrameEffect effect = ListChanged(change.rebuildList);
        effect.redrawList = change.redrawList;
        effect.relayout = change.relayout;
        effect.lowerInputPanel = change.lowerInputPanel;
        return effect;
    }
    using namespace framecmd;
    switch (command) {
        case kNewContact: return Asking(FrameAction::NewContact);
        case kEdit: return ContactAction(FrameAction::EditContact);
        case kSetRingtone: return ContactAction(FrameAction::SetRingtone);
        case kDelete: return DeleteSelected();
        case kBeam: return BeamSelected();
        case kMakeAppointment: return MakeAppointment();
        case kDuplicate: return DuplicateSelected();
        case kCategoryList: return ChooseCategories();
        case kReindex: return Reindex();
        case kCallerIdContact: return NewContactFromCallerId();
        case kSetDataFolder: return Asking(FrameAction::ChooseDataFolder, 0, DataFolder());
        default: return {};
    }
}

FrameEffect ContactsFrameModel::ContactAction(FrameAction action) {
    const uint32_t oid = list_.SelectedOid();
    return oid != 0 ? Asking(action, oid) : Handled();
}

FrameEffect ContactsFrameModel::OnSearchText(std::u16string_view text) {
    return ListChanged(search_.OnTextChanged(text));
}

FrameEffect ContactsFrameModel::OnSearchBackspace(int caret, int selStart, int selEnd) {
    const std::optional<SearchState::BackspaceResult> result =
        search_.Backspace(caret, selStart, selEnd, alphabet_);
    if (!result) return {};
    FrameEffect effect = ListChanged(result->removed);
    effect.searchBoxChanged = true;
    effect.caret = result->caret;
    return effect;
}

FrameEffect ContactsFrameModel::OnAbcButton(bool big, int number) {
    const AbcPress press = PressAbcButton(big, number, search_, alphabet_);
    FrameEffect effect = ListChanged(press.rebuild);
    effect.searchBoxChanged = press.rebuild;
    if (press.speedDialEntry >= 0) {
        effect.action = FrameAction::SpeedDial;
        effect.entry = press.speedDialEntry;
    }
    return effect;
}

FrameEffect ContactsFrameModel::PressGroup(int group) {
    const bool pressed = search_.PressGroup(group, alphabet_);
    FrameEffect effect = ListChanged(pressed);
    effect.searchBoxChanged = pressed;
    return effect;
}

FrameEffect ContactsFrameModel::OnKey(uint32_t key, KeySource source) {
    if (key >= kVkNumpad2 && key <= kVkNumpad9) return PressGroup(static_cast<int>(key - kVkNumpad2));
    if (source == KeySource::SearchBox) {
        return key == kVkLeft || key == kVkDown ? Focus(FocusTarget::List) : FrameEffect{};
    }
    switch (key) {
        case kVkUp: return Focus(FocusTarget::SearchBox);
        case kVkRight: return settings_.splitVisible ? Focus(FocusTarget::Pane) : FrameEffect{};
        case kVkBack: {
            if (search_.GetMode() == SearchState::Mode::Normal) {
                const std::u16string_view box = search_.BoxText().View();
                FrameEffect effect = OnSearchText(box.substr(0, box.empty() ? 0 : box.size() - 1));
                effect.searchBoxChanged = true;
                return effect;
            }
            FrameEffect effect = ListChanged(search_.RemoveLastGroup(alphabet_));
            effect.searchBoxChanged = true;
            return effect;
        }
        default: return {};
    }
}

FrameEffect ContactsFrameModel::OnListChar(char16_t ch) {
    if (ch < 0x20 || ch == 0x7F) return {};
    const Str text = (search_.GetMode() == SearchState::Mode::Normal ? search_.BoxText() : Str()) + ch;
    FrameEffect effect = OnSearchText(text.View());
    effect.searchBoxChanged = true;
    effect.focus = FocusTarget::SearchBox;
    return effect;
}

FrameEffect ContactsFrameModel::OnTap(int row, bool forceOpen) {
    if (row < 0 || row >= list_.RowCount()) return {};
    (void)list_.Select(row);  // the row may be current already
    const ListRow at = list_.RowAt(row);
    if (at.IsHeader()) {
        list_.Toggle(at.group);
        return ListChanged(false);
    }
    return settings_.splitVisible && !forceOpen ? Handled() : ContactAction(FrameAction::OpenContact);
}

FrameEffect ContactsFrameModel::OnActivate(int row) { return OnTap(row, true); }

FrameEffect ContactsFrameModel::OnTalk() { return ContactAction(FrameAction::CallContact); }

MenuDescription ContactsFrameModel::ContextMenu() {
    contextSelection_ = Selection();
    if (contextSelection_.empty()) return {};
    if (contextSelection_.size() > 1) {
        contextMenu_.BuildForSeveral();
    } else {
        Contact contact;
        if (!manager_.ReadContact(contextSelection_.front(), contact)) return {};
        contextMenu_.Build(contact, formats_);
    }
    return contextMenu_.Describe(&AddinManager::Instance(), contextSelection_);
}

FrameEffect ContactsFrameModel::OnContextCommand(uint32_t command) {
    const ContextChoice choice = contextMenu_.Choose(command);
    const uint32_t oid = contextSelection_.empty() ? 0 : contextSelection_.front();
    switch (choice.kind) {
        case ContextChoice::Kind::Call: return Asking(FrameAction::Dial, oid, choice.value);
        case ContextChoice::Kind::EditAndCall: return Asking(FrameAction::EditAndCall, oid);
        case ContextChoice::Kind::Sms:
        case ContextChoice::Kind::Email: return Message(choice);
        case ContextChoice::Kind::Duplicate: return DuplicateSelected();
        case ContextChoice::Kind::Delete: return DeleteSelected();
        case ContextChoice::Kind::Beam: return BeamSelected();
        case ContextChoice::Kind::Appointment: return MakeAppointment();
        case ContextChoice::Kind::AddIn:
            // The command is in the add-ins' range; a failure was told in a box.
            (void)AddinManager::Instance().Invoke(command, contextSelection_);
            return Handled();
        default: return {};
    }
}

FrameEffect ContactsFrameModel::Message(const ContextChoice& choice) {
    const uint32_t oid = contextSelection_.empty() ? 0 : contextSelection_.front();
    bool sent = false;
    if (choice.kind == ContextChoice::Kind::Email) {
        sent = SendEmail(choice.value.View());
    } else {
        Contact contact;
        const Str name = manager_.ReadContact(oid, contact)
                             ? PhoneChooser::Title(contact, static_cast<uint32_t>(settings_.sortType))
                             : Str();
        sent = SendSms(choice.value.View(), name.View());
    }
    if (sent) filter_.TouchContact(oid);
    return Handled();
}

FrameEffect ContactsFrameModel::OnFilterChoice(uint32_t command) {
    return ListChanged(filter_.ApplyMenuChoice(command));
}

FrameEffect ContactsFrameModel::ChooseCategories() { return ListChanged(filter_.ChooseCategories()); }

MenuDescription ContactsFrameModel::ViewMenu() const { return FrameViewMenu(settings_); }

MenuDescription ContactsFrameModel::ToolsMenu() const {
    const std::vector<uint32_t> selected = Selection();
    return FrameToolsMenu(selected.size() == 1 && list_.SelectedOid() == selected.front(), !selected.empty());
}

bool ContactsFrameModel::SetSplitter(uint32_t thousandths, bool fixed, uint32_t posY) {
    settings_.splitThousandths = std::min<uint32_t>(thousandths, 1000);
    settings_.spltFix = fixed;
    settings_.spltPosY = posY;
    if (fixed) settings_.splitMode = 2;
    return settings_.StoreSplitter();
}

FrameEffect ContactsFrameModel::DeleteSelected() {
    const std::vector<uint32_t> selected = Selection();
    if (selected.empty()) return Handled();
    const int answer =
        plat::MessageBox(RequireStr(liststr::kDeleteQuestion).View(), RequireStr(liststr::kContacts).View(),
                         plat::MB_YESNO | plat::MB_ICONWARNING);
    if (answer != plat::IDYES) return Handled();
    // Into the trash, all of them or none, as the last undoable action.
    SpeedDialAttachments speedDial;
    ContactActions actions(manager_, &speedDial);
    const bool done = actions.Open() && actions.Delete(selected).done;
    const std::vector<uint32_t> deleted = done ? selected : std::vector<uint32_t>{};
    list_.RemoveContacts(deleted);
    filter_.RemoveContacts(deleted);
    if (deleted.size() != selected.size()) Warn(liststr::kDeleteFailed);
    FrameEffect effect = Handled();
    effect.listChanged = !deleted.empty();
    return effect;
}

FrameEffect ContactsFrameModel::DuplicateSelected() {
    const uint32_t oid = list_.SelectedOid();
    if (oid == 0) return Handled();
    Contact copy;
    bool made = manager_.ReadContact(oid, copy);
    if (made) {
        // Categories that cannot be read leave a copy without them, which is still a copy.
        if (CategoryManager* categories = CategoryManager::Instance()) {
            (void)categories->LoadContactCategories(copy);
        }
        copy.SetOid(0);
        copy.SetRecordId(0);
        // The copy is made in the phone's memory, not on the SIM card.
        copy.SetFromSim(false);
        // A copy stored without its categories or named values is still the copy; the manager
        // reports those parts (ContactWrite), and the copy's next save writes them.
        made = manager_.AddContact(copy, true).record;
    }
    if (!made) {
        Warn(liststr::kDuplicateFailed);
        return Handled();
    }
    filter_.TouchContact(copy.GetOid());
    FrameEffect effect = Handled();
    effect.oid = copy.GetOid();
    return effect;
}

FrameEffect ContactsFrameModel::BeamSelected() {
    const std::vector<uint32_t> selected = Selection();
    if (selected.empty()) return Handled();
    Array<uint32_t> oids;
    for (const uint32_t oid : selected) oids.Add(oid);
    if (ObjectModelConnection::Instance().Beam(oids) != 1) Warn(liststr::kBeamFailed);
    return Handled();
}

FrameEffect ContactsFrameModel::MakeAppointment() {
    const uint32_t oid = list_.SelectedOid();
    Contact contact;
    if (oid == 0 || !manager_.ReadContact(oid, contact)) return Handled();
    const std::optional<ContactNumber> number = DefaultNumber(contact);
    Str body = number ? number->number : Str();
    if (number) body = formats_.Formatted(body);
    const Str subject = PhoneChooser::Title(contact, static_cast<uint32_t>(settings_.sortType));
    if (ObjectModelConnection::Instance().CreateAppointment(subject, body) != 1) {
        Warn(liststr::kAppointmentFailed);
    }
    return Handled();
}

FrameEffect ContactsFrameModel::NewContactFromCallerId() {
    Str number = SettingsStore::ReadString(settings::kSettings, settings::kCallerIDPhone, u"");
    // A number not cleared is offered once more.
    (void)SettingsStore::WriteString(settings::kSettings, settings::kCallerIDPhone, u"");
    return Asking(FrameAction::NewContact, 0, std::move(number));
}

FrameEffect ContactsFrameModel::Reindex() {
    manager_.Reindex();
    announcer_.Announce(framecmd::kFlagIndexRebuilt);
    return ListChanged(true);
}

FrameEffect ContactsFrameModel::FindCaller(std::u16string_view request) {
    const uint32_t oid = ::FindCaller(ParseCallerRequest(request), contacts_, manager_);
    if (oid == 0) return Asking(FrameAction::NewContact, 0, Str(request));
    FrameEffect effect = Asking(FrameAction::OpenContact, oid);
    if (!list_.Reveal(oid)) {
        effect.searchBoxChanged = !search_.BoxText().IsEmpty();
        (void)search_.OnTextChanged(u"");  // the list is rebuilt below either way
        RebuildList();
        if (!list_.Reveal(oid) && filter_.ApplyMenuChoice(catfilter::kCommandAll)) RebuildList();
        (void)list_.Reveal(oid);  // a contact the list cannot show is opened all the same
    }
    effect.listChanged = true;
    return effect;
}
