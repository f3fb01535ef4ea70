#pragma once
// The main window on a temporary device with a few contacts, for the tests of the contacts frame
// and its children: rows read as a screen reader reads them, popup menus answered while they are
// open, screenshots of the window with its open popups.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <utility>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "manager/client/ContactClientManager.h"
#include "phone/PhoneTestSupport.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "support/ContactOf.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"
#include "ui/QtTestApp.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/list/ContactsFrame.h"
#include "ui/toolkit/MessageLoop.h"

class ListScreen : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    void TearDown() override {
        if (MainWndFrame::Exists()) (void)plat::DestroyWindow(MainWndFrame::Instance().Hwnd());  // clean-up
        PumpPendingMessages();
    }

    // Starts the main window; `dpi` 192 starts it as a VGA screen.
    ContactsFrame& Start(int dpi = 96) {
        EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kRealVGA, dpi == 192 ? 1 : 0));
        MainWndFrame& frame = MainWndFrame::Instance();
        EXPECT_TRUE(frame.Create());
        frame.Widget()->show();
        frame.Widget()->activateWindow();
        WaitFor([&] { return QApplication::activeWindow() == frame.Widget(); }, 2000);
        return *frame.Contacts();
    }

    // The contact as the store holds it.
    static Contact Stored(uint32_t oid) {
        Contact contact;
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->GetContact(oid, contact));
        return contact;
    }

    // Saves the main window, as it is drawn once the waiting messages are handled, as `name`.
    static void ShootWindow(const QString& name) {
        PumpPendingMessages();
        EXPECT_FALSE(SaveScreenshot(*MainWndFrame::Instance().Widget(), name).isEmpty())
            << name.toStdString();
    }

    // Adds a contact of (field, text) pairs and waits until the list shows it.
    uint32_t Add(FieldTexts fields) {
        Contact contact = ContactOf(fields);
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->AddContact(contact, false).Complete());
        const uint32_t oid = contact.GetOid();
        ContactsFrame& frame = *MainWndFrame::Instance().Contacts();
        EXPECT_TRUE(WaitFor([&] {
            const auto& oids = frame.Model().List().Oids();
            return std::find(oids.begin(), oids.end(), oid) != oids.end();
        }));
        return oid;
    }

    // The list's rows as a screen reader reads them.
    static QStringList Rows(ContactsFrame& frame) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(frame.List().Window().Widget());
        QStringList rows;
        if (list == nullptr) return rows;
        for (int index = 0; index < list->childCount(); ++index) rows << list->child(index)->text(QAccessible::Name);
        return rows;
    }

    // Runs `open`, which runs something modal; once `find` gives what opened, `act` gets it once
    // (and must end it). False when nothing was found while `open` ran.
    template <class T>
    static bool WhileOpen(const std::function<T*()>& find, const std::function<void()>& open,
                          const std::function<void(T&)>& act) {
        bool seen = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            T* found = find();
            if (found == nullptr) return;
            poll.stop();
            seen = true;
            act(*found);
        });
        poll.start();
        open();
        return seen;
    }

    // Runs `open`, which shows a popup menu and waits for its choice; while the menu is up,
    // `onMenu` gets it (and must choose or dismiss).
    static bool WithPopup(const std::function<void()>& open, const std::function<void(QMenu&)>& onMenu) {
        return WhileOpen<QMenu>(
            [] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                return menu != nullptr && menu->isVisible() ? menu : nullptr;
            },
            open, onMenu);
    }

    // Runs `open`, which opens a full-screen dialog of the frame (`find` gives it while it is open)
    // and waits until it ends; while it is open, `onOpen` gets it (and must end it). False when
    // the dialog never opened.
    template <class Dialog>
    static bool WithDialog(const std::function<Dialog*()>& find, const std::function<void()>& open,
                           const std::function<void(Dialog&)>& onOpen) {
        return WhileOpen<Dialog>(
            [&]() -> Dialog* {
                Dialog* dialog = find();
                return dialog != nullptr && dialog->IsOpen() && dialog->Widget()->isVisible() ? dialog
                                                                                              : nullptr;
            },
            open, onOpen);
    }
    static bool WithView(ContactsFrame& frame, const std::function<void()>& open,
                         const std::function<void(ContactViewDlg&)>& onView) {
        return WithDialog<ContactViewDlg>([&] { return frame.OpenView(); }, open, onView);
    }
    static bool WithEditor(ContactsFrame& frame, const std::function<void()>& open,
                           const std::function<void(ContactEditDlg&)>& onEditor) {
        return WithDialog<ContactEditDlg>([&] { return frame.OpenEditor(); }, open, onEditor);
    }
    static bool Editing(ContactsFrame& frame, uint32_t oid,
                        const std::function<void(ContactEditDlg&)>& onEditor) {
        return WithEditor(
            frame, [&] { frame.EditContact(oid); }, onEditor);
    }

    // The calls the device was asked to place (the phone program may log its start first).
    static std::vector<std::string> Calls(const TempDevice& device, size_t count) {
        return ProgramLog(device, count, "phone.dll\tPhoneMakeCall");
    }

    static QAction* ActionOf(QMenu& menu, const QString& text) {
        for (QAction* action : menu.actions()) {
            if (action->text() == text) return action;
        }
        return nullptr;
    }

    // Chooses the item of `text` with a tap; a missing item fails and dismisses the menu.
    static void Choose(QMenu& menu, const QString& text) {
        QAction* action = ActionOf(menu, text);
        if (action == nullptr) {
            ADD_FAILURE() << "no item " << text.toStdString() << " in " << Texts(menu).join(" | ").toStdString();
            menu.close();
            return;
        }
        // A menu takes a tap only once the pointer has moved since it opened.
        QTest::mouseMove(&menu, menu.actionGeometry(action).center() + QPoint(0, 1));
        QTest::mouseMove(&menu, menu.actionGeometry(action).center());
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
        if (!menu.isVisible()) return;
        ADD_FAILURE() << "the menu did not take the tap on " << text.toStdString() << " (enabled "
                      << action->isEnabled() << ", among " << Texts(menu).join(" | ").toStdString() << ")";
        menu.close();
    }

    // Chooses the item of `text` with the keys, as a phone's arrows and action key would; a missing
    // item fails and dismisses the menu.
    static void ChooseByKeys(QMenu& menu, const QString& text) {
        if (QAction* action = ActionOf(menu, text)) {
            menu.setActiveAction(action);
            QTest::keyClick(&menu, Qt::Key_Return);
            return;
        }
        ADD_FAILURE() << "no item " << text.toStdString() << " in " << Texts(menu).join(" | ").toStdString();
        menu.close();
    }

    static QStringList Texts(QMenu& menu) {
        QStringList texts;
        for (QAction* action : menu.actions()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    // Opens the submenu of `text` and hands it back once it is shown.
    static QMenu* OpenSubmenu(QMenu& menu, const QString& text) {
        QAction* action = ActionOf(menu, text);
        if (action == nullptr || action->menu() == nullptr) return nullptr;
        menu.setActiveAction(action);
        QMenu* submenu = action->menu();
        WaitFor([&] { return submenu->isVisible(); }, 2000);
        return submenu->isVisible() ? submenu : nullptr;
    }

    // Saves the window with the popups over it as they are on screen.
    static void SaveWithPopups(QWidget& window, const std::vector<QWidget*>& popups, const QString& name) {
        QRect area(window.mapToGlobal(QPoint(0, 0)), window.size());
        for (QWidget* popup : popups) area = area.united(popup->geometry());
        QImage image(area.size() * window.devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(window.devicePixelRatioF());
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.drawPixmap(window.mapToGlobal(QPoint(0, 0)) - area.topLeft(), window.grab());
        for (QWidget* popup : popups) painter.drawPixmap(popup->geometry().topLeft() - area.topLeft(), popup->grab());
        painter.end();
        const QDir folder(QStringLiteral(BREVANE_SCREENSHOT_DIR));
        EXPECT_TRUE(folder.mkpath(QStringLiteral(".")));
        EXPECT_TRUE(image.save(folder.filePath(name + QStringLiteral(".png"))));
    }

    TempDevice device_;
    MessageBoxRecorder boxes_;
};
