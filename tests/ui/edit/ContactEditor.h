#pragma once
// The main window with the contact editor open on a contact: OK and Cancel as the soft keys give
// them, the form driven with taps where its parts are drawn and values retyped as a person retypes
// them, the contact as the store holds it.
#include <QLineEdit>
#include <QScrollArea>

#include "ui/edit/ContactEditDlg.h"
#include "ui/edit/FieldBlock.h"
#include "ui/edit/FormWindow.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/list/ListScreen.h"

class ContactEditor : public ListScreen {
protected:
    static void Ok(ContactEditDlg& editor) {
        EXPECT_TRUE(plat::PostMessage(editor.Hwnd(), plat::WM_COMMAND, plat::IDOK, 0));
    }
    static void Cancel(ContactEditDlg& editor) {
        EXPECT_TRUE(plat::PostMessage(editor.Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0));
    }

    // The element of `block` one of whose values is `text`; -1 when none.
    static int RowWith(const FieldBlock& block, const QString& text) {
        for (const FormCell& cell : block.Cells()) {
            if (block.CellText(cell) == text) return cell.element;
        }
        return -1;
    }

    // The element of `block` labelled `label`; -1 when none.
    static int RowLabelled(const FieldBlock& block, const QString& label) {
        for (int element = 0; element < block.ElementCount(); ++element) {
            if (block.ElementLabel(element) == label) return element;
        }
        return -1;
    }

    // The first value cell of `element`.
    static int CellOf(const FieldBlock& block, int element) { return block.CellsOf(element).front(); }

    // A tap on the form at `at`, scrolled into view first; the window takes no input until the
    // store has told it of the last save.
    static void Tap(FormWindow& form, const QPoint& at) {
        EXPECT_TRUE(WaitFor([&] { return form.isEnabled() && form.window()->isEnabled(); }));
        QWidget* viewport = form.parentWidget() != nullptr ? form.parentWidget()->parentWidget() : nullptr;
        if (auto* area =
                viewport != nullptr ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr) {
            const QPoint inner = form.mapTo(area->widget(), at);
            area->ensureVisible(inner.x(), inner.y(), 0, 0);
        }
        QTest::mouseClick(&form, Qt::LeftButton, {}, at);
    }

    // A tap on the value `cell` of `block`: the edit control comes over it.
    static QLineEdit& TapText(ContactEditDlg& editor, FieldBlock& block, int cell) {
        Tap(*editor.Form(), editor.Form()->CellPoint(block, cell));
        return *editor.Form()->LineEditor();
    }

    static void Retype(QLineEdit& edit, const QString& text) {
        edit.setFocus();
        edit.selectAll();
        edit.insert(text);
    }

    // Taps the name field `entry` and types `text` over it.
    static void RetypeName(ContactEditDlg& editor, const QString& text, int entry = kNameFirst) {
        FieldBlock& names = *editor.BlockOf(kGroupName);
        Retype(TapText(editor, names, names.NameCell(entry)), text);
    }

    // Runs `open`, then chooses `choices` in turn from the popup menus it opens one after another.
    static bool WithPopups(const std::function<void()>& open, const QStringList& choices) {
        int next = 0;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || !menu->isVisible() || next >= choices.size()) return;
            Choose(*menu, choices[next++]);
        });
        poll.start();
        open();
        return next == choices.size();
    }

    // A tap on the label of `element`, "Custom..." in its popup, then `label` typed into the prompt.
    static void TypeCustomLabel(ContactEditDlg& editor, FieldBlock& block, int element,
                                const QString& label) {
        FormWindow& form = *editor.Form();
        EXPECT_TRUE(WithDialog<LabelPromptDlg>(
            [] { return dynamic_cast<LabelPromptDlg*>(WndImpl::Owning(QApplication::focusWidget())); },
            [&] {
                EXPECT_TRUE(WithPopups([&] { Tap(form, form.PartPoint(block, element, BlockPart::Label)); },
                                       {"Custom..."}));
            },
            [&](LabelPromptDlg& prompt) {
                Retype(*prompt.Field(), label);
                EXPECT_TRUE(plat::PostMessage(prompt.Hwnd(), plat::WM_COMMAND, plat::IDOK, 0));
            }));
    }

    // Adds the contact and waits until the list shows it and the screen takes input again: while
    // the store's news of the change is pending, the main window and what it holds are disabled.
    static uint32_t AddContact(Contact contact) {
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->AddContact(contact, true).Complete());
        const auto& oids = MainWndFrame::Instance().Contacts()->Model().List().Oids();
        EXPECT_TRUE(WaitFor([&] {
            const QList<QWidget*> children = MainWndFrame::Instance().Widget()->findChildren<QWidget*>();
            return std::find(oids.begin(), oids.end(), contact.GetOid()) != oids.end() &&
                   std::all_of(children.begin(), children.end(), [](QWidget* w) { return w->isEnabled(); });
        }));
        return contact.GetOid();
    }
};
