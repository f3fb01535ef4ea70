#include "ui/phone/CEditDialDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "phone/dial/Dialer.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/phone/CEditCardDlg.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

// What a dial string may hold: the number's characters and the pauses of calling cards.
const QRegularExpression kDialCharacters(QStringLiteral("[+0-9*#,pPwW]*"));

QPushButton* CommandButton(const QString& text, WndImpl& owner, uint32_t command, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, parent, [&owner, command] { owner.Send(plat::WM_COMMAND, command, 0); });
    return button;
}

bool HasDialCharacter(const Str& text) {
    for (const char16_t c : text.View()) {
        if ((c >= u'0' && c <= u'9') || c == u'*' || c == u'#' || c == u'+') return true;
    }
    return false;
}

}  // namespace

CEditDialDlg::CEditDialDlg(const Contact& contact) : DlgImpl(UiText(uistr::kEditAndCallTitle)) {
    model_.Open(contact);
}

bool CEditDialDlg::OnInitContent() {
    numbers_ = new QComboBox(Widget());
    for (const Str& number : model_.Numbers()) numbers_->addItem(ToQString(number));
    numbers_->setCurrentIndex(model_.SelectedNumber());
    numbers_->setAccessibleName(UiText(uistr::kContactPhone));
    cards_ = new QListWidget(Widget());
    cards_->setAccessibleName(UiText(uistr::kCallingCard));
    auto* cardButtons = new QHBoxLayout;
    cardButtons->addWidget(CommandButton(UiText(uistr::kAdd), *this, kCmdAddCard, Widget()));
    edit_ = CommandButton(UiText(uistr::kEdit), *this, kCmdEditCard, Widget());
    delete_ = CommandButton(UiText(uistr::kDelete), *this, kCmdDeleteCard, Widget());
    cardButtons->addWidget(edit_);
    cardButtons->addWidget(delete_);
    dial_ = new QLineEdit(Widget());
    dial_->setMaxLength(EditDialModel::kMaxDialChars);
    dial_->setValidator(new QRegularExpressionValidator(kDialCharacters, dial_));
    dial_->setAccessibleName(UiText(uistr::kDialString));
    sound_ = new QCheckBox(UiText(uistr::kSoundDial), Widget());
    sound_->setChecked(model_.SoundDial());

    Content()->addWidget(new QLabel(UiText(uistr::kContactPhone), Widget()));
    Content()->addWidget(numbers_);
    Content()->addWidget(new QLabel(UiText(uistr::kCallingCard), Widget()));
    Content()->addWidget(cards_, 1);
    Content()->addLayout(cardButtons);
    Content()->addWidget(new QLabel(UiText(uistr::kDialString), Widget()));
    Content()->addWidget(dial_);
    AddKeypad();
    Content()->addWidget(sound_);
    FillCards();

    QObject::connect(numbers_, &QComboBox::currentIndexChanged, Widget(), [this](int index) {
        model_.SelectNumber(index);
        ShowDialString();
    });
    QObject::connect(cards_, &QListWidget::currentRowChanged, Widget(), [this](int row) {
        if (row < 0) return;
        model_.SelectCard(row);
        ShowDialString();
    });
    QObject::connect(dial_, &QLineEdit::textEdited, Widget(), [this](const QString& text) { model_.SetDialString(FromQString(text)); });
    QObject::connect(sound_, &QCheckBox::toggled, Widget(), [this](bool on) { model_.SetSoundDial(on); });
    ShowDialString();
    numbers_->setFocus();
    return true;
}

void CEditDialDlg::AddKeypad() {
    auto* keypad = new QGridLayout;
    const QString del = UiText(uistr::kDelKey);
    const QString keys[] = {QStringLiteral("1"),
                            QStringLiteral("2"),
                            QStringLiteral("3"),
                            QStringLiteral("4"),
                            QStringLiteral("5"),
                            QStringLiteral("6"),
                            QStringLiteral("7"),
                            QStringLiteral("8"),
                            QStringLiteral("9"),
                            QStringLiteral("0"),
                            QStringLiteral("*"),
                            QStringLiteral("#"),
                            del,
                            QStringLiteral("<-"),
                            QStringLiteral("->")};
    int index = 0;
    for (const QString& key : keys) {
        auto* button = new QPushButton(key, Widget());
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(key == del ? UiText(uistr::kDelete) : key);
        QObject::connect(button, &QPushButton::clicked, Widget(), [this, key, del] {
            if (key == del) {
                dial_->backspace();
            } else if (key == QStringLiteral("<-")) {
                dial_->cursorBackward(false);
            } else if (key == QStringLiteral("->")) {
                dial_->cursorForward(false);
            } else if (dial_->text().size() < dial_->maxLength()) {
                dial_->insert(key);
            }
            model_.SetDialString(FromQString(dial_->text()));
        });
        keypad->addWidget(button, index / 5, index % 5);
        ++index;
    }
    Content()->addLayout(keypad);
}

void CEditDialDlg::FillCards() {
    const QSignalBlocker quiet(cards_);
    cards_->clear();
    for (int index = 0; index < model_.Cards().Count(); ++index) cards_->addItem(ToQString(model_.Cards().At(index).Shown()));
    cards_->setCurrentRow(model_.SelectedCard());
}

void CEditDialDlg::ShowDialString() {
    dial_->setText(ToQString(model_.DialString()));
    edit_->setVisible(model_.CardButtonsShown());
    delete_->setVisible(model_.CardButtonsShown());
}

Str CEditDialDlg::SourcePhone() const {
    const int number = model_.SelectedNumber();
    return number >= 0 ? model_.Numbers()[static_cast<size_t>(number)] : Str();
}

void CEditDialDlg::AddCard() {
    CEditCardDlg editor(CallingCard{}, SourcePhone());
    if (editor.DoModal(*this) != plat::IDOK) return;
    // A card without a format would dial nothing: it is not kept, and the user is told so.
    if (editor.Card().format.IsEmpty()) {
        plat::MessageBox(RequireStr(uistr::kNoCardFormat).View(),
                         RequireStr(EditCardModel::kStrWarning).View(), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    if (!model_.AddCard(editor.Card())) {
        plat::MessageBox(RequireStr(uistr::kCardNotStored).View(),
                         RequireStr(EditCardModel::kStrWarning).View(), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    FillCards();
    ShowDialString();
}

void CEditDialDlg::EditCard() {
    if (!model_.CardButtonsShown()) return;
    CEditCardDlg editor(model_.Cards().At(model_.SelectedCard()), SourcePhone());
    if (editor.DoModal(*this) != plat::IDOK) return;
    if (!model_.EditCard(editor.Card())) {
        plat::MessageBox(RequireStr(uistr::kCardNotStored).View(),
                         RequireStr(EditCardModel::kStrWarning).View(), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    FillCards();
    ShowDialString();
}

void CEditDialDlg::DeleteCard() {
    if (!model_.CardButtonsShown()) return;
    if (!model_.DeleteCard()) {
        plat::MessageBox(RequireStr(uistr::kCardNotDeleted).View(),
                         RequireStr(EditCardModel::kStrWarning).View(), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    FillCards();
    ShowDialString();
}

bool CEditDialDlg::OnOK() {
    model_.SetDialString(FromQString(dial_->text()));
    if (!HasDialCharacter(model_.DialString())) {
        plat::MessageBox(RequireStr(uistr::kEmptyDialString).View(),
                         RequireStr(EditCardModel::kStrWarning).View(), plat::MB_OK | plat::MB_ICONWARNING);
        dial_->setFocus();
        return false;
    }
    dialResult_ = model_.Ok(TheDialer(), Hwnd());
    return true;
}

plat::LRESULT CEditDialDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND) {
        switch (wParam & 0xFFFF) {
            case kCmdAddCard: AddCard(); return 0;
            case kCmdEditCard: EditCard(); return 0;
            case kCmdDeleteCard: DeleteCard(); return 0;
            default: break;
        }
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
