// How long the players dialog takes to show 4,096 players read from a file: ReloadPlayerList
// from the call to the list painted, against the probe system (whose every call is also
// appended to its log file, so the figure includes that cost).
#include "TestSupport.h"

#include "systems/SystemCatalogue.h"
#include "wizard/CGetPlayersDlg.h"
#include "wizard/CPlayersListBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    UseTestEnvironment();
    constexpr int kPlayers = 4096;
    constexpr int kRuns = 20;

    ProbeFolder folder;
    const QString library =
        folder.AddSystem("probe", "probe", {"Skin"}, {"players=" + QString::number(kPlayers)});
    const QString oldFolder = QDir::currentPath();
    QDir::setCurrent(folder.Root());
    std::vector<double> times;
    {
        const SystemCatalogue catalogue(folder.Root());
        const SystemEntryTable& entries = catalogue.GetAt(0)->m_entries;
        VelmoraPlayers players = entries.CreatePlayers();

        CGetPlayersDlg dlg(&entries, &players);
        dlg.show();
        if (!QTest::qWaitForWindowExposed(&dlg))
            std::fprintf(stderr, "the dialog was not exposed\n");
        for (int run = 0; run < kRuns; ++run) {
            folder.ClearLog(library);
            QElapsedTimer timer;
            timer.start();
            dlg.ReloadPlayerList(); // repaints the list before it returns
            times.push_back(timer.nsecsElapsed() / 1e6);
            if (dlg.m_listPlayers->count() != kPlayers) {
                std::fprintf(stderr, "expected %d rows, got %d\n", kPlayers,
                             int(dlg.m_listPlayers->count()));
                return 1;
            }
        }
        entries.FreePlayers(players);
    }
    QDir::setCurrent(oldFolder);

    std::sort(times.begin(), times.end());
    std::printf("ReloadPlayerList, %d players, %d runs (%s): min %.1f ms, median %.1f ms, "
                "max %.1f ms (target: under 50 ms)\n",
                kPlayers, kRuns, qPrintable(QGuiApplication::platformName()), times.front(),
                times[times.size() / 2], times.back());
    return 0;
}
