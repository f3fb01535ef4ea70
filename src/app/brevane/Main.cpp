// brevane: the program. It hands its command line to the instance already running on the device
// (and exits with 1), or starts the main window and runs the message loop until it closes.
#include <QApplication>
#include <QWidget>
#include <iostream>

#include "app/brevane/DeviceSetup.h"
#include "app/brevane/ProgramArgs.h"
#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "core/startup/Entry.h"
#include "platform/device/Device.h"
#include "platform/window/Window.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/toolkit/KeyRouter.h"
#include "ui/toolkit/MessageBoxDialog.h"
#include "ui/toolkit/MessageLoop.h"

namespace {

constexpr int kFailed = 1, kWrongUsage = 2;

// The first instance: the main window up and shown, the request of the command line posted to it,
// then the message loop. 0 when another instance appeared meanwhile or the window cannot be made.
int RunFirstInstance(const std::u16string& commandLine) {
    InstallMessageBoxDialog();
    KeyRouter::Instance();
    if (const plat::HWND running = FindRunningInstance(); running != 0) {
        (void)plat::SetForegroundWindow(running | 1);  // raising the running window is a courtesy
        return kExitDone;
    }
    MainWndFrame& frame = MainWndFrame::Instance();
    if (!frame.Create()) return kExitDone;
    frame.Widget()->show();
    frame.Widget()->activateWindow();
    if (!PostRequest(frame.Hwnd(), commandLine))
        ErrorLog(u"The program did not take its command line", "Main", __LINE__);
    return RunMessageLoop();
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<ProgramArgs> args = ParseProgramArgs(std::vector<std::string>(argv + 1, argv + argc));
    if (!args) {
        std::cerr << kProgramUsage << "\n";
        return kWrongUsage;
    }
    const std::filesystem::path root = plat::ChooseRoot(args->root);
    std::string problem;
    if ((args->demo && !MakeDemoDevice(root, problem)) || !OpenProgramDevice(root, problem)) {
        std::cerr << "brevane: " << problem << "\n";
        return kFailed;
    }
    if (const plat::HWND running = FindRunningInstance(); running != 0) {
        return ForwardToRunningInstance(running, args->commandLine);
    }
    StartCallerId(root);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevane"));
    QApplication::setDesktopFileName(QStringLiteral("brevane"));
    try {
        return RunFirstInstance(args->commandLine);
    } catch (const FatalError& error) {
        ErrorLog(u"The program ends on an unrecoverable error", "Main", __LINE__);
        std::cerr << "brevane: " << error.what() << "\n";
        return static_cast<int>(error.Code() & 0xFF);
    }
}
