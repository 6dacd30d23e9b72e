// A burst of DX spots while the operator types, through the real logging window (offscreen):
// 1,000 spots in one minute reach the spot receiver in chunks of five, as a cluster connection
// delivers them, and are stored, listed and drawn on the band map (or the spot list), while a
// keystroke goes to the call field every 97 ms. For each keystroke the time from when it was
// due to when the call field had handled it is recorded; the same typing without spots, in the
// same run, is the reference. Also the time the window spends on each chunk of spots.
//
//   build/spots_typing_ui            (60 s per scenario; PALMETAR_BENCH_SECONDS=10 for less)

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "station/Tables.h"
#include "window/ui/LoggingWindowFixture.h"

namespace {

std::vector<std::string> Calls(size_t count) {
    std::vector<std::string> all;
    std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') all.push_back(line);
    }
    if (all.empty()) all = {"JA1ABC", "VP8/G3ABC", "ZS6ABC", "LU1ABC", "K1ABC", "DL1ABC", "UA9ABC"};
    std::vector<std::string> out;
    for (size_t i = 0; i < count; ++i) out.push_back(all[(i * 7919) % all.size()]);
    return out;
}

std::string SpotLine(const std::string& call, int i) {
    char line[160];
    const double kHz = 14000.0 + (i * 37 % 3500) / 10.0;
    std::snprintf(line, sizeof line, "DX de K1TTT:   %9.1f  %-13s%-31s%04dZ FN32\r\n", kHz, call.c_str(), "CQ TEST",
                  (1200 + i) % 2400);
    return line;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t k = std::min(v.size() - 1, static_cast<size_t>(p / 100.0 * static_cast<double>(v.size())));
    return v[k];
}

struct Result {
    std::vector<double> keyWaitMs;    // due time to handled
    std::vector<double> chunkMs;      // one chunk of spots through the window
    int spots = 0;
};

enum class Panel { None, BandMap, List };

Result Run(Panel panel, bool withSpots, int seconds) {
    LoggingWindowFixture f(false);
    f.ts->profile.CurrentBand = "20";
    f.ts.copyDataFile("arrlpre2.txt");
    station::LoadPrefixTable(*f.ts);
    auto& w = f.open();
    w.show();
    QApplication::processEvents();
    if (panel != Panel::None) f.ts->Form1.PacketResize("Telnet", panel == Panel::List);
    w.txtCall->setFocus();

    Result r;
    const auto calls = Calls(1000);
    QElapsedTimer clock;
    clock.start();
    const qint64 endMs = seconds * 1000LL;

    // Spots: 1,000 per minute, five per chunk, one chunk every 300 ms.
    int next = 0;
    QTimer spots;
    spots.setTimerType(Qt::PreciseTimer);
    QObject::connect(&spots, &QTimer::timeout, [&] {
        std::string chunk;
        for (int k = 0; k < 5; ++k, ++next) chunk += SpotLine(calls[static_cast<size_t>(next) % calls.size()], next);
        QElapsedTimer t;
        t.start();
        r.spots += f.ts->spotReceiver.Receive(chunk).spotsPosted;
        r.chunkMs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    });
    if (withSpots) spots.start(300);

    // Keys: one every 97 ms; a call of six letters, then Esc clears the entry line.
    int key = 0;
    qint64 due = 97;
    QTimer keys;
    keys.setTimerType(Qt::PreciseTimer);
    keys.setSingleShot(true);
    std::function<void()> typeOne = [&] {
        const bool esc = key % 7 == 6;
        const char c = static_cast<char>('A' + key % 26);
        QKeyEvent press(QEvent::KeyPress, esc ? Qt::Key_Escape : Qt::Key_A + (c - 'A'), Qt::NoModifier,
                        esc ? QString(QChar(27)) : QString(QChar(c)));
        QApplication::sendEvent(w.txtCall, &press);
        QKeyEvent release(QEvent::KeyRelease, esc ? Qt::Key_Escape : Qt::Key_A + (c - 'A'), Qt::NoModifier,
                          esc ? QString(QChar(27)) : QString(QChar(c)));
        QApplication::sendEvent(w.txtCall, &release);
        r.keyWaitMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6 - static_cast<double>(due));
        ++key;
        due += 97;
        if (due < endMs) keys.start(static_cast<int>(std::max<qint64>(0, due - clock.elapsed())));
        else QApplication::quit();
    };
    QObject::connect(&keys, &QTimer::timeout, typeOne);
    keys.start(97);
    QApplication::exec();
    spots.stop();
    return r;
}

void Report(const char* name, const Result& r) {
    std::printf("%-34s keys %5zu  wait p50 %6.2f  p99 %6.2f  max %6.2f ms", name, r.keyWaitMs.size(),
                Percentile(r.keyWaitMs, 50), Percentile(r.keyWaitMs, 99), Percentile(r.keyWaitMs, 100));
    if (!r.chunkMs.empty())
        std::printf("   | spots %4d  chunk of 5: p50 %5.2f  p99 %5.2f  max %5.2f ms", r.spots,
                    Percentile(r.chunkMs, 50), Percentile(r.chunkMs, 99), Percentile(r.chunkMs, 100));
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const char* env = std::getenv("PALMETAR_BENCH_SECONDS");
    const int seconds = env ? std::max(1, std::atoi(env)) : 60;
    Report("typing, no spots", Run(Panel::BandMap, false, seconds));
    Report("typing, 1,000 spots/min, band map", Run(Panel::BandMap, true, seconds));
    Report("typing, 1,000 spots/min, spot list", Run(Panel::List, true, seconds));
    return 0;
}
