// The editor's date, picture and messaging blocks driven as a person drives them, with taps where
// the form draws them: dates set and cleared by keyboard or by their small button and stored to the
// tick, a date left alone stored exactly as it was; pictures
// chosen from files of every common format, kept byte for byte when untouched, removed, and a
// damaged file refused without losing the contact's picture or the rest of the edit; messenger
// types chosen from the known ones.
#include <QBuffer>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include "store/contact/ContactDate.h"
#include "ui/edit/ContactEditor.h"
#include "ui/edit/DateField.h"
#include "ui/edit/PictureFile.h"
#include "ui/toolkit/PopupMenu.h"
#include "view/pane/FileTimeDate.h"

namespace {

constexpr uint64_t kTicksPerHour = 36000000000ull;
// A date label typed with a character beyond the BMP, a combining mark and a right-to-left word.
const QString kDayLabel = QString::fromUtf16(u"Name day \U0001F382 Cafe\u0301 \u05D9\u05D5\u05DD");

uint64_t Day(int year, int month, int day) { return FileTimeOfDate({year, month, day}).value_or(0); }

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

ContactPicture PictureOf(const QByteArray& bytes) {
    return ContactPicture::FromImageBytes(
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
}

// A 1x1 GIF (Qt reads GIF but does not write it).
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ff0000ffffff2c00000000010001000002024401003b");

class EditBlocks : public ContactEditor {
protected:
    void TearDown() override {
        SetPictureFileChooser({});
        ContactEditor::TearDown();
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }

    // The file dialog answers `path`.
    void ChooserAnswers(const QString& path) {
        SetPictureFileChooser([this, path](QWidget*, const QString& folder) {
            askedIn_ = folder;
            return path;
        });
    }

    // A tap on the date of `row`: the date editor comes over it.
    static DateField& TapDate(ContactEditDlg& editor, int row) {
        FieldBlock& dates = *editor.BlockOf(kGroupDates);
        Tap(*editor.Form(), editor.Form()->CellPoint(dates, CellOf(dates, row)));
        return *editor.Form()->DateEditor();
    }

    static QString DateShown(const FieldBlock& dates, int row) {
        return dates.CellText(dates.Cells()[CellOf(dates, row)]);
    }

    // A tap on the picture, then `choice` from its menu.
    static void PictureMenu(ContactEditDlg& editor, const QString& choice) {
        FieldBlock& name = *editor.BlockOf(kGroupName);
        const int picture = name.ElementCount() - 1;
        EXPECT_TRUE(WithPopups(
            [&] { Tap(*editor.Form(), editor.Form()->CellPoint(name, CellOf(name, picture))); }, {choice}));
    }

    static QString PictureShown(ContactEditDlg& editor) { return editor.BlockOf(kGroupName)->PictureText(); }

    QTemporaryDir folder_;
    QString askedIn_;
};

TEST_F(EditBlocks, DatesAreSetAndClearedByKeyboardAndStoredExactly) {
    ContactsFrame& frame = Start();
    Contact dated = ContactOf({{kFieldFirst, u"Anna"}});
    const uint64_t birthday = Day(1980, 12, 31) + 13 * kTicksPerHour;  // another program wrote a time of day
    dated.SetBirthday(birthday);
    dated.SetAnniversary(Day(2005, 6, 18));
    dated.dates.Add({Str(u"Name day"), Day(kYearlessYear, 2, 29)});
    const uint32_t anna = AddContact(dated);

    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FieldBlock& dates = *editor.BlockOf(kGroupDates);
        const int anniversary = RowLabelled(dates, "Anniversary");
        const int nameDay = RowLabelled(dates, "Name day");
        if (anniversary < 0 || nameDay < 0) {
            ADD_FAILURE() << "no Anniversary or Name day row";
            return Cancel(editor);
        }
        EXPECT_FALSE(DateShown(dates, nameDay).contains("1604")) << "a date without a year shows no year";
        DateField& field = TapDate(editor, anniversary);
        EXPECT_FALSE(field.text().contains("1604"));
        QTest::keyClick(&field, Qt::Key_Delete);
        EXPECT_TRUE(field.IsEmpty());
        EXPECT_EQ(field.text(), "No date");
        TypeCustomLabel(editor, dates, nameDay, kDayLabel);
        EXPECT_EQ(DateShown(dates, anniversary), "No date") << "the cleared date is drawn so once left";
        Ok(editor);
    }));
    Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetBirthday(), birthday) << "a date left alone keeps its time of day";
    EXPECT_EQ(stored.GetAnniversary(), 0u) << "a cleared date is dropped";
    ASSERT_EQ(stored.dates.GetSize(), 1);
    EXPECT_EQ(stored.dates[0].date, Day(kYearlessYear, 2, 29)) << "and stays without a year";
    EXPECT_EQ(ToQString(stored.dates[0].label), kDayLabel);

    // That row is cleared with a tap, takes the Anniversary label and a date typed in full.
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FieldBlock& dates = *editor.BlockOf(kGroupDates);
        FormWindow& form = *editor.Form();
        // The window takes no input until the store has told it of the last save.
        EXPECT_TRUE(WaitFor([&] { return form.isEnabled() && form.window()->isEnabled(); }));
        const int row = RowLabelled(dates, kDayLabel);
        if (row < 0) {
            ADD_FAILURE() << "no row of the typed label";
            return Cancel(editor);
        }
        const int birthday = RowLabelled(dates, "Birthday");
        const QString birthdayShown = DateShown(dates, birthday);
        TapDate(editor, row);
        Tap(form, form.PartPoint(dates, row, BlockPart::SecondButton));
        EXPECT_TRUE(form.DateEditor()->IsEmpty()) << "the editor over the date shows it cleared";
        EXPECT_EQ(DateShown(dates, birthday), birthdayShown) << "only that row's date is cleared";
        EXPECT_TRUE(
            WithPopups([&] { Tap(form, form.PartPoint(dates, row, BlockPart::Label)); }, {"Anniversary"}));
        DateField& field = TapDate(editor, row);
        EXPECT_TRUE(field.IsEmpty());
        // The calendar of an empty date opens at today, and closed without a choice leaves it empty.
        QTest::keyClick(&field, Qt::Key_Down, Qt::AltModifier);
        if (!WaitFor([&] { return field.calendarWidget()->isVisible(); })) {
            ADD_FAILURE() << "Alt+Down opens no calendar";
            return Cancel(editor);
        }
        EXPECT_EQ(field.calendarWidget()->selectedDate(), QDate::currentDate());
        QTest::keyClick(field.calendarWidget(), Qt::Key_Escape);
        EXPECT_TRUE(WaitFor([&] { return !field.calendarWidget()->isVisible(); }));
        EXPECT_TRUE(field.IsEmpty() && field.FileTime() == 0u);
        QTest::keyClick(&field, Qt::Key_Up);
        EXPECT_EQ(field.date(), QDate::currentDate()) << "an empty date starts from today";
        QTest::keyClick(&field, Qt::Key_Delete);
        const QString typed = field.locale().toString(QDate(1975, 3, 7), field.displayFormat());
        QTest::keyClicks(&field, typed);
        EXPECT_EQ(field.date(), QDate(1975, 3, 7))
            << typed.toStdString() << " shows " << field.text().toStdString();
        Ok(editor);
    }));
    stored = Stored(anna);
    EXPECT_EQ(stored.GetAnniversary(), Day(1975, 3, 7)) << "a date set here is 00:00 of its day";
    EXPECT_EQ(stored.GetBirthday(), birthday);
    EXPECT_EQ(stored.dates.GetSize(), 0);
}

TEST_F(EditBlocks, MessengerTypesAreChosenFromTheKnownOnesAndStored) {
    ContactsFrame& frame = Start();
    const uint32_t anna =
        Add({{kFieldFirst, u"Anna"}, {kFieldIm1, u"ICQ: 12345"}, {kFieldIm2, u"Jabber: anna@example.org"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FieldBlock& ims = *editor.BlockOf(kGroupMessaging);
        FormWindow& form = *editor.Form();
        const int icq = RowWith(ims, "12345");
        const int jabber = RowWith(ims, "anna@example.org");
        if (icq < 0 || jabber < 0) {
            ADD_FAILURE() << "the messaging rows are missing";
            return Cancel(editor);
        }
        const auto type = [&](int row) { return ims.CellText(ims.Cells()[ims.CellsOf(row).back()]); };
        EXPECT_EQ(type(icq), "ICQ");
        EXPECT_EQ(type(jabber), "Jabber") << "a type the template lacks is kept";
        EXPECT_TRUE(WithPopup([&] { Tap(form, form.CellPoint(ims, ims.CellsOf(icq).back())); },
                              [&](QMenu& menu) {
                                  EXPECT_EQ(Texts(menu), (QStringList{"AOL", "ICQ", "MSN"}));
                                  EXPECT_TRUE(ActionOf(menu, "ICQ")->isChecked());
                                  ChooseByKeys(menu, "MSN");
                              }));
        EXPECT_EQ(type(icq), "MSN");
        // The keyboard reaches the type from the number and opens the same choice.
        TapText(editor, ims, ims.CellsOf(jabber).front());
        QTest::keyClick(form.LineEditor(), Qt::Key_Tab);
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(&form, Qt::Key_Return); },
                              [&](QMenu& menu) {
                                  EXPECT_EQ(Texts(menu), (QStringList{"AOL", "ICQ", "MSN", "Jabber"}));
                                  menu.close();
                              }));
        Ok(editor);
    }));
    const Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetText(kFieldIm1), Str(u"MSN: 12345"));
    EXPECT_EQ(stored.GetText(kFieldIm2), Str(u"Jabber: anna@example.org"));
}

TEST_F(EditBlocks, APictureIsKeptByteForByteChosenFromAFileOrRemoved) {
    ContactsFrame& frame = Start();
    Contact pictured = ContactOf({{kFieldFirst, u"Anna"}});
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(QColor(200, 40, 40));
    pictured.SetPicture(PictureOf(Encoded(small, "PNG")));
    const uint32_t anna = AddContact(pictured);
    const ByteBlock png = Stored(anna).GetPicture().ImageBytes();
    ASSERT_FALSE(png.IsAllZero());

    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        EXPECT_EQ(PictureShown(editor), "40 x 30");
        RetypeName(editor, "Anne");
        Ok(editor);
    }));
    EXPECT_EQ(Stored(anna).GetText(kFieldFirst), Str(u"Anne"));
    EXPECT_TRUE(Stored(anna).GetPicture().ImageBytes() == png) << "an untouched picture is written back as it was";

    // A large picture with transparent parts is scaled down and stored as JPEG.
    QImage wide(800, 400, QImage::Format_ARGB32);
    wide.fill(Qt::transparent);
    const QString path = WriteFile(QStringLiteral("wide.png"), Encoded(wide, "PNG"));
    ChooserAnswers(path);
    EXPECT_TRUE(SettingsStore::WriteString(settings::kSettings, settings::kLastPicPath, u"/somewhere"));
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        PictureMenu(editor, "Choose picture...");
        EXPECT_EQ(PictureShown(editor), "192 x 96");
        Ok(editor);
    }));
    EXPECT_EQ(askedIn_, "/somewhere") << "the file dialog starts where the last picture was";
    EXPECT_EQ(ToQString(SettingsStore::ReadString(settings::kSettings, settings::kLastPicPath, u"")), folder_.path());
    const ContactPicture chosen = Stored(anna).GetPicture();
    ASSERT_FALSE(chosen.IsEmpty());
    EXPECT_EQ(chosen.Width(), 192);
    EXPECT_EQ(chosen.ImageBytes().Bytes()[0], 0xFF) << "JPEG";
    EXPECT_GT(chosen.Bitmap().rgb[0], 240) << "transparent parts are white";

    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        PictureMenu(editor, "Remove picture");
        EXPECT_EQ(PictureShown(editor), "No picture");
        Ok(editor);
    }));
    EXPECT_TRUE(Stored(anna).GetPicture().IsEmpty());
}

TEST_F(EditBlocks, ADamagedPictureFileIsRefusedAndTheRestOfTheEditIsSaved) {
    ContactsFrame& frame = Start();
    Contact pictured = ContactOf({{kFieldFirst, u"Anna"}});
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::blue);
    pictured.SetPicture(PictureOf(Encoded(small, "JPEG")));
    const uint32_t anna = AddContact(pictured);
    const ByteBlock before = Stored(anna).GetPicture().ImageBytes();
    QByteArray damaged = Encoded(small, "JPEG").left(40);
    damaged.append(QByteArray(200, '\x5A'));
    ChooserAnswers(WriteFile(QStringLiteral("damaged.jpg"), damaged));
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        PictureMenu(editor, "Choose picture...");
        EXPECT_EQ(PictureShown(editor), "20 x 20") << "the picture is kept";
        RetypeName(editor, "Anne");
        Ok(editor);
    }));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_NE(boxes_.Boxes()[0].text.find(u"cannot be read"), std::u16string::npos);
    EXPECT_NE(boxes_.Boxes()[0].text.find(u"damaged.jpg"), std::u16string::npos);
    EXPECT_EQ(Stored(anna).GetText(kFieldFirst), Str(u"Anne"));
    EXPECT_TRUE(Stored(anna).GetPicture().ImageBytes() == before);
}

TEST_F(EditBlocks, PictureFilesOfEveryCommonFormatAreReadAndOthersRefused) {
    QImage tall(300, 600, QImage::Format_RGB32);
    tall.fill(QColor(10, 120, 30));
    const struct {
        const char* name;
        QByteArray bytes;
        int width, height;  // 0: refused
    } cases[] = {
        {"tall.png", Encoded(tall, "PNG"), 96, 192},
        {"tall.jpg", Encoded(tall, "JPEG"), 96, 192},
        {"tall.bmp", Encoded(tall, "BMP"), 96, 192},
        {"dot.gif", kGif, 1, 1},
        {"empty.png", QByteArray(), 0, 0},
        {"text.png", QByteArray("not a picture at all"), 0, 0},
        {"cut.png", Encoded(tall, "PNG").left(60), 0, 0},
    };
    const PictureQuality medium = PictureQualityOf(1);
    for (const auto& c : cases) {
        const PictureFile file = LoadPictureFile(WriteFile(c.name, c.bytes), medium);
        EXPECT_EQ(file.picture.Width(), c.width) << c.name;
        EXPECT_EQ(file.picture.Height(), c.height) << c.name;
        EXPECT_EQ(file.error.isEmpty(), c.width != 0) << c.name << ": " << file.error.toStdString();
    }
    EXPECT_FALSE(LoadPictureFile(folder_.filePath("missing.png"), medium).error.isEmpty());
}

class BlockShots : public EditBlocks, public ::testing::WithParamInterface<int> {};

TEST_P(BlockShots, DatesPictureAndMessaging) {
    ContactsFrame& frame = Start(GetParam());
    Contact full =
        ContactOf({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldIm1, u"ICQ: 123456789"}});
    QImage portrait(120, 160, QImage::Format_RGB32);
    portrait.fill(QColor(90, 130, 200));
    full.SetPicture(PictureOf(Encoded(portrait, "PNG")));
    full.SetBirthday(Day(1980, 12, 31));
    full.dates.Add({Str(u"Name day"), Day(kYearlessYear, 7, 26)});
    const uint32_t anna = AddContact(full);
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        const QString dpi = QString::number(GetParam());
        ShootWindow("edit_picture_" + dpi + "dpi");
        TapDate(editor, 0);
        ShootWindow("edit_dates_" + dpi + "dpi");
        Cancel(editor);
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, BlockShots, ::testing::Values(96, 192));

}  // namespace
