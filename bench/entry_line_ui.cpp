// The entry line through the real logging window (offscreen): a key in the call field until
// the partial list is shown, and Enter until the contact is appended and shown, over logs of
// 1,000 to 11,000 contacts made of MASTER.SCP calls.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "logging/StateTable.h"
#include "station/LogStore.h"
#include "window/ui/LoggingWindowFixture.h"

namespace {

// One key as the keyboard delivers it (press and release) to a widget.
void Key(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

std::vector<std::string> Calls(size_t count) {
    std::vector<std::string> all;
    std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') all.push_back(line);
    }
    std::vector<std::string> out;
    for (size_t i = 0; i < count && !all.empty(); ++i) out.push_back(all[i * all.size() / count]);
    return out;
}

// An in-state window over a log of `contacts` contacts.
std::unique_ptr<LoggingWindowFixture> OpenWindow(int contacts) {
    auto f = std::make_unique<LoggingWindowFixture>(false);
    std::string bytes;
    const char* modes[] = {"CW", "PH", "DG"};
    const auto calls = Calls(static_cast<size_t>(contacts));
    for (size_t i = 0; i < calls.size(); ++i) {
        station::ContactRecord r;
        r.Call = calls[i];
        r.RstSent = r.RstReceived = "599";
        r.Spc = std::string(logging::StateAbbrev(static_cast<int>(i % 67) + 1));
        r.CountySent = "Alachua";
        r.QsoDate = "2026/04/25";
        r.QsoTime = "16:00:00";
        r.Mode = modes[i % 3];
        r.Band = "40";
        bytes += station::ContactLine(r);
    }
    f->ts.writeProgramFile("log.txt", bytes);
    auto& w = f->open();
    w.show();
    QApplication::processEvents();
    return f;
}

void BM_CallKeyToPartialList(benchmark::State& state) {
    auto f = OpenWindow(static_cast<int>(state.range(0)));
    auto& w = *f->window;
    w.txtCall->setText("K4");
    w.txtCall->setCursorPosition(2);
    for (auto _ : state) {
        Key(w.txtCall, Qt::Key_Z, QStringLiteral("z"));
        benchmark::DoNotOptimize(w.lblDupe->text());
        state.PauseTiming();
        if (w.txtCall->text() != QStringLiteral("K4Z")) state.SkipWithError("the key did not reach the call field");
        w.txtCall->setText("K4");
        w.txtCall->setCursorPosition(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CallKeyToPartialList)->Arg(1000)->Arg(5000)->Arg(11000)->Unit(benchmark::kMillisecond);

void BM_EnterToContactShown(benchmark::State& state) {
    // Room for the contacts this run appends: the log ends at the size asked for.
    const int appended = 200;
    auto f = OpenWindow(static_cast<int>(state.range(0)) - appended);
    auto& w = *f->window;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.txtCall->setText(QStringLiteral("W%1ZZ").arg(n++));
        w.txtRSTR->setText("599");
        w.txtCntry->setText("GA");
        w.txtRSTS->setText("599");
        state.ResumeTiming();
        Key(w.txtRSTS, Qt::Key_Return, QStringLiteral("\r"));
        benchmark::DoNotOptimize(w.lblTotScore->text());
    }
    if (f->ts->log.ContactCount() != state.range(0) - appended + n) state.SkipWithError("a contact was not stored");
}
BENCHMARK(BM_EnterToContactShown)->Arg(1000)->Arg(5000)->Arg(11000)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
