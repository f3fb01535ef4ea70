#pragma once
// DataFolderDlg: the folder picker of "Set Data Folder Location...". It walks the device's folders
// from the one holding the data folder: a row opens its folder (Enter, or a second tap), the first
// row goes up one folder; the name field offers "Brevane Files" as the name of the new data folder
// inside the folder shown. OK gives that folder; the move itself is the caller's.
#include "core/str/Str.h"
#include "ui/toolkit/DlgImpl.h"

class QLabel;
class QLineEdit;
class QListWidget;

class DataFolderDlg : public DlgImpl {
public:
    // `current`: the data folder now.
    explicit DataFolderDlg(const Str& current);
    ~DataFolderDlg() override { DestroyWnd(); }

    // After IDOK: the folder chosen (the folder shown, with the typed name inside it).
    const Str& Chosen() const { return chosen_; }
    // The folder whose folders are listed.
    const Str& Shown() const { return shown_; }
    QListWidget* Folders() const { return folders_; }
    QLineEdit* Name() const { return name_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    // Lists the folders of `folder`.
    void Show(const Str& folder);
    void OpenRow(int row);

    Str shown_;
    Str nameText_;
    Str chosen_;
    QLabel* where_ = nullptr;
    QListWidget* folders_ = nullptr;
    QLineEdit* name_ = nullptr;
};
