#include "ui/list/ContactsFrame.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "core/diag/ErrorLog.h"
#include "core/res/ResourceStrings.h"
#include "manager/client/ContactClientManager.h"
#include "manager/contacts/ContactManager.h"
#include "phone/dial/Dialer.h"
#include "phone/menu/ContactListPhoneMenu.h"
#include "phone/menu/DialContact.h"
#include "phone/menu/PhoneChooser.h"
#include "phone/messaging/Messaging.h"
#include "phone/speed/CSpeedInfoStore.h"
#include "phone/speed/SpeedContacts.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "screen/list/CallerLookup.h"
#include "screen/list/DataFolderMove.h"
#include "screen/list/ListStrings.h"
#include "screen/list/RevealContact.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "ui/edit/CTemplateDlg.h"
#include "ui/frame/SiblingPrograms.h"
#include "ui/list/DataFolderDlg.h"
#include "ui/list/KeypadHold.h"
#include "ui/phone/CEditDialDlg.h"
#include "ui/phone/CSpeedDialDlg.h"
#include "ui/phone/DialCountdownDlg.h"
#include "ui/phone/PhoneMenuPopup.h"
#include "ui/phone/PhoneSelectWnd.h"
#include "ui/ringtones/RingtonesPickerDlg.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/InputPanel.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"
#include "view/search/AbcBar.h"

namespace {

QString Hex(uint32_t oid) { return QString::number(oid, 16); }

QRect ToQRect(const LayoutRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

// Places a child in its rectangle, hidden when the rectangle is empty.
void Place(WndImpl& child, const LayoutRect& rect) {
    if (child.Widget() == nullptr) return;
    child.Widget()->setGeometry(ToQRect(rect));
    child.Widget()->setVisible(!rect.IsEmpty());
}

// Shows a busy search box while a list is built.
class BusyScope {
public:
    explicit BusyScope(SearchEdit& box) : box_(box) { box_.SetBusy(true); }
    ~BusyScope() { box_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    SearchEdit& box_;
};

// `base` changed as the font settings say.
QFont WithStyle(QFont font, const FontStyle& style) {
    if (!style.face.IsEmpty()) font.setFamily(ToQString(style.face));
    if (style.height != 0) font.setPixelSize(ScaleY(std::abs(style.height)));
    font.setWeight(style.Weight() >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(style.Italic());
    font.setUnderline(style.Underline());
    font.setStrikeOut(style.StrikeOut());
    return font;
}

}  // namespace

ContactsFrame::ContactsFrame(ContactClientManager& contacts, const PhoneTemplates& formats)
    : contacts_(contacts),
      formats_(formats),
      filterHost_(*this),
      model_(
          std::make_unique<ContactsFrameModel>(ContactManager::Instance(), formats, filterHost_, announcer_)),
      list_(std::make_unique<ContactListControl>(*model_, ContactManager::Instance(), *this)),
      search_(*this),
      smallBar_([this](bool big, int number) { OnAbcButton(big, number); }),
      bigBar_([this](bool big, int number) { OnAbcButton(big, number); }),
      splitter_([this](int top) { OnSplitterMoved(top); }),
      preview_(false, template_),
      phonePanel_(kPhonePanelClass, [this] { CallSelected(); }),
      listDown_([this] { MoveFocus(FocusTarget::List); }) {}

ContactsFrame::~ContactsFrame() {
    // The splitter's place is kept when it goes away.
    if (Widget() != nullptr && !model_->Settings().StoreSplitter()) {
        ErrorLog(u"The splitter's place cannot be written", "ContactsFrame", __LINE__);
    }
    TheDialer().Hooks().countdown = nullptr;
    list_.reset();
    DestroyWnd();
}

bool ContactsFrame::Create(WndImpl& parent, const QRect& client) {
    if (!WndFrame::Create(parent, client)) return false;
    model_->Start(ScaleX(160), client.height());
    if (!template_.Load(TemplateFilePath())) template_.ResetToDefaults();
    preview_.SetListener(this);
    // Tone dialling counts down on screen, where the user can still cancel it.
    TheDialer().Hooks().countdown = [this](DialCountdown& countdown) { DialCountdownDlg::Run(*this, countdown); };
    filterButton_ = new QToolButton(Widget());
    filterButton_->setFocusPolicy(Qt::NoFocus);
    filterButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QObject::connect(filterButton_, &QToolButton::clicked, Widget(), [this] { RunFilterMenu(); });
    const bool made = search_.Create(*this, {}, UiText(uistr::kSearch)) && list_->Create(*this, {}) &&
                      smallBar_.Create(*this, {}) && bigBar_.Create(*this, {}) &&
                      splitter_.Create(*this, {}) && preview_.CreatePane(*this, {}) &&
                      phonePanel_.Create(*this, {}) && listDown_.Create(*this, {});
    if (!made) return false;
    // A keypad digit held down in the list or the search box calls its speed-dial entry.
    auto* keypad = new KeypadHold([this](uint32_t key) { OnListKey(key); },
                                  [this](int entry) { CallSpeedDialEntry(entry); }, Widget());
    keypad->Watch(*list_->Window().Widget());
    keypad->Watch(*search_.Edit());
    smallBar_.SetButtons(model_->Alphabet());
    bigBar_.SetButtons(model_->Alphabet());
    UpdateFilterLabel();
    LayOut();
    list_->RowsChanged();
    UpdatePanes();
    // The list holds the keyboard from the start, so that typing reaches the search box before
    // anything was tapped.
    MoveFocus(FocusTarget::List);
    return true;
}

void ContactsFrame::SetClientRect(const QRect& client) {
    WndFrame::SetClientRect(client);
    LayOut();
}

FrameRects ContactsFrame::Rects() const {
    const QRect area = Widget() != nullptr ? Widget()->rect() : QRect();
    const LayoutRect client{0, 0, area.width(), area.height()};
    return LayOutFrame(FrameLayoutInput::From(model_->Settings(), client, ::ScreenDpiY(), rowIncrement_));
}

void ContactsFrame::LayOut() {
    if (Widget() == nullptr || search_.Widget() == nullptr) return;
    FrameRects rects = Rects();
    // The filter button takes the left of the search row.
    LayoutRect filter = rects.searchBox;
    filter.width = std::min(ScaleX(kFilterWidth96), rects.searchBox.width / 2);
    rects.searchBox.x += filter.width;
    rects.searchBox.width -= filter.width;
    filterButton_->setGeometry(ToQRect(filter));
    filterButton_->setVisible(!filter.IsEmpty());
    Place(search_, rects.searchBox);
    Place(listDown_, rects.listDown);
    Place(list_->Window(), rects.list);
    Place(smallBar_, rects.smallBar);
    Place(splitter_, rects.splitter);
    Place(preview_, rects.pane);
    Place(bigBar_, rects.bigBar);
    Place(phonePanel_, rects.phonePanel);
    list_->Window().SetSelected(model_->List().Selected());
}

// ---- What the model answers ----

void ContactsFrame::Apply(const FrameEffect& effect) {
    if (effect.relayout) LayOut();
    if (effect.searchBoxChanged) search_.SetText(ToQString(model_->Search().BoxText()), effect.caret);
    if (effect.listChanged) {
        list_->RowsChanged();
        UpdatePanes();
        UpdateFilterLabel();
    } else if (effect.redrawList || effect.relayout) {
        list_->Redraw();
    }
    smallBar_.SetPressed(PressedAbcButton(false, model_->Search()));
    bigBar_.SetPressed(PressedAbcButton(true, model_->Search()));
    if (effect.lowerInputPanel) InputPanel::Show(false);
    MoveFocus(effect.focus);
    RunAction(effect);
}

QWidget* ContactsFrame::KeyboardField() const {
    QWidget* last = Widget() != nullptr ? Widget()->focusWidget() : nullptr;
    if (last != nullptr && last != Widget() && last->isVisible() && last->isEnabled()) return last;
    return list_->Window().Widget();
}

void ContactsFrame::MoveFocus(FocusTarget target) {
    switch (target) {
        case FocusTarget::SearchBox: search_.Focus(); return;
        case FocusTarget::List: list_->Window().Widget()->setFocus(Qt::OtherFocusReason); return;
        case FocusTarget::Pane:
            if (preview_.Widget() != nullptr && preview_.Widget()->isVisible()) preview_.List().Widget()->setFocus();
            return;
        case FocusTarget::Unchanged: return;
    }
}

void ContactsFrame::RunAction(const FrameEffect& effect) {
    switch (effect.action) {
        case FrameAction::None: return;
        case FrameAction::NewContact: return NewContact(effect.text);
        case FrameAction::EditContact: return EditContact(effect.oid);
        case FrameAction::OpenContact: return RunContactView(effect.oid);
        case FrameAction::SetRingtone: return SetContactRingtone(effect.oid);
        case FrameAction::ChooseDataFolder: return ChooseDataFolder(effect.text);
        case FrameAction::CallContact: return CallContact(effect.oid);
        case FrameAction::Dial: return Call(effect.oid, effect.text);
        case FrameAction::EditAndCall: return EditAndCall(effect.oid);
        case FrameAction::SpeedDial: return CallSpeedDialEntry(effect.entry);
    }
}

void ContactsFrame::CallContact(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return;
    const QString name = ToQString(contact.GetDisplayName());
    PhoneSelectWnd chooser;
    if (chooser.Offer(*this, contact, formats_)) {
        model_->OnContactUsed(oid);
        return SetStatus(UiText(uistr::kPhoneChooserOf).arg(name));
    }
    if (DialContact(contact, kDialTypeNever, TheDialer(), Hwnd()) != DialContactOutcome::Called) {
        return SetStatus(UiText(uistr::kNoNumberToCall).arg(name));
    }
    model_->OnContactUsed(oid);
    SetStatus(UiText(uistr::kCalled).arg(name));
}

void ContactsFrame::EditAndCall(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return SetStatus(UiText(uistr::kNoContactOid).arg(Hex(oid)));
    CEditDialDlg dialog(contact);
    if (dialog.DoModal(*this) != plat::IDOK) return;
    model_->OnContactUsed(oid);
    SetStatus(UiText(uistr::kCalled).arg(ToQString(dialog.Model().DialString())));
}

void ContactsFrame::SetContactRingtone(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return SetStatus(UiText(uistr::kNoContactOid).arg(Hex(oid)));
    RingtonesPickerDlg picker(contact.GetText(kFieldRingtone));
    if (picker.DoModal(*this) != plat::IDOK) return;
    contact.SetText(kFieldRingtone, picker.Path());
    const QString name = ToQString(contact.GetDisplayName());
    if (!contacts_.UpdateContact(contact, false).record) {
        plat::MessageBox(FromQString(UiText(uistr::kContactRingtoneNotSaved).arg(name)).View(),
                         RequireStr(uistr::kBrevane).View(), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    SetStatus(UiText(uistr::kContactRingtone).arg(name, ToQString(picker.Path())));
}

void ContactsFrame::ChooseDataFolder(const Str& current) {
    DataFolderDlg picker(current);
    if (picker.DoModal(*this) != plat::IDOK) return;
    // What failed was told in a box; the data stay whole where the setting names them.
    if (MoveDataFolder(picker.Chosen().View()) == FolderMoveResult::Moved) {
        SetStatus(UiText(uistr::kDataFolderMoved).arg(ToQString(picker.Chosen())));
    }
}

void ContactsFrame::CallSpeedDialEntry(int entry) {
    ManagerSpeedContacts contacts(ContactManager::Instance());
    CSpeedInfoStore store(contacts);
    store.Load(0, 0);
    const int cell = CSpeedInfoStore::CellOfEntry(entry);
    const int position = store.FindCell(cell);
    if (position < 0) {
        const QString text = UiText(uistr::kSpeedDialUnassigned).arg(entry);
        plat::MessageBox(FromQString(text).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONINFORMATION);
        return SetStatus(text);
    }
    const QString name = ToQString(CSpeedInfoStore::DisplayName(store.Records()[static_cast<size_t>(position)]));
    store.DialButton(cell, Str(), TheDialer(), Hwnd(), formats_);
    SetStatus(UiText(uistr::kSpeedDialCalled).arg(entry).arg(name));
}

bool ContactsFrame::OnPhoneColumnTapped(int row, const QRect& rowGlobal) {
    const uint32_t oid = model_->List().OidAt(row);
    Contact contact;
    if (oid == 0 || !contacts_.GetContact(oid, contact)) return false;
    ContactListPhoneMenu menu;
    menu.Build(contact, formats_);
    if (!menu.ShouldShow()) return false;
    const PhoneMenuChoice choice = menu.Choose(PhoneMenuPopup::Track(menu, rowGlobal, list_->Window().Widget()));
    switch (choice.kind) {
        case PhoneMenuChoice::Kind::Nothing: break;
        case PhoneMenuChoice::Kind::NewDefault:
            if (choice.newDefaultTag != contact.GetDefaultTag()) StoreDefaultTag(contact, choice.newDefaultTag);
            model_->OnContactUsed(oid);
            break;
        case PhoneMenuChoice::Kind::Call: Call(oid, choice.text); break;
        case PhoneMenuChoice::Kind::Email:
            model_->OnContactUsed(oid);
            SetStatus(SendEmail(choice.text.View()) ? UiText(uistr::kEmailTo).arg(ToQString(choice.text))
                                                    : UiText(uistr::kMessagingNotStarted));
            break;
    }
    return true;
}

void ContactsFrame::StoreDefaultTag(Contact& contact, uint32_t tag) {
    contact.SetDefaultTag(tag);
    if (!contacts_.UpdateContact(contact, false).Complete()) {
        ErrorLog(u"The new default number cannot be stored", "ContactsFrame", __LINE__);
        return SetStatus(UiText(uistr::kDefaultNumberNotStored));
    }
    list_->Redraw();
}

void ContactsFrame::Call(uint32_t oid, const Str& number) {
    Contact contact;
    const bool known = contacts_.GetContact(oid, contact);
    TheDialer().Dial(Hwnd(), number, known ? &contact : nullptr, 0, Str());
    model_->OnContactUsed(oid);
    SetStatus(UiText(uistr::kCalled).arg(ToQString(number)));
}

void ContactsFrame::UpdatePanes() {
    const int row = model_->List().Selected();
    Contact contact;
    const uint32_t oid = row >= 0 ? model_->List().OidAt(row) : 0;
    if (oid == 0 || !contacts_.GetContact(oid, contact)) contact = Contact();
    preview_.ShowContact(contact);
    // The panel shows the default number also when the rows show names only.
    const ContactRowText text = MakeRowText(contact, model_->Settings().sortType, false, formats_);
    phonePanel_.SetLines(oid != 0 && !text.number.IsEmpty()
                             ? QStringList{QStringLiteral("\u260e ") + ToQString(text.NumberText())}
                             : QStringList{});
}

void ContactsFrame::UpdateFilterLabel() {
    if (filterButton_ == nullptr) return;
    const QString label = ToQString(model_->Filter().Label());
    filterButton_->setText(QFontMetrics(filterButton_->font()).elidedText(label, Qt::ElideRight, filterButton_->width() - ScaleX(6)));
    filterButton_->setAccessibleName(label);
}

void ContactsFrame::RunFilterMenu() {
    MenuDescription menu;
    if (!model_->FilterMenu(menu)) return;
    filterButton_->setText(ToQString(RequireStr(liststr::kView)));
    const uint32_t command = TrackPopupMenu(menu, filterButton_->mapToGlobal(QPoint(0, filterButton_->height())), Widget());
    UpdateFilterLabel();
    if (command != 0) Apply(model_->OnFilterChoice(command));
}

// ---- Commands and requests ----

bool ContactsFrame::OnCommand(uint32_t command, plat::LPARAM) {
    switch (command) {
        case kCmdHistory: OpenHistory(); return true;
        case kCmdDialler: OpenDialler(); return true;
        case kCmdSpeedDial: OpenSpeedDial(); return true;
        default: break;
    }
    const FrameEffect effect = model_->OnCommand(command);
    Apply(effect);
    return effect.handled;
}

void ContactsFrame::MarkMenu(MenuDescription& menu) const {
    const MenuDescription marked = model_->ViewMenu();
    const std::function<void(std::vector<MenuItem>&)> mark = [&](std::vector<MenuItem>& items) {
        for (MenuItem& item : items) {
            if (const MenuItem* found = item.id != 0 ? marked.Find(item.id) : nullptr) item.mark = found->mark;
            mark(item.submenu);
        }
    };
    mark(menu.items);
}

std::optional<QString> ContactsFrame::NameOf(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return std::nullopt;
    return ToQString(contact.GetDisplayName());
}

void ContactsFrame::ShowContact(uint32_t oid) {
    const std::optional<QString> name = NameOf(oid);
    if (!name) return SetStatus(UiText(uistr::kNoContactOid).arg(Hex(oid)));
    FrameEffect effect;
    if (RevealContact(*model_, oid, effect)) Apply(effect);
    shown_ = oid;
    SetStatus(UiText(uistr::kContactShown).arg(Hex(oid), *name));
    RunContactView(oid);
}

void ContactsFrame::RunContactView(uint32_t oid) {
    Contact contact;
    if (openView_ != nullptr || !contacts_.GetContact(oid, contact)) return;
    ContactViewDlg view(true, template_);
    view.SetListener(this);
    view.ShowContact(contact);
    openView_ = &view;
    const int outcome = view.RunModal(*this);
    openView_ = nullptr;
    const uint32_t shown = view.Shown().GetOid();
    if (outcome == ContactViewDlg::kOutcomeEdit) return EditContact(shown);
    if (outcome == ContactViewDlg::kOutcomeDial) Apply(model_->OnTalk());
    if (outcome == ContactViewDlg::kOutcomeFailed) SetStatus(UiText(uistr::kViewNotOpened));
}

void ContactsFrame::StepView(ContactViewDlg& view, int step) {
    const ContactListModel& rows = model_->List();
    int row = rows.Selected() + step;
    while (row >= 0 && row < rows.RowCount() && rows.RowAt(row).IsHeader()) row += step;
    Contact contact;
    if (row < 0 || row >= rows.RowCount() || !contacts_.GetContact(rows.OidAt(row), contact)) return;
    (void)model_->List().Select(row);  // the row may be current already
    list_->Window().SetSelected(row);
    list_->Redraw();
    UpdatePanes();
    shown_ = contact.GetOid();
    view.ShowContact(contact);
}

void ContactsFrame::ShowPrevious(ContactViewDlg& view) { StepView(view, -1); }

void ContactsFrame::ShowNext(ContactViewDlg& view) { StepView(view, 1); }

// Escape in the embedded pane goes back to the list.
void ContactsFrame::OnViewKeyDown(plat::HWND window, uint32_t key, uint32_t) {
    if (window == preview_.Hwnd() && key == VK_ESCAPE) MoveFocus(FocusTarget::List);
}

// Typing in the embedded pane searches, as typing in the list does.
void ContactsFrame::OnViewChar(char16_t ch) {
    if (openView_ == nullptr) OnListCharTyped(ch);
}

void ContactsFrame::OnContactUsed(uint32_t oid) { model_->OnContactUsed(oid); }

void ContactsFrame::OnOpenContact() {
    const uint32_t oid = model_->List().SelectedOid();
    if (oid != 0) RunContactView(oid);
}

void ContactsFrame::OnDialled() {
    SetStatus(UiText(uistr::kCalled).arg(ToQString(preview_.Shown().GetDisplayName())));
}

void ContactsFrame::EditContact(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return SetStatus(UiText(uistr::kNoContactOid).arg(Hex(oid)));
    if (RefuseEditOfSimContact(contact)) return;
    shown_ = oid;
    SetStatus(UiText(uistr::kEditingContact).arg(Hex(oid), ToQString(contact.GetDisplayName())));
    RunEditor(contact);
}

// A number handed over goes into the mobile field; the categories the list is filtered by are
// preset.
void ContactsFrame::NewContact(const Str& text) {
    SetStatus(UiText(uistr::kNewContactFor).arg(ToQString(text)));
    Contact fresh;
    if (!text.IsEmpty()) fresh.SetText(kFieldMobile, text);
    if (model_->Filter().State() == catfilter::kChosenCategories) {
        for (const uint32_t id : model_->Filter().Ids()) fresh.categories.Add(id);
    }
    RunEditor(fresh);
}

void ContactsFrame::FindOrCreate(const Str& text) {
    const FrameEffect effect = model_->FindCaller(text.View());
    if (effect.action != FrameAction::NewContact) return Apply(effect);
    const CallerRequest request = ParseCallerRequest(text.View());
    SetStatus(UiText(uistr::kFindOrCreate).arg(ToQString(request.name)));
    Contact fresh;
    fresh.SetText(kFieldFirst, request.name);
    fresh.SetText(kFieldMobile, request.number);
    RunEditor(fresh);
}

void ContactsFrame::RunEditor(const Contact& contact) {
    if (openEditor_ != nullptr) return;
    std::vector<std::string> shortened;  // what the store's value limits changed in the saved contact
    ContactEditDlg editor(template_, [this, &shortened](Contact& edited) {
        ContactWrite written =
            edited.GetOid() != 0 ? contacts_.UpdateContact(edited, true) : contacts_.AddContact(edited, true);
        shortened = written.limited;
        return written;
    });
    editor.SetContact(contact);
    editor.SetTemplateEditor([this](WndImpl& owner) {
        return EditTemplate([&owner](ContactTemplate& copy) { return CTemplateDlg::Run(owner, copy); });
    });
    openEditor_ = &editor;
    const int result = editor.RunModal(*this);
    openEditor_ = nullptr;
    if (result != ContactEditDlg::kSaved) return;
    const uint32_t oid = editor.Saved().GetOid();
    model_->OnContactUsed(oid);
    shown_ = oid;
    SetStatus(UiText(uistr::kSavedContact).arg(ToQString(editor.Saved().GetDisplayName())));
    RevealWhenListed(oid);
    if (!shortened.empty()) TellShortened(shortened);
}

void ContactsFrame::TellShortened(const std::vector<std::string>& shortened) {
    QStringList lines;
    for (const std::string& line : shortened) lines << QString::fromStdString(line);
    const QString text = UiText(uistr::kValuesShortened).arg(lines.join(QLatin1Char('\n')));
    plat::MessageBox(text.toStdU16String(), RequireStr(uistr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
}

bool ContactsFrame::EditTemplate(const std::function<bool(ContactTemplate&)>& edit) {
    ContactTemplate copy;
    copy.CopyFrom(template_);
    if (!edit(copy)) return false;
    template_.CopyFrom(copy);
    if (!template_.Save(TemplateFilePath())) {
        plat::MessageBox(RequireStr(uistr::kTemplateNotSaved).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
    }
    UpdatePanes();
    return true;
}

void ContactsFrame::RevealWhenListed(uint32_t oid) {
    pendingReveal_ = oid;
    RedrawRows();
}

void ContactsFrame::OpenDialler() {
    const DiallerStart start = StartDialler();
    if (start.systemDialler && Widget() != nullptr) Widget()->window()->showMinimized();
    SetStatus(start.started ? UiText(uistr::kDiallerStarted) : UiText(uistr::kDiallerNotStarted));
}

void ContactsFrame::OpenHistory() {
    SetStatus(StartHistory() ? UiText(uistr::kHistoryStarted) : UiText(uistr::kHistoryNotStarted));
}

void ContactsFrame::OpenSpeedDial() {
    CSpeedDialDlg dialog(ContactManager::Instance(), formats_);
    dialog.DoModal(*this);
}

void ContactsFrame::CallSelected() { Apply(model_->OnTalk()); }

void ContactsFrame::ClearSearch() {
    search_.SetText(QString());
    Apply(model_->OnSearchText(u""));
}

void ContactsFrame::RedrawRows() {
    model_->RebuildList();
    list_->RowsChanged();
    UpdatePanes();
    // A contact saved here becomes current as soon as the store's change reaches the list.
    const auto& oids = model_->List().Oids();
    if (pendingReveal_ == 0 || std::find(oids.begin(), oids.end(), pendingReveal_) == oids.end()) return;
    FrameEffect effect;
    const uint32_t oid = std::exchange(pendingReveal_, 0);
    if (RevealContact(*model_, oid, effect)) Apply(effect);
}

void ContactsFrame::ContactChanged(uint32_t oid) {
    RedrawRows();
    if (oid == shown_ && !NameOf(oid)) shown_ = 0;
}

void ContactsFrame::ApplyListFont(const FontStyle& font) { list_->SetFont(WithStyle(list_->Window().Widget()->font(), font)); }

void ContactsFrame::ApplyViewFont(const FontStyle& font) {
    // The view's markup sets the style of its runs itself: only the face and the size apply.
    FontStyle plain;
    plain.face = font.face;
    plain.height = font.height;
    preview_.List().Widget()->setFont(WithStyle(preview_.List().Widget()->font(), plain));
    UpdatePanes();
}

void ContactsFrame::ApplyAbcSettings(const AbcBarSettings&) {
    const FrameEffect effect = model_->ReloadAlphabet();
    smallBar_.SetButtons(model_->Alphabet());
    bigBar_.SetButtons(model_->Alphabet());
    Apply(effect);
}

void ContactsFrame::SetRowHeightIncrement(int pixels) {
    rowIncrement_ = pixels;
    list_->SetRowIncrement(pixels);
    LayOut();
}

void ContactsFrame::RebuildList() {
    model_->ReadHideSim();
    RedrawRows();
}

void ContactsFrame::SetStatus(const QString& status) {
    status_ = status;
    Invalidate();
}

// ---- The children's events ----

void ContactsFrame::OnSearchTextChanged(const QString& text) {
    const BusyScope busy(search_);
    Apply(model_->OnSearchText(text.toStdU16String()));
}

bool ContactsFrame::OnSearchBackspace(int caret, int selStart, int selEnd) {
    const BusyScope busy(search_);
    const FrameEffect effect = model_->OnSearchBackspace(caret, selStart, selEnd);
    Apply(effect);
    return effect.handled;
}

void ContactsFrame::OnSearchKey(uint32_t key) {
    // Enter after typing opens the contact the search left selected, as Enter in the list does.
    if (key == VK_RETURN) {
        if (const int row = list_->Window().Selected(); row >= 0) OnRowActivated(row);
        return;
    }
    if (key == VK_APPS) return list_->Window().OpenContextMenu();
    const BusyScope busy(search_);
    Apply(model_->OnKey(key, KeySource::SearchBox));
}

void ContactsFrame::OnSplitterMoved(int top) {
    const FrameSettings& settings = model_->Settings();
    // A position not kept is a preference lost.
    (void)model_->SetSplitter(SplitThousandthsAt(Rects(), top), settings.spltFix,
                              static_cast<uint32_t>(std::max(0, top)));
    LayOut();
}

void ContactsFrame::OnListKey(uint32_t key) {
    const BusyScope busy(search_);
    Apply(model_->OnKey(key, KeySource::List));
}

void ContactsFrame::OnListCharTyped(char16_t ch) {
    const BusyScope busy(search_);
    Apply(model_->OnListChar(ch));
}

void ContactsFrame::OnRowActivated(int row) {
    FrameEffect effect = model_->OnActivate(row);
    effect.listChanged = true;  // a header row toggles its group
    Apply(effect);
}

void ContactsFrame::OnRowTapped(int row) {
    FrameEffect effect = model_->OnTap(row, false);
    effect.listChanged = true;
    Apply(effect);
}

void ContactsFrame::OnRowSelected(int) { UpdatePanes(); }

void ContactsFrame::OnContextCommand(uint32_t command) {
    if (command != 0) Apply(model_->OnContextCommand(command));
}

void ContactsFrame::OnAbcButton(bool big, int number) {
    const BusyScope busy(search_);
    Apply(model_->OnAbcButton(big, number));
}
