#pragma once
// CEditDialDlg: "Edit && Call..". The contact's numbers (reduced to dial characters, the default
// selected), the calling cards ("Void card" first, the remembered one selected) with Add, Edit
// and Delete for stored cards, the dial string composed from the two and editable with the
// keypad, and "Sound dial". OK remembers the card and dials the dial string; a dial string with
// nothing to dial is refused with a warning and the dialog stays open.
#include <QString>

#include "phone/dial/EditDialModel.h"
#include "ui/toolkit/DlgImpl.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CEditDialDlg : public DlgImpl {
public:
    static constexpr uint32_t kCmdAddCard = 107;
    static constexpr uint32_t kCmdEditCard = 41105;
    static constexpr uint32_t kCmdDeleteCard = 108;

    explicit CEditDialDlg(const Contact& contact);
    ~CEditDialDlg() override { DestroyWnd(); }

    // After IDOK: what Dial answered.
    int DialResult() const { return dialResult_; }
    const EditDialModel& Model() const { return model_; }
    QComboBox* Numbers() const { return numbers_; }
    QListWidget* Cards() const { return cards_; }
    QLineEdit* DialField() const { return dial_; }
    QCheckBox* SoundBox() const { return sound_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* DeleteButton() const { return delete_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    void AddKeypad();
    void FillCards();
    // The model's dial string and card buttons are shown again.
    void ShowDialString();
    void AddCard();
    void EditCard();
    void DeleteCard();
    // The number the card editor's sample uses.
    Str SourcePhone() const;

    EditDialModel model_;
    int dialResult_ = 0;
    QComboBox* numbers_ = nullptr;
    QListWidget* cards_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
    QLineEdit* dial_ = nullptr;
    QCheckBox* sound_ = nullptr;
};
