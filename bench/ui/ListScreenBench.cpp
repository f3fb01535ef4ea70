// The contacts screen of the main window on a device of many synthetic contacts (100,000 unless
// --contacts=N says otherwise), drawn off screen:
//   Key/letters<k>  the k-th letter typed in the search box (k-1 typed before, untimed), from the
//                   key press to the list painted into an image;
//   Key/groups<k>   the same for the k-th keypad group pressed in the list;
//   Scroll/page     Page Down in the list, to the list painted;
//   Start/window    the main window made (index opened, list built) to its first painted frame.
// Each sample is taken alone; the median and the 99th percentile are reported beside the mean.
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "BenchFixture.h"
#include "BenchQueries.h"
#include "ManagerFixture.h"
#include "UiBench.h"
#include "ui/list/ContactsFrame.h"
#include "ui/toolkit/MessageLoop.h"

namespace {

constexpr size_t kSample = 400;
constexpr size_t kQueries = 200;
constexpr uint32_t kQuerySeed = 7;

// The keypad digit of a Latin letter on a phone's keypad; 0 for any other character.
int KeypadDigit(char16_t letter) {
    static constexpr std::u16string_view kKeys[] = {u"abc", u"def", u"ghi", u"jkl", u"mno", u"pqrs", u"tuv", u"wxyz"};
    for (int key = 0; key < 8; ++key) {
        if (kKeys[key].find(letter) != std::u16string_view::npos) return key + 2;
    }
    return 0;
}

// What is pressed for one search: letters typed in the box, or keypad digits pressed in the list.
struct Presses {
    QString text;
    bool keypad = false;
};

struct Workload {
    std::vector<Presses> letters;  // three letters each
    std::vector<Presses> groups;   // three keypad digits each, from Latin-lettered words
};

// Three-letter word prefixes drawn from stored contacts, as typed and as keypad digits.
Workload MakeWorkload(ManagerFixture& fixture) {
    std::vector<Contact> sample;
    for (size_t i = 0; i < kSample; ++i) {
        Contact contact;
        if (fixture.Manager().ReadContact(fixture.Stored(i), contact)) sample.push_back(contact);
    }
    Workload workload;
    for (const Query& query : MakeQueries(QueryKind::Prefix3, sample, BenchGroups(), kQueries, kQuerySeed)) {
        if (query.text.size() < 3) continue;
        const std::u16string_view prefix = std::u16string_view(query.text).substr(0, 3);
        workload.letters.push_back({QString::fromStdU16String(std::u16string(prefix)), false});
        QString digits;
        for (char16_t letter : prefix) {
            if (const int digit = KeypadDigit(letter); digit != 0) digits += QChar(u'0' + digit);
        }
        if (digits.size() == 3) workload.groups.push_back({digits, true});
    }
    return workload;
}

Workload& Work() {
    static Workload workload;
    return workload;
}

QWidget& ListWidget() { return *Frame().List().Window().Widget(); }

void PaintList() { PaintWidget(ListWidget()); }

void Press(const QChar& key, bool keypad) {
    if (keypad) {
        QTest::keyClick(&ListWidget(), static_cast<Qt::Key>(Qt::Key_0 + (key.unicode() - u'0')), Qt::KeypadModifier);
    } else if (key.unicode() < 0x80) {
        QTest::keyClick(Frame().SearchBox().Edit(), key.toLatin1());
    } else {  // letters beyond ASCII arrive as text, as an input method gives them
        QTest::sendKeyEvent(QTest::Press, Frame().SearchBox().Edit(), Qt::Key_unknown, QString(key), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, Frame().SearchBox().Edit(), Qt::Key_unknown, QString(key), Qt::NoModifier);
    }
}

void ClearSearch() {
    Frame().ClearSearch();
    ListWidget().setFocus();
    PumpPendingMessages();
}

// The k-th press of each search of `searches`, timed from the press to the painted list.
void KeyPress(benchmark::State& state, bool keypad, int k) {
    const std::vector<Presses>& searches = keypad ? Work().groups : Work().letters;
    if (searches.empty()) return state.SkipWithError("no searches were drawn");
    Samples samples;
    double rows = 0;
    size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Presses& search = searches[n++ % searches.size()];
        ClearSearch();
        for (int i = 0; i + 1 < k; ++i) Press(search.text[i], keypad);
        state.ResumeTiming();
        const Sample sample;
        Press(search.text[k - 1], keypad);
        PaintList();
        samples.Add(sample);
        rows += Frame().List().Window().Count();
    }
    samples.Report(state);
    state.counters["rows"] = rows / static_cast<double>(std::max<size_t>(n, 1));
}

void ScrollPage(benchmark::State& state) {
    ClearSearch();
    QTest::keyClick(&ListWidget(), Qt::Key_Home);
    Samples samples;
    for (auto _ : state) {
        const Sample sample;
        QTest::keyClick(&ListWidget(), Qt::Key_PageDown);
        PaintList();
        samples.Add(sample);
        const CoolList& list = Frame().List().Window();
        if (list.Selected() + 1 >= list.Count()) {
            state.PauseTiming();
            QTest::keyClick(&ListWidget(), Qt::Key_Home);
            state.ResumeTiming();
        }
    }
    samples.Report(state);
}

void StartWindow(benchmark::State& state) {
    Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        CloseWindow();
        state.ResumeTiming();
        const Sample sample;
        if (!OpenWindow()) return state.SkipWithError("the main window did not open");
        PaintList();
        samples.Add(sample);
    }
    samples.Report(state);
    state.counters["rows"] = Frame().List().Window().Count();
}

void RegisterAll() {
    for (int k = 1; k <= 3; ++k) {
        const std::string n = std::to_string(k);
        benchmark::RegisterBenchmark(("Key/letters" + n).c_str(), KeyPress, false, k)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Key/groups" + n).c_str(), KeyPress, true, k)->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Scroll/page", ScrollPage)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Start/window", StartWindow)->Iterations(5)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    return RunScreenBench(argc, argv, [](ManagerFixture& fixture) { Work() = MakeWorkload(fixture); }, RegisterAll);
}
