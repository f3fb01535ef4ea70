#include "UiBench.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>

#include "BenchFixture.h"
#include "BenchStats.h"
#include "ManagerFixture.h"
#include "manager/contacts/ContactManager.h"
#include "platform/window/Window.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/toolkit/MessageLoop.h"

namespace {

constexpr uint32_t kDefaultContacts = 100000;

double ThreadCpu() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Takes --contacts=N out of the arguments; the number of contacts to fill the device with.
uint32_t TakeContactsArgument(int& argc, char** argv) {
    constexpr std::string_view kFlag = "--contacts=";
    uint32_t contacts = kDefaultContacts;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(kFlag)) {
            contacts = static_cast<uint32_t>(std::stoul(std::string(arg.substr(kFlag.size()))));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return contacts;
}

}  // namespace

Sample::Sample() : wall_(std::chrono::steady_clock::now()), cpu_(ThreadCpu()) {}

void Sample::Stop(std::vector<double>& wallMs, std::vector<double>& cpuMs) const {
    wallMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_).count());
    cpuMs.push_back(ThreadCpu() - cpu_);
}

void Samples::Report(benchmark::State& state) {
    ReportTimes(state, "", wall, cpu, {{"median", 0.5}, {"p99", 0.99}});
}

ContactsFrame& Frame() { return *MainWndFrame::Instance().Contacts(); }

void CloseWindow() {
    // The window goes either way.
    if (MainWndFrame::Exists()) (void)plat::DestroyWindow(MainWndFrame::Instance().Hwnd());
    PumpPendingMessages();
    ContactManager::Release();
}

bool OpenWindow() {
    MainWndFrame& frame = MainWndFrame::Instance();
    if (!frame.Create()) return false;
    frame.Widget()->show();
    return true;
}

void PaintWidget(QWidget& widget) {
    static QImage image;
    if (image.size() != widget.size()) image = QImage(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
}

int RunScreenBench(int argc, char** argv, const std::function<void(ManagerFixture&)>& prepare,
                   const std::function<void()>& registerAll) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const QApplication app(argc, argv);  // before the device: its loop then is the widgets' loop
    uint32_t contacts = 0;
    try {
        contacts = TakeContactsArgument(argc, argv);
    } catch (const std::exception&) {
        fprintf(stderr, "--contacts takes a number\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MakeBenchDevice();
    int status = 0;
    try {
        {
            ManagerFixture fixture(contacts);  // filled through the manager; its index saved
            prepare(fixture);
        }
        if (!OpenWindow()) throw std::runtime_error("the main window does not open");
        registerAll();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    CloseWindow();
    benchmark::Shutdown();
    RemoveBenchDevice();
    return status;
}
