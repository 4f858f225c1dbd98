// Round robin of 200 players in two cycles (39,800 games), through the exports: creating the
// tournament; entering one result followed by SaveTable and the three lists' headers; saving
// and loading the file; peak memory. Then the largest field allowed, 1,000 players in four
// cycles (1,998,000 games): the size of the table page and the time to write it after a
// result, and the crosstable report, which holds what the page no longer does. Prints its
// figures; run it from a quiet machine:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_roundrobin [--no-large]
#include "velmora_system.h"

#include "CreationDialog.h"
#include "PlayersFile.h"
#include "Reports.h"
#include "ResultDialog.h"
#include "TournamentFile.h"
#include "Ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kPlayers = 200;
constexpr int kRepeats = 5;

struct Figures {
    std::vector<double> ms;
    void Add(double value) { ms.push_back(value); }
    double Median() {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    double Max() { return *std::max_element(ms.begin(), ms.end()); }
};

double Time(const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

void Report(const char* name, Figures f, double target) {
    const double median = f.Median(), worst = f.Max();
    std::printf("%-46s median %8.1f ms  max %8.1f ms  (target < %.0f ms) %s\n", name, median, worst,
                target, worst < target ? "ok" : "OVER");
}

int ListHeaders(VelmoraTournament t, int32_t (*count)(VelmoraTournament),
                int32_t (*headers)(VelmoraTournament, char**, int32_t)) {
    const int n = count(t);
    std::vector<char> storage(size_t(n) * VELMORA_NAME_SIZE);
    std::vector<char*> lines(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        lines[size_t(k)] = storage.data() + size_t(k) * VELMORA_NAME_SIZE;
    if (n > 0)
        headers(t, lines.data(), n);
    return n;
}

// 1,000 players, four cycles, three quarters played: what one more result costs the page.
void LargeField(const QTemporaryDir& dir) {
    constexpr int kLargePlayers = 1000, kCycles = 4;
    const QByteArray trn = dir.filePath("large.trn").toUtf8();
    const QByteArray htm = dir.filePath("large.htm").toUtf8();
    {
        QList<rr::Player> players;
        for (int i = 0; i < kLargePlayers; ++i)
            players.append({QStringLiteral("Участникова-Длиннофамильная Александра %1").arg(i + 1),
                            1200 + (i * 37) % 1500, QString(),
                            QStringLiteral("Клуб №%1").arg(i % 17), QString()});
        rr::Settings settings = rr::DefaultSettings(rr::ResultKind::Games);
        settings.cycles = kCycles;
        rr::Tournament t(QStringLiteral("Очень большой круговой турнир"), players, settings);
        const rr::Outcome outcomes[] = {rr::Outcome::WhiteWin, rr::Outcome::Draw,
                                        rr::Outcome::BlackWin};
        const int lastRound = t.RoundCount() * 3 / 4;
        for (int i = 0; i < t.GameCount(); ++i) {
            const rr::Game& g = t.Games()[size_t(i)];
            if (g.round < lastRound || (g.round == lastRound && g.board % 2))
                t.SetResult(i, rr::Result::Of(outcomes[(g.white * 7 + g.black * 3) % 3]));
        }
        std::printf("\n%d players, %d cycles: %d rounds, %d games, %d entered\n", kLargePlayers,
                    kCycles, t.RoundCount(), t.GameCount(), t.GamesDecided());
        rr::SaveTournament(t, QString::fromUtf8(trn));
        QElapsedTimer timer;
        timer.start();
        const QByteArray report = rr::ReportContent(t, rr::Report::Crosstable);
        std::printf("crosstable report (written when asked for): %.1f MB in %.1f s\n",
                    report.size() / 1e6, timer.nsecsElapsed() / 1e9);
    }
    const VelmoraTournament t = OnLoadTournament(trn.constData());
    Figures page;
    for (int run = 0; run < 3; ++run)
        page.Add(Time([&] {
            OnAddMatchResult(t, 0);
            SaveTable(t, htm.constData());
        }));
    std::printf("table page: %.2f MB\n", QFileInfo(QString::fromUtf8(htm)).size() / 1e6);
    Report("one result + SaveTable, 1,000 players", page, 1000);
    FreeTournament(t);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("VELMORA_RR_NO_MESSAGES", "1");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray plr = dir.filePath("players.plr").toUtf8();
    const QByteArray trn = dir.filePath("big.trn").toUtf8();
    const QByteArray htm = dir.filePath("big.htm").toUtf8();

    // The dialogs answer themselves: two cycles at creation, a draw for every result.
    rr::ui::SetDialogHook([](QDialog& dialog) {
        if (auto* cycles = dialog.findChild<QSpinBox*>(QStringLiteral("cycles")))
            cycles->setValue(2);
        if (auto* draw = dialog.findChild<QRadioButton*>(QStringLiteral("resultDraw")))
            draw->setChecked(true);
        return int(QDialog::Accepted);
    });

    {
        QList<rr::Player> players;
        for (int i = 0; i < kPlayers; ++i)
            players.append({QStringLiteral("Участникова-Длиннофамильная Александра %1").arg(i + 1),
                            1200 + (i * 37) % 1500, QString(),
                            QStringLiteral("Клуб №%1").arg(i % 17), QString()});
        rr::SavePlayers(players, QString::fromUtf8(plr));
    }

    std::printf("Round robin, %d players, two cycles, %d runs of each step\n", kPlayers, kRepeats);
    Figures create, firstTable;
    VelmoraTournament t = 0;
    for (int run = 0; run < kRepeats; ++run) {
        if (t)
            FreeTournament(t);
        const VelmoraPlayers players = OnLoadPlayers(plr.constData());
        const VelmoraParameters parameters = GetCustomTournamentCreationParameters();
        create.Add(
            Time([&] { t = CreateTournament("Большой круговой турнир", parameters, players); }));
        FreeCustomTournamentCreationParameters(parameters);
        firstTable.Add(Time([&] { SaveTable(t, htm.constData()); }));
    }
    Report("CreateTournament", create, 100);
    Report("SaveTable, no results yet", firstTable, 100);

    // Three quarters played: rounds 1-298 complete, round 299 half done, so that every
    // list is long and every cell of the crosstable has something in it.
    {
        QString error;
        OnSaveTournament(t, trn.constData());
        std::unique_ptr<rr::Tournament> full = rr::LoadTournament(QString::fromUtf8(trn), &error);
        const rr::Outcome outcomes[] = {rr::Outcome::WhiteWin, rr::Outcome::Draw,
                                        rr::Outcome::BlackWin};
        for (int i = 0; i < full->GameCount(); ++i) {
            const rr::Game& g = full->Games()[size_t(i)];
            if (g.round < 299 || (g.round == 299 && g.board % 2))
                full->SetResult(i, rr::Result::Of(outcomes[(g.white * 7 + g.black * 3) % 3]));
        }
        std::printf("games in the tournament: %d, entered for the timed runs: %d\n",
                    full->GameCount(), full->GamesDecided());
        rr::SaveTournament(*full, QString::fromUtf8(trn));
        FreeTournament(t);
        t = OnLoadTournament(trn.constData());
    }

    Figures enter, table, headers, all;
    int counts[3] = {};
    for (int run = 0; run < kRepeats; ++run) {
        double a = 0, b = 0, c = 0;
        a = Time([&] { OnAddMatchResult(t, 0); });
        b = Time([&] { SaveTable(t, htm.constData()); });
        c = Time([&] {
            counts[0] = ListHeaders(t, GetNearestMatchesCount, GetNearestMatchesHeaders);
            counts[1] = ListHeaders(t, GetCurrentMatchesCount, GetCurrentMatchesHeaders);
            counts[2] = ListHeaders(t, GetLastMatchesCount, GetLastMatchesHeaders);
        });
        enter.Add(a), table.Add(b), headers.Add(c), all.Add(a + b + c);
    }
    std::printf("lists after the last run: nearest %d, current %d, last %d\n", counts[0], counts[1],
                counts[2]);
    Report("OnAddMatchResult (dialog answered by hook)", enter, 100);
    Report("SaveTable, three quarters played", table, 100);
    Report("three lists: counts and headers", headers, 100);
    Report("one result + SaveTable + three lists", all, 100);

    Figures save, load;
    for (int run = 0; run < kRepeats; ++run) {
        save.Add(Time([&] { OnSaveTournament(t, trn.constData()); }));
        VelmoraTournament loaded = 0;
        load.Add(Time([&] { loaded = OnLoadTournament(trn.constData()); }));
        FreeTournament(loaded);
    }
    std::printf("tournament file: %lld bytes\n",
                (long long)QFileInfo(QString::fromUtf8(trn)).size());
    Report("OnSaveTournament", save, 300);
    Report("OnLoadTournament", load, 300);
    FreeTournament(t);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory (getrusage ru_maxrss): %.1f MB (target < 100 MB) %s\n",
                usage.ru_maxrss / 1024.0, usage.ru_maxrss / 1024.0 < 100 ? "ok" : "OVER");
    if (!app.arguments().contains(QStringLiteral("--no-large")))
        LargeField(dir);
    return 0;
}
