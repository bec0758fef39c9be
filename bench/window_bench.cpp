// One click as the user sees it on the real main window: press, release, handler, log, frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "generators/composers.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

namespace {

// GBK bytes of the labels that the handlers put in front of a result.
constexpr std::string_view weaponLabel = "\xCE\xE4\xC6\xF7\xA3\xBA";  // 武器：
constexpr std::string_view maleLabel = "\xC4\xD0\xC3\xFB\xA3\xBA";    // 男名：
constexpr std::string_view surnameLi = "\xC0\xEE";                    // 李

// Counts the paint events that a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* watched) : QObject(watched) {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }

    long paints = 0;
};

void clickWidget(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Delivers what the click left posted (layout, scroll-bar and update requests), then paints the
// window's dirty region at once, as the event loop does when the frame is due.
void settleAndPaint() {
    QCoreApplication::sendPostedEvents();
    QEvent update(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(startWindowWidget(), &update);
    QCoreApplication::processEvents();
}

// A button of one page, the result box it writes and one result line as its handler makes it.
struct ClickCase {
    ControlNumber button;
    ControlNumber box;
    int page;
    bool typeSurname;
    std::string (*line)();
};

std::string weaponLine() {
    std::string line(weaponLabel);
    line += composeWeapon();
    return line + "\r\n";
}

std::string randomNameLine() {
    std::string line(maleLabel);
    line += composeRandomName(NameSex::male, NameMode::threeChar);
    return line + "\r\n";
}

std::string customNameLine() {
    customSurname = std::string(surnameLi);
    std::string line(maleLabel);
    line += composeCustomName(NameSex::male, NameMode::twoChar);
    return line + "\r\n";
}

const ClickCase cases[] = {
    {按钮1, 编辑框1, 1, false, weaponLine},
    {按钮3, 编辑框2, 2, false, randomNameLine},
    {按钮5, 编辑框3, 3, true, customNameLine},
};

// A log of the given number of lines, each one a result of the case's kind.
std::string prebuiltLog(const ClickCase& c, long lines) {
    std::string log;
    const std::string sample = c.line();
    log.reserve(sample.size() * static_cast<std::size_t>(lines) + 64);
    for (long i = 0; i < lines; ++i) {
        log += c.line();
    }
    return log;
}

// The page shown by a click on its tab; page 3 then gets the surname typed into its box after a
// click into it, as the user enters it.
void preparePage(const ClickCase& c) {
    auto* tabs = qobject_cast<QTabWidget*>(controlWidget(选择夹1));
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(c.page - 1).center());
    if (c.typeSurname) {
        clickWidget(controlWidget(编辑框4));
        QWidget* target = QApplication::focusWidget();
        const QString li = QString::fromUtf8("\xE6\x9D\x8E");  // 李
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, li);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, li);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
    settleAndPaint();
}

double quantile(std::vector<double> samples, double q) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto at = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(at, samples.size() - 1)];
}

// One click per iteration on a log that holds range(0) lines before it. The log is written back
// to its prebuilt text (untimed) whenever the clicks have added 1 % to it, every click on an
// empty log, so it stays within 1 % of its size. Counters: per-click median and p99 in ms, and
// paints of the box per click (at least 1: the frame really shows the new line).
void BM_click(benchmark::State& state, const ClickCase& c) {
    const long lines = state.range(0);
    const long resetEvery = std::max(1L, lines / 100);
    const std::string log = prebuiltLog(c, lines);
    preparePage(c);
    auto* box = qobject_cast<QPlainTextEdit*>(controlWidget(c.box));
    auto* counter = new PaintCounter(box->viewport());
    QWidget* button = controlWidget(c.button);
    const auto refill = [&] {
        writeProperty(mainWindow, c.box, TextProperty::text, log);
        settleAndPaint();
    };
    refill();
    for (int i = 0; i < 3; ++i) {
        clickWidget(button);
        settleAndPaint();
    }
    const std::string warmed = readProperty(mainWindow, c.box, TextProperty::text);
    if (warmed.size() <= log.size() || !warmed.ends_with(log)) {
        state.SkipWithError("the clicks put no result line on top of the log");
    }
    refill();

    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    long sinceReset = 0;
    long paints = 0;
    for (auto _ : state) {
        const long paintsBefore = counter->paints;
        const auto start = std::chrono::steady_clock::now();
        clickWidget(button);
        settleAndPaint();
        const auto end = std::chrono::steady_clock::now();
        paints += counter->paints - paintsBefore;
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1e3);
        if (++sinceReset == resetEvery) {
            refill();
            sinceReset = 0;
        }
    }
    if (paints < static_cast<long>(samples.size())) {
        state.SkipWithError("a click did not paint the result box");
    }
    state.counters["median_ms"] = quantile(samples, 0.5);
    state.counters["p99_ms"] = quantile(samples, 0.99);
    state.counters["paints_per_click"] =
        static_cast<double>(paints) / static_cast<double>(std::max<std::size_t>(1, samples.size()));
    state.counters["log_bytes"] = static_cast<double>(log.size());
    delete counter;
    writeProperty(mainWindow, c.box, TextProperty::text, "");
    settleAndPaint();
}

// The handler's log work of one result on page 1 without the click and the frame: the read of
// the whole log, the join of the new line with it and the write back, each timed on its own
// (counters: medians in ms); the manual time is their sum. The log is refilled as in BM_click.
void BM_logParts(benchmark::State& state) {
    const ClickCase& c = cases[0];
    const long lines = state.range(0);
    const long resetEvery = std::max(1L, lines / 100);
    const std::string log = prebuiltLog(c, lines);
    const std::string line = c.line();
    const std::string_view label = std::string_view(line).substr(0, weaponLabel.size());
    const std::string_view result =
        std::string_view(line).substr(label.size(), line.size() - label.size() - 2);
    writeProperty(mainWindow, c.box, TextProperty::text, log);
    std::vector<double> reads, joins, writes;
    long sinceReset = 0;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    for (auto _ : state) {
        const auto t0 = Clock::now();
        std::string old = readProperty(mainWindow, c.box, TextProperty::text);
        const auto t1 = Clock::now();
        std::string joined = joinTexts({label, result, "\r\n", old});
        releaseText(old);
        const auto t2 = Clock::now();
        writeProperty(mainWindow, c.box, TextProperty::text, joined);
        releaseText(joined);
        const auto t3 = Clock::now();
        reads.push_back(ms(t0, t1));
        joins.push_back(ms(t1, t2));
        writes.push_back(ms(t2, t3));
        state.SetIterationTime(ms(t0, t3) / 1e3);
        if (++sinceReset == resetEvery) {
            writeProperty(mainWindow, c.box, TextProperty::text, log);
            sinceReset = 0;
        }
    }
    state.counters["read_ms"] = quantile(reads, 0.5);
    state.counters["join_ms"] = quantile(joins, 0.5);
    state.counters["write_ms"] = quantile(writes, 0.5);
    writeProperty(mainWindow, c.box, TextProperty::text, "");
    settleAndPaint();
}

// 200 clicks per case; NOVEL_CLICKS sets another number, for profiling one case at length.
benchmark::IterationCount clicksPerCase() {
    const int clicks = qEnvironmentVariableIntValue("NOVEL_CLICKS");
    return clicks > 0 ? clicks : 200;
}

void registerClicks() {
    const char* names[] = {"BM_click/button1_weapon", "BM_click/button3_name",
                           "BM_click/button5_customName"};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ClickCase& c = cases[i];
        const auto run = [&c](benchmark::State& state) { BM_click(state, c); };
        benchmark::RegisterBenchmark(names[i], run)
            ->ArgName("lines")
            ->Args({0})
            ->Args({1000})
            ->Args({10000})
            ->Args({100000})
            ->Args({1000000})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(clicksPerCase());
    }
    benchmark::RegisterBenchmark("BM_logParts/button1_weapon", BM_logParts)
        ->ArgName("lines")
        ->Args({0})
        ->Args({100000})
        ->Args({1000000})
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(clicksPerCase());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    initRuntime();
    loadStartWindow(mainWindowLayout);
    if (!QTest::qWaitForWindowExposed(startWindowWidget())) {
        fatalError("the main window was never shown");
    }
    registerClicks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    releaseRuntime();
    return 0;
}
