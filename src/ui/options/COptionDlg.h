#pragma once
// COptionDlg: the options on four scrolling pages under a page bar (General, View, Phone&Dial,
// Skin), opened on the page used last. "Done" validates every page, applies every page in order,
// remembers the page and hands the fonts, hide-SIM, alphabet and template switches back to the
// main window, which pushes them out; Cancel changes nothing.
#include <QString>

#include "screen/options/GeneralOptions.h"
#include "screen/options/OptionPages.h"
#include "screen/options/PhoneOptions.h"
#include "ui/frame/OptionsApply.h"
#include "ui/toolkit/DlgImpl.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

class COptionDlg : public DlgImpl {
public:
    explicit COptionDlg(const OptionsState& current);
    ~COptionDlg() override { DestroyWnd(); }

    // Runs the dialog over `owner`: the result the main window applies.
    static OptionsResult Run(WndImpl& owner, const OptionsState& current);

    const OptionsResult& Result() const { return result_; }
    QTabWidget* Pages() const { return pages_; }
    // The page's check box or list of that text, for keys and tests; null when there is none.
    QCheckBox* Check(const QString& text) const;
    QComboBox* PhoneList(int index) const { return index == 0 ? dialMethod_ : dialType_; }
    QListWidget* Skins() const { return skins_; }
    QLabel* FontLabel(bool list) const { return list ? listFont_ : viewFont_; }
    // Takes a font for the list or the view as the font dialog would.
    void SetFont(bool list, const FontStyle& font);

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    QVBoxLayout* AddPage(const QString& title);
    QCheckBox* AddCheck(QVBoxLayout* page, const QString& text, bool checked);
    void BuildGeneral();
    void ShowLanguage();
    void ChangeAlphabet();
    void BuildView();
    void BuildPhone();
    void BuildSkin();
    void ChooseFont(bool list);
    // The options as the pages show them now.
    options::GeneralOptions GeneralNow() const;
    options::PhoneOptions PhoneNow() const;
    // Each page's check of what is shown; a page that fails is shown and keeps the dialog open.
    [[nodiscard]] bool Validate();

    OptionsState current_;
    OptionsResult result_;
    options::GeneralOptions general_;
    options::PhoneOptions phone_;
    options::SkinChoices skinChoices_;
    QTabWidget* pages_ = nullptr;
    QLabel* language_ = nullptr;
    QLabel* listFont_ = nullptr;
    QLabel* viewFont_ = nullptr;
    QComboBox* dialMethod_ = nullptr;
    QComboBox* dialType_ = nullptr;
    QListWidget* skins_ = nullptr;
};
