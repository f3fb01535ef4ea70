// The editor's date, picture and messaging blocks driven as a person drives them: dates set and
// cleared by keyboard and stored to the tick, a date left alone stored exactly as it was; pictures
// chosen from files of every common format, kept byte for byte when untouched, removed, and a
// damaged file refused without losing the contact's picture or the rest of the edit; messenger
// types chosen from the known ones.
#include <QBuffer>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "store/contact/ContactDate.h"
#include "store/contact/ContactFields.h"
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

int RowLabelled(FormBlockView& block, const QString& label) {
    for (int row = 0; row < block.RowCount(); ++row) {
        if (block.LabelButton(row)->text() == label) return row;
    }
    return -1;
}

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

    // Adds the contact and waits until the list shows it (the screen takes no keys before).
    uint32_t AddContact(Contact contact) {
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->AddContact(contact, true).Complete());
        const auto& oids = MainWndFrame::Instance().Contacts()->Model().List().Oids();
        EXPECT_TRUE(WaitFor([&] {
            const QList<QWidget*> children = MainWndFrame::Instance().Widget()->findChildren<QWidget*>();
            return std::find(oids.begin(), oids.end(), contact.GetOid()) != oids.end() &&
                   std::all_of(children.begin(), children.end(), [](QWidget* w) { return w->isEnabled(); });
        }));
        return contact.GetOid();
    }

    QTemporaryDir folder_;
    QString askedIn_;
};

TEST_F(EditBlocks, DatesAreSetAndClearedByKeyboardAndStoredExactly) {
    ContactsFrame& frame = Start();
    Contact dated;
    dated.SetText(kFieldFirst, u"Anna");
    const uint64_t birthday = Day(1980, 12, 31) + 13 * kTicksPerHour;  // another program wrote a time of day
    dated.SetBirthday(birthday);
    dated.SetAnniversary(Day(2005, 6, 18));
    dated.dates.Add({Str(u"Name day"), Day(kYearlessYear, 2, 29)});
    const uint32_t anna = AddContact(dated);

    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& dates = *editor.BlockOf(kGroupDates);
        const int anniversary = RowLabelled(dates, "Anniversary");
        const int nameDay = RowLabelled(dates, "Name day");
        if (anniversary < 0 || nameDay < 0) {
            ADD_FAILURE() << "no Anniversary or Name day row";
            return Cancel(editor);
        }
        EXPECT_FALSE(dates.DateEdit(nameDay)->text().contains("1604")) << "a date without a year shows no year";
        DateField& field = *dates.DateEdit(anniversary);
        field.setFocus();
        QTest::keyClick(&field, Qt::Key_Delete);
        EXPECT_TRUE(field.IsEmpty());
        EXPECT_EQ(field.text(), "No date");
        EXPECT_FALSE(dates.ClearDateButton(anniversary)->isEnabled());
        TypeCustomLabel(dates, nameDay, kDayLabel);
        Ok(editor);
    }));
    Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetBirthday(), birthday) << "a date left alone keeps its time of day";
    EXPECT_EQ(stored.GetAnniversary(), 0u) << "a cleared date is dropped";
    ASSERT_EQ(stored.dates.GetSize(), 1);
    EXPECT_EQ(stored.dates[0].date, Day(kYearlessYear, 2, 29)) << "and stays without a year";
    EXPECT_EQ(ToQString(stored.dates[0].label), kDayLabel);

    // That row is cleared with a tap, takes the Anniversary label and a date typed in full.
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& dates = *editor.BlockOf(kGroupDates);
        // The window takes no input until the store has told it of the last save.
        EXPECT_TRUE(WaitFor([&] { return dates.isEnabled() && dates.window()->isEnabled(); }));
        const int row = RowLabelled(dates, kDayLabel);
        if (row < 0) {
            ADD_FAILURE() << "no row of the typed label";
            return Cancel(editor);
        }
        QTest::mouseClick(dates.ClearDateButton(row), Qt::LeftButton);
        DateField& field = *dates.DateEdit(row);
        EXPECT_TRUE(field.IsEmpty());
        EXPECT_TRUE(WithPopup([&] { dates.RunLabelPopup(row); }, [&](QMenu& menu) { Choose(menu, "Anniversary"); }));
        field.setFocus();
        QTest::keyClick(&field, Qt::Key_Up);
        EXPECT_EQ(field.date(), QDate::currentDate()) << "an empty date starts from today";
        QTest::keyClick(&field, Qt::Key_Delete);
        const QString typed = field.locale().toString(QDate(1975, 3, 7), field.displayFormat());
        QTest::keyClicks(&field, typed);
        EXPECT_EQ(field.date(), QDate(1975, 3, 7)) << typed.toStdString() << " shows " << field.text().toStdString();
        Ok(editor);
    }));
    stored = Stored(anna);
    EXPECT_EQ(stored.GetAnniversary(), Day(1975, 3, 7)) << "a date set here is 00:00 of its day";
    EXPECT_EQ(stored.GetBirthday(), birthday);
    EXPECT_EQ(stored.dates.GetSize(), 0);
}

TEST_F(EditBlocks, AnEmptyDateOpensTheCalendarAtTodayAndStaysEmptyWithoutAChoice) {
    ContactsFrame& frame = Start();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}});
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        DateField& field = *editor.BlockOf(kGroupDates)->DateEdit(0);
        EXPECT_TRUE(field.IsEmpty());
        field.setFocus();
        QTest::keyClick(&field, Qt::Key_Down, Qt::AltModifier);
        if (!WaitFor([&] { return field.calendarWidget()->isVisible(); })) {
            ADD_FAILURE() << "Alt+Down opens no calendar";
            return Cancel(editor);
        }
        EXPECT_EQ(field.calendarWidget()->selectedDate(), QDate::currentDate());
        QTest::keyClick(field.calendarWidget(), Qt::Key_Escape);
        EXPECT_TRUE(WaitFor([&] { return !field.calendarWidget()->isVisible(); }));
        EXPECT_TRUE(field.IsEmpty());
        EXPECT_EQ(field.FileTime(), 0u);
        Cancel(editor);
    }));
}

TEST_F(EditBlocks, MessengerTypesAreChosenFromTheKnownOnesAndStored) {
    ContactsFrame& frame = Start();
    const uint32_t anna =
        Add({{kFieldFirst, u"Anna"}, {kFieldIm1, u"ICQ: 12345"}, {kFieldIm2, u"Jabber: anna@example.org"}});
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& ims = *editor.BlockOf(kGroupMessaging);
        const int icq = RowWith(ims, "12345");
        const int jabber = RowWith(ims, "anna@example.org");
        if (icq < 0 || jabber < 0) {
            ADD_FAILURE() << "the messaging rows are missing";
            return Cancel(editor);
        }
        QComboBox& type = *ims.MsgTypeBox(icq);
        QStringList offered;
        for (int index = 0; index < type.count(); ++index) offered << type.itemText(index);
        EXPECT_EQ(offered, (QStringList{"AOL", "ICQ", "MSN"}));
        EXPECT_EQ(type.currentText(), "ICQ");
        EXPECT_EQ(ims.MsgTypeBox(jabber)->currentText(), "Jabber") << "a type the template lacks is kept";
        type.setFocus();
        QTest::keyClick(&type, Qt::Key_Down);
        Ok(editor);
    }));
    const Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetText(kFieldIm1), Str(u"MSN: 12345"));
    EXPECT_EQ(stored.GetText(kFieldIm2), Str(u"Jabber: anna@example.org"));
}

TEST_F(EditBlocks, APictureIsKeptByteForByteChosenFromAFileOrRemoved) {
    ContactsFrame& frame = Start();
    Contact pictured;
    pictured.SetText(kFieldFirst, u"Anna");
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(QColor(200, 40, 40));
    pictured.SetPicture(PictureOf(Encoded(small, "PNG")));
    const uint32_t anna = AddContact(pictured);
    const ByteBlock png = Stored(anna).GetPicture().ImageBytes();
    ASSERT_FALSE(png.IsAllZero());

    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        EXPECT_EQ(editor.BlockOf(kGroupName)->PictureButton()->accessibleDescription(), "40 x 30");
        Retype(*editor.BlockOf(kGroupName)->NameEdit(kNameFirst), "Anne");
        Ok(editor);
    }));
    EXPECT_EQ(Stored(anna).GetText(kFieldFirst), Str(u"Anne"));
    EXPECT_TRUE(Stored(anna).GetPicture().ImageBytes() == png) << "an untouched picture is written back as it was";

    // A large picture with transparent parts is scaled down and stored as JPEG.
    QImage wide(800, 400, QImage::Format_ARGB32);
    wide.fill(Qt::transparent);
    const QString path = WriteFile(QStringLiteral("wide.png"), Encoded(wide, "PNG"));
    ChooserAnswers(path);
    SettingsStore::WriteString(settings::kSettings, settings::kLastPicPath, u"/somewhere");
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& name = *editor.BlockOf(kGroupName);
        EXPECT_TRUE(WithPopup([&] { name.RunPictureMenu(); }, [&](QMenu& menu) { Choose(menu, "Choose picture..."); }));
        EXPECT_EQ(name.PictureButton()->accessibleDescription(), "192 x 96");
        Ok(editor);
    }));
    EXPECT_EQ(askedIn_, "/somewhere") << "the file dialog starts where the last picture was";
    EXPECT_EQ(ToQString(SettingsStore::ReadString(settings::kSettings, settings::kLastPicPath, u"")), folder_.path());
    const ContactPicture chosen = Stored(anna).GetPicture();
    ASSERT_FALSE(chosen.IsEmpty());
    EXPECT_EQ(chosen.Width(), 192);
    EXPECT_EQ(chosen.ImageBytes().Bytes()[0], 0xFF) << "JPEG";
    EXPECT_GT(chosen.Bitmap().rgb[0], 240) << "transparent parts are white";

    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& name = *editor.BlockOf(kGroupName);
        EXPECT_TRUE(WithPopup([&] { name.RunPictureMenu(); }, [&](QMenu& menu) { Choose(menu, "Remove picture"); }));
        EXPECT_EQ(name.PictureButton()->accessibleDescription(), "No picture");
        Ok(editor);
    }));
    EXPECT_TRUE(Stored(anna).GetPicture().IsEmpty());
}

TEST_F(EditBlocks, ADamagedPictureFileIsRefusedAndTheRestOfTheEditIsSaved) {
    ContactsFrame& frame = Start();
    Contact pictured;
    pictured.SetText(kFieldFirst, u"Anna");
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::blue);
    pictured.SetPicture(PictureOf(Encoded(small, "JPEG")));
    const uint32_t anna = AddContact(pictured);
    const ByteBlock before = Stored(anna).GetPicture().ImageBytes();
    QByteArray damaged = Encoded(small, "JPEG").left(40);
    damaged.append(QByteArray(200, '\x5A'));
    ChooserAnswers(WriteFile(QStringLiteral("damaged.jpg"), damaged));
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        FormBlockView& name = *editor.BlockOf(kGroupName);
        EXPECT_TRUE(WithPopup([&] { name.RunPictureMenu(); }, [&](QMenu& menu) { Choose(menu, "Choose picture..."); }));
        EXPECT_EQ(name.PictureButton()->accessibleDescription(), "20 x 20") << "the picture is kept";
        Retype(*name.NameEdit(kNameFirst), "Anne");
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
    Contact full;
    full.SetText(kFieldFirst, u"Anna");
    full.SetText(kFieldLast, u"Smith");
    full.SetText(kFieldIm1, u"ICQ: 123456789");
    QImage portrait(120, 160, QImage::Format_RGB32);
    portrait.fill(QColor(90, 130, 200));
    full.SetPicture(PictureOf(Encoded(portrait, "PNG")));
    full.SetBirthday(Day(1980, 12, 31));
    full.dates.Add({Str(u"Name day"), Day(kYearlessYear, 7, 26)});
    const uint32_t anna = AddContact(full);
    EXPECT_TRUE(WithEditor(frame, [&] { frame.EditContact(anna); }, [&](ContactEditDlg& editor) {
        PumpPendingMessages();
        const QString dpi = QString::number(GetParam());
        EXPECT_FALSE(SaveScreenshot(*MainWndFrame::Instance().Widget(), "edit_picture_" + dpi + "dpi").isEmpty());
        FormBlockView& dates = *editor.BlockOf(kGroupDates);
        QScrollArea* area = nullptr;
        for (QWidget* w = &dates; w != nullptr && area == nullptr; w = w->parentWidget()) area = qobject_cast<QScrollArea*>(w);
        if (area != nullptr) area->ensureWidgetVisible(&dates);
        dates.DateEdit(0)->setFocus();
        PumpPendingMessages();
        EXPECT_FALSE(SaveScreenshot(*MainWndFrame::Instance().Widget(), "edit_dates_" + dpi + "dpi").isEmpty());
        Cancel(editor);
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, BlockShots, ::testing::Values(96, 192));

}  // namespace
