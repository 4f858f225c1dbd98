// FillMatchList with 10,000 matches from the probe system: from the count call until the
// filled list has been painted. Prints the median and the extremes of several runs.
#include "../tests/DocumentFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kMatches = 10000;
    constexpr int kRuns = 15;
    std::vector<double> times;
    {
        // Headers that do not arrive in sorted order, so the list really sorts.
        DocumentFixture fixture({QStringLiteral("nearest_count=%1").arg(kMatches)});
        CVelmoraDoc* document = fixture.Open();
        CVelmoraView* view = document->GetView();
        document->GetFrame()->showNormal();
        document->GetFrame()->resize(1200, 800);
        QApplication::processEvents();
        if (view->m_listMatches->count() != kMatches) {
            std::fprintf(stderr, "expected %d matches, got %d\n", kMatches,
                         view->m_listMatches->count());
            return 1;
        }
        for (int run = 0; run < kRuns; ++run) {
            view->m_listMatches->setCurrentRow(run * 500);
            QElapsedTimer timer;
            timer.start();
            view->FillMatchList();
            view->m_listMatches->viewport()->repaint();
            times.push_back(timer.nsecsElapsed() / 1e6);
            fixture.ClearLog();
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("FillMatchList, %d matches, %d runs: median %.1f ms, min %.1f ms, max %.1f ms "
                "(target: under 100 ms)\n",
                kMatches, kRuns, times[times.size() / 2], times.front(), times.back());
    return 0;
}
