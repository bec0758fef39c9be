// A long session: many results into one log by real clicks, its memory against the text's size,
// and what the process keeps once the window and the run time are gone.
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/main_window.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"

namespace {

double mebibytes(double bytes) { return bytes / (1024.0 * 1024.0); }

// The resident set now, from /proc/self/statm.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Bytes handed out by malloc and not yet freed, mapped blocks included.
double heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QEvent update(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(startWindowWidget(), &update);
    QCoreApplication::processEvents();
}

void report(const char* what, long results, double textBytes, double rssBase, double heapBase) {
    const double rss = residentBytes();
    const double heap = heapInUse();
    std::printf(
        "%-22s %9ld results  text %8.2f MiB  RSS %8.2f MiB (+%8.2f, %5.2fx text)  "
        "heap in use %8.2f MiB (+%8.2f)  peak RSS %8.2f MiB\n",
        what, results, mebibytes(textBytes), mebibytes(rss), mebibytes(rss - rssBase),
        textBytes > 0 ? (rss - rssBase) / textBytes : 0.0, mebibytes(heap),
        mebibytes(heap - heapBase), mebibytes(peakResidentBytes()));
    std::fflush(stdout);
}

}  // namespace

// NOVEL_LONG_SESSION_RESULTS results (1,000,000 unless set) by clicks on 按钮1, the frame painted
// after every 100th. Exits 1 if the memory that the session added is more than 64 times the
// text, if more than 1 MiB plus 1 % of the text stays in use after the window is destroyed, or
// if the process is larger after releaseRuntime than it was with the window just shown.
int main() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int wanted = qEnvironmentVariableIntValue("NOVEL_LONG_SESSION_RESULTS");
    const long results = wanted > 0 ? wanted : 1000000;
    const long checkpoint = std::max(1L, results / 10);

    initRuntime();
    loadStartWindow(mainWindowLayout);
    if (!QTest::qWaitForWindowExposed(startWindowWidget())) {
        fatalError("the main window was never shown");
    }
    settle();
    const double rssBase = residentBytes();
    const double heapBase = heapInUse();
    report("window shown", 0, 0, rssBase, heapBase);

    QWidget* button = controlWidget(按钮1);
    const QPoint centre = button->rect().center();
    const auto start = std::chrono::steady_clock::now();
    double textBytes = 0;
    for (long i = 1; i <= results; ++i) {
        QTest::mouseClick(button, Qt::LeftButton, {}, centre);
        if (i % 100 == 0) {
            settle();
        }
        if (i % checkpoint == 0 || i == results) {
            textBytes = static_cast<double>(
                textLength(readProperty(mainWindow, 编辑框1, TextProperty::text)));
            report("session", i, textBytes, rssBase, heapBase);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld results in %.1f s (%.3f ms per click on average)\n", results, seconds,
                1e3 * seconds / static_cast<double>(results));
    const double sessionBytes = residentBytes() - rssBase;

    destroyStartWindow();
    report("window destroyed", results, textBytes, rssBase, heapBase);
    const double keptAfterDestroy = heapInUse() - heapBase;
    releaseRuntime();
    report("run time released", results, textBytes, rssBase, heapBase);
    const double residentAfterRelease = residentBytes();

    bool ok = true;
    if (sessionBytes > 64 * textBytes) {
        std::printf("FAIL: the session's memory is not in proportion to its text\n");
        ok = false;
    }
    if (keptAfterDestroy > (1 << 20) + textBytes / 100) {
        std::printf("FAIL: the destroyed window's memory is still in use\n");
        ok = false;
    }
    if (residentAfterRelease > rssBase) {
        std::printf("FAIL: the released run time's memory is still resident\n");
        ok = false;
    }
    std::printf("%s\n", ok ? "OK" : "FAILED");
    return ok ? 0 : 1;
}
