#pragma once
// What the screen benchmarks share: samples timed alone (wall and this thread's processor time,
// reported as median and 99th percentile), the main window opened and closed on the bench device,
// and the program's start: a device of many synthetic contacts (100,000 unless --contacts=N says
// otherwise), filled through the contact manager, its index saved.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

class ContactsFrame;
class ManagerFixture;
class QImage;
class QWidget;

// Wall time and this thread's processor time of one sample: on a loaded machine the wall time
// holds other programs' turns, the processor time only this one's work.
class Sample {
public:
    Sample();
    void Stop(std::vector<double>& wallMs, std::vector<double>& cpuMs) const;

private:
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

struct Samples {
    std::vector<double> wall, cpu;
    void Add(const Sample& sample) { sample.Stop(wall, cpu); }
    void Report(benchmark::State& state);
};

ContactsFrame& Frame();
bool OpenWindow();
// Closes the main window and releases the contact manager (the next start opens the saved index
// as the program does).
void CloseWindow();
// Paints `widget` as the screen would, into an image of its size.
void PaintWidget(QWidget& widget);

// Runs the benchmarks of a screen: fills the device, lets `prepare` look at it (the fixture is
// gone once it returns), opens the main window, lets `registerAll` register the benchmarks and
// runs them. The exit status of the program.
int RunScreenBench(int argc, char** argv, const std::function<void(ManagerFixture&)>& prepare,
                   const std::function<void()>& registerAll);
