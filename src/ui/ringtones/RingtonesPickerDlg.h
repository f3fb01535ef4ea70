#pragma once
// RingtonesPickerDlg: "Select ringtone". Lists the device's ringtones (the folder last used first,
// then the sound folders); moving to a row plays it, OK (or Enter) takes it. "Other file..." opens
// a file dialog in the folder last used; a file chosen there joins the list, selected and played.
// A file that is missing, unreadable, not a playable WAV or not on the device is refused with a
// message, and the selection stays as it was. Taking a file remembers its folder as
// `LastSoundPath`; Cancel stores nothing.
#include <functional>
#include <QString>

#include "categories/ringtones/SoundFiles.h"
#include "core/str/Str.h"
#include "ui/toolkit/DlgImpl.h"

class QListWidget;
class QWidget;

class RingtonesPickerDlg : public DlgImpl {
public:
    static constexpr uint32_t kCmdOtherFile = 1210;
    // Asks the user for a file: the parent, the host folder to start in; the host path chosen,
    // or empty when the user gave up.
    using FileChooser = std::function<QString(QWidget* parent, const QString& startFolder)>;

    // `current`: the ringtone to preselect when it is listed.
    explicit RingtonesPickerDlg(const Str& current);
    ~RingtonesPickerDlg() override { DestroyWnd(); }

    // After IDOK: the device path taken.
    const Str& Path() const { return path_; }
    QListWidget* Files() const { return files_; }

    // The file dialog used by "Other file..." (a file dialog of the host by default); tests put in
    // their own. An empty chooser restores the default.
    static void SetFileChooser(FileChooser chooser);

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    void AddFile(const Str& path);
    int RowOf(const Str& path) const;
    Str SelectedPath() const;
    void PlaySelected();
    void ChooseOtherFile();

    Str current_;
    Str path_;
    QListWidget* files_ = nullptr;
};

// Tells the user about a sound file that cannot be used (a warning box captioned "Brevane").
// False when there was nothing to tell (the file is playable).
[[nodiscard]] bool WarnAboutSound(SoundStatus status, const Str& devicePath);
