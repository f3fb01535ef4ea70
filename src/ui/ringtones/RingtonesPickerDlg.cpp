#include "ui/ringtones/RingtonesPickerDlg.h"

#include <algorithm>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/str/Quoted.h"
#include "platform/device/Device.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

QString DefaultChooser(QWidget* parent, const QString& startFolder) {
    return QFileDialog::getOpenFileName(parent, UiText(uistr::kOtherRingtone), startFolder,
                                        UiText(uistr::kSoundFiles));
}

RingtonesPickerDlg::FileChooser& Chooser() {
    static RingtonesPickerDlg::FileChooser chooser = DefaultChooser;
    return chooser;
}

void Warn(const Str& text) {
    plat::MessageBox(text.View(), RequireStr(uistr::kBrevane).View(), plat::MB_OK | plat::MB_ICONWARNING);
}

// The host folder the file dialog starts in: the folder last used, else the device's documents.
QString StartFolder() {
    const Str last = SettingsStore::ReadString(settings::kSettings, settings::kLastSoundPath, u"");
    for (const Str& folder : {last, Str(u"\\My Documents")}) {
        if (folder.IsEmpty()) continue;
        if (const auto host = plat::CurrentDevice().HostPath(folder.View()); host && std::filesystem::is_directory(*host)) {
            return QString::fromStdString(host->string());
        }
    }
    return QString::fromStdString(plat::CurrentDevice().Root().string());
}

}  // namespace

bool WarnAboutSound(SoundStatus status, const Str& devicePath) {
    if (status == SoundStatus::Playable) return false;
    Warn(SoundProblem(status, devicePath));
    return true;
}

RingtonesPickerDlg::RingtonesPickerDlg(const Str& current)
    : DlgImpl(UiText(uistr::kSelectRingtone)), current_(current) {}

void RingtonesPickerDlg::SetFileChooser(FileChooser chooser) { Chooser() = chooser ? std::move(chooser) : DefaultChooser; }

bool RingtonesPickerDlg::OnInitContent() {
    files_ = new QListWidget(Widget());
    files_->setAccessibleName(UiText(uistr::kRingtoneFiles));
    for (const Str& path : FindRingtones(RingtoneFolders())) AddFile(path);
    auto* note = new QLabel(UiText(uistr::kNoRingtones), Widget());
    note->setWordWrap(true);
    note->setVisible(files_->count() == 0);
    auto* other = new QPushButton(UiText(uistr::kOtherFileMore), Widget());
    other->setAccessibleName(UiText(uistr::kOtherFile));
    QObject::connect(other, &QPushButton::clicked, Widget(), [this] { Send(plat::WM_COMMAND, kCmdOtherFile, 0); });
    Content()->addWidget(files_, 1);
    Content()->addWidget(note);
    Content()->addWidget(other);
    // The current ringtone, else the first, is preselected without playing: only a row the user
    // moves to plays.
    if (files_->count() > 0) files_->setCurrentRow(std::max(0, RowOf(current_)));
    QObject::connect(files_, &QListWidget::currentRowChanged, Widget(), [this] { PlaySelected(); });
    QObject::connect(files_, &QListWidget::itemActivated, Widget(), [this] { Send(plat::WM_COMMAND, plat::IDOK, 0); });
    files_->setFocus();
    return true;
}

void RingtonesPickerDlg::AddFile(const Str& path) {
    const QString full = ToQString(path);
    auto* item = new QListWidgetItem(full.section(QLatin1Char('\\'), -1), files_);
    item->setData(kPathRole, full);
    item->setToolTip(full);
    item->setData(Qt::AccessibleDescriptionRole, full);
}

int RingtonesPickerDlg::RowOf(const Str& path) const {
    const QString wanted = ToQString(path);
    for (int row = 0; row < files_->count(); ++row) {
        if (files_->item(row)->data(kPathRole).toString().compare(wanted, Qt::CaseInsensitive) == 0) return row;
    }
    return -1;
}

Str RingtonesPickerDlg::SelectedPath() const {
    const QListWidgetItem* item = files_->currentItem();
    return item == nullptr ? Str() : FromQString(item->data(kPathRole).toString());
}

void RingtonesPickerDlg::PlaySelected() {
    const Str path = SelectedPath();
    // False: a playable sound, nothing to tell.
    if (!path.IsEmpty()) (void)WarnAboutSound(PlayRingtone(path), path);
}

void RingtonesPickerDlg::ChooseOtherFile() {
    const QString chosen = Chooser()(Widget(), StartFolder());
    if (chosen.isEmpty()) return;
    const std::optional<Str> path = DevicePathOfHost(chosen.toStdString());
    if (!path) {
        Warn(FromQString(
            UiText(uistr::kNotOnDevice).arg(QString::fromStdU16String(Quoted(chosen.toStdU16String())))));
        return;
    }
    if (WarnAboutSound(ReadSoundFile(*path).status, *path)) return;
    if (RowOf(*path) < 0) AddFile(*path);
    if (files_->currentRow() == RowOf(*path)) {
        PlaySelected();
    } else {
        files_->setCurrentRow(RowOf(*path));  // plays it
    }
    files_->setFocus();
}

bool RingtonesPickerDlg::OnOK() {
    const Str path = SelectedPath();
    if (path.IsEmpty()) {
        Warn(RequireStr(uistr::kChooseRingtoneFirst));
        return false;
    }
    if (WarnAboutSound(ReadSoundFile(path).status, path)) return false;
    if (!RememberSoundFolder(path)) Warn(RequireStr(uistr::kFolderNotRemembered));
    path_ = path;
    return true;
}

plat::LRESULT RingtonesPickerDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdOtherFile) {
        ChooseOtherFile();
        return 0;
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
