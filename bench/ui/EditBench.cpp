// Showing and editing one full contact (every group filled, a picture) on a device of many
// synthetic contacts (100,000 unless --contacts=N says otherwise), drawn off screen:
//   View/preview  Down or Up in the list onto a full contact, to its preview painted;
//   Edit/open     the editor asked for, to its form painted;
//   Edit/save     OK on a changed first name, to the list row painted with the new name.
// Each sample is taken alone; the median and the 99th percentile are reported beside the mean.
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "ManagerFixture.h"
#include "UiBench.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "ui/edit/ContactEditDlg.h"
#include "ui/edit/FieldBlock.h"
#include "ui/edit/FormWindow.h"
#include "ui/list/ContactsFrame.h"
#include "ui/toolkit/MessageLoop.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

// Two full contacts, next to each other in the list.
uint32_t gFull[2] = {0, 0};
const QString kFirstNames[2] = {QStringLiteral("Ann"), QStringLiteral("Anna")};

ContactPicture Portrait() {
    plat::RgbBitmap bitmap;
    bitmap.width = bitmap.height = 192;
    bitmap.rgb.resize(192 * 192 * 3);
    for (size_t i = 0; i < bitmap.rgb.size(); ++i) bitmap.rgb[i] = static_cast<uint8_t>((i * 7) % 251);
    return ContactPicture::FromBitmap(bitmap);
}

Str Text(const char16_t* prefix, int n) { return Str(prefix) + Str(std::u16string(1, static_cast<char16_t>(u'0' + n % 10))); }

// Every field of the record filled, one further value in every list, dates, a note and a picture.
Contact FullContact(ManagerFixture& fixture, int n) {
    Contact contact = fixture.NewContact();
    for (int field = 0; field < kTextFieldCount; ++field) {
        contact.SetText(field, IsPhoneField(field) ? Text(u"+1 555 010 00", field) : Text(u"Value ", field));
    }
    for (const int field : kEmailFields) contact.SetText(field, Text(u"full.contact@example.org", field));
    contact.SetText(kFieldTitle, u"Dr.");
    contact.SetText(kFieldFirst, Str(kFirstNames[0].toStdU16String()));
    contact.SetText(kFieldLast, n == 0 ? u"Aaberg" : u"Aaberga");
    contact.SetText(kFieldFileAs, u"");
    contact.SetText(kFieldIm1, u"ICQ: 123456789");
    contact.SetBirthday(123456789ull * 1000000000ull / 100);
    contact.SetAnniversary(127000000000000000ull);
    contact.phones.Add({Str(u"Boat"), Str(u"+1 555 0199")});
    contact.emails.Add({Str(u"Private"), Str(u"private@example.org")});
    contact.webPages.Add({Str(u"Blog"), Str(u"https://example.org/blog")});
    contact.people.Add({Str(u"Brother"), Str(u"Tom")});
    contact.others.Add({Str(u"Shoe size"), Str(u"42")});
    contact.ims.Add({Str(u"Work chat"), Str(u"anna.work"), Str(u"MSN")});
    contact.addresses.Add({0, Str(u"Holiday"), Str(u"1 Beach Road"), Str(u"Bay"), Str(u"NSW"), Str(u"2000"), Str(u"Australia")});
    contact.dates.Add({Str(u"Name day"), 126000000000000000ull});
    contact.SetNote(ByteBlock(std::vector<uint8_t>{'N', 0, 'o', 0, 't', 0, 'e', 0}));
    contact.SetPicture(Portrait());
    return contact;
}

void AddFullContacts(ManagerFixture& fixture) {
    for (int n = 0; n < 2; ++n) {
        Contact contact = FullContact(fixture, n);
        if (!fixture.Manager().AddContact(contact, true).Complete()) throw std::runtime_error("a full contact was not added");
        gFull[n] = contact.GetOid();
    }
    fixture.Settle();
    // The preview pane shown below the list.
    if (!SettingsStore::WriteDword(settings::kSettings, settings::kSplitVisible, 1)) std::abort();
}

QWidget& ListWidget() { return *Frame().List().Window().Widget(); }

// Moves the list onto the first full contact (untimed).
bool SelectFirstFull() {
    QTest::keyClick(&ListWidget(), Qt::Key_Home);
    for (int step = 0; step < 50 && Frame().Model().List().SelectedOid() != gFull[0]; ++step) {
        QTest::keyClick(&ListWidget(), Qt::Key_Down);
    }
    PumpPendingMessages();
    return Frame().Model().List().SelectedOid() == gFull[0];
}

void Preview(benchmark::State& state) {
    Frame().ClearSearch();
    ListWidget().setFocus();
    if (!SelectFirstFull()) return state.SkipWithError("the full contacts are not next to each other");
    Samples samples;
    int at = 0;
    for (auto _ : state) {
        const Sample sample;
        QTest::keyClick(&ListWidget(), at == 0 ? Qt::Key_Down : Qt::Key_Up);
        PumpPendingMessages();
        PaintWidget(*Frame().Preview().Widget());
        samples.Add(sample);
        at = 1 - at;
        if (Frame().Preview().Shown().GetOid() != gFull[at]) return state.SkipWithError("the preview shows another contact");
    }
    samples.Report(state);
}

// Runs the editor on `oid`; once its form is shown, `onOpen` gets it (and must end it).
void WithEditor(uint32_t oid, const std::function<void(ContactEditDlg&)>& onOpen) {
    std::function<void()> poll = [&] {
        ContactEditDlg* editor = Frame().OpenEditor();
        if (editor == nullptr || !editor->IsOpen() || !editor->Widget()->isVisible()) return QTimer::singleShot(0, poll);
        onOpen(*editor);
    };
    QTimer::singleShot(0, poll);
    Frame().EditContact(oid);
}

void Open(benchmark::State& state) {
    Samples samples;
    for (auto _ : state) {
        const Sample sample;
        WithEditor(gFull[0], [&](ContactEditDlg& editor) {
            PaintWidget(*editor.Widget());
            samples.Add(sample);
            editor.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
        });
    }
    samples.Report(state);
}

// Whether the list row of the first full contact shows `first` as a word of its name.
bool ShowsFirstName(const QString& first) {
    const int row = Frame().Model().List().RowOf(gFull[0]);
    if (row < 0) return false;
    static const QRegularExpression kWords(QStringLiteral("\\W+"));
    return ToQString(Frame().Model().RowText(row).name).split(kWords).contains(first);
}

void Save(benchmark::State& state) {
    Samples samples;
    int name = 0;
    for (auto _ : state) {
        name = 1 - name;
        std::optional<Sample> sample;
        WithEditor(gFull[0], [&](ContactEditDlg& editor) {
            FieldBlock& names = *editor.BlockOf(kGroupName);
            editor.Form()->MoveTo({&names, names.NameCell(kNameFirst), -1});
            QLineEdit& first = *editor.Form()->LineEditor();
            first.selectAll();
            first.insert(kFirstNames[name]);
            sample.emplace();
            editor.Send(plat::WM_COMMAND, plat::IDOK, 0);
        });
        if (!sample) return state.SkipWithError("the editor did not open");
        while (!ShowsFirstName(kFirstNames[name])) PumpPendingMessages();
        PaintWidget(ListWidget());
        samples.Add(*sample);
    }
    samples.Report(state);
}

void RegisterAll() {
    benchmark::RegisterBenchmark("View/preview", Preview)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Edit/open", Open)->Iterations(200)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Edit/save", Save)->Iterations(200)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) { return RunScreenBench(argc, argv, AddFullContacts, RegisterAll); }
