#include "ui/toolkit/MessageBoxDialog.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/ui/MessageBox.h"

namespace {

struct ButtonCode {
    QMessageBox::StandardButton button;
    int code;
};

constexpr ButtonCode kCodes[] = {
    {QMessageBox::Ok, plat::IDOK},         {QMessageBox::Cancel, plat::IDCANCEL}, {QMessageBox::Abort, plat::IDABORT},
    {QMessageBox::Retry, plat::IDRETRY},   {QMessageBox::Ignore, plat::IDIGNORE}, {QMessageBox::Yes, plat::IDYES},
    {QMessageBox::No, plat::IDNO},
};

QMessageBox::StandardButtons ButtonsOf(uint32_t flags) {
    switch (flags & plat::MB_TYPEMASK) {
        case plat::MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
        case plat::MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case plat::MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case plat::MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
        case plat::MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
        default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(uint32_t flags) {
    switch (flags & 0xF0) {
        case plat::MB_ICONERROR: return QMessageBox::Critical;
        case plat::MB_ICONQUESTION: return QMessageBox::Question;
        case plat::MB_ICONWARNING: return QMessageBox::Warning;
        case plat::MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

int CodeOf(QMessageBox::StandardButton button, QMessageBox::StandardButtons offered) {
    for (const ButtonCode& entry : kCodes) {
        if (entry.button == button) return entry.code;
    }
    if (offered & QMessageBox::Cancel) return plat::IDCANCEL;
    if (offered & QMessageBox::No) return plat::IDNO;
    return plat::IDOK;
}

QString Text(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

}  // namespace

void InstallMessageBoxDialog() { plat::SetMessageBoxHandler(ShowMessageBox); }

int ShowMessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags) {
    const QMessageBox::StandardButtons buttons = ButtonsOf(flags);
    QMessageBox box(IconOf(flags), Text(caption), Text(text), buttons, QApplication::activeWindow());
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    return CodeOf(answer, buttons);
}
