// The table pages organisers look at, in every skin, on a real (virtual) display: a football
// league of eight teams in two cycles, a rated chess field of ten, and ten with long names in
// two cycles. Each page is written beside its skin's style.css, shown at the given width and
// grabbed; for each it prints how far the widest table reaches, so that a column cut off at
// the window's edge is seen in figures too. Not a test and not shipped:
//   xvfb-run -a -s "-screen 0 1600x1000x24" rr_page_shots <output folder> [width]
#include "PageEvaluation.h"
#include "Reports.h"
#include "TablePage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace rr;

namespace {

void Enter(Tournament& t, int game, const Result& r) {
    if (!t.SetResult(game, r))
        std::fprintf(stderr, "result %d refused\n", game);
}

Tournament League() {
    const QStringList teams{"Спартак",   "Динамо", "Торпедо",        "Зенит",
                            "Локомотив", "ЦСКА",   "Крылья Советов", "Ростов"};
    QList<Player> players;
    for (const QString& team : teams)
        players.append({team, 0, {}, {}, {}});
    Settings s = DefaultSettings(ResultKind::Scores);
    s.cycles = 2;
    Tournament t(QStringLiteral("Первенство города по футболу"), players, s);
    t.SetInfo({QStringLiteral("Стадион «Труд»"),
               QStringLiteral("апрель — октябрь"),
               QStringLiteral("И. И. Петров"),
               {}});
    // Ten of fourteen rounds played, goals from the pair's numbers.
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (g.round <= 10)
            Enter(t, i,
                  Result::Goals((g.white * 5 + g.black * 3 + g.round) % 4,
                                (g.white * 2 + g.black * 7 + g.round) % 3));
    }
    t.AddDeduction({6, 6, QStringLiteral("неявка на матч 4 тура")});
    return t;
}

Tournament Chess() {
    const QStringList names{"Алексеев Артём", "Борисова Вера", "Васильев Глеб", "Григорьева Дарья",
                            "Дмитриев Егор",  "Егорова Жанна", "Жуков Захар",   "Зайцева Инна",
                            "Ильин Кирилл",   "Козлова Лариса"};
    const int ratings[] = {2412, 2388, 2305, 2290, 2240, 2195, 2150, 2101, 2050, 1987};
    QList<Player> players;
    for (int i = 0; i < names.size(); ++i)
        players.append({names[i],
                        ratings[i],
                        i < 2 ? QStringLiteral("ММ") : QString(),
                        i % 3 ? QStringLiteral("Ладья") : QStringLiteral("Спартак"),
                        {}});
    Tournament t(QStringLiteral("Мемориал Чигорина"), players, DefaultSettings(ResultKind::Games));
    t.SetInfo({QStringLiteral("Санкт-Петербург"),
               QStringLiteral("3–11 мая"),
               QStringLiteral("А. А. Сидоров"),
               {}});
    const Outcome outcomes[] = {Outcome::WhiteWin, Outcome::Draw, Outcome::BlackWin, Outcome::Draw};
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (g.round <= 7)
            Enter(t, i, Result::Of(outcomes[(g.white * 3 + g.black + g.round) % 4]));
    }
    return t;
}

// The widest ten a hall shows: long names, titles, clubs, two cycles.
Tournament LongNames() {
    QList<Player> players;
    for (int i = 0; i < 10; ++i)
        players.append({QStringLiteral("Константинопольская-Длинная Александра %1").arg(i + 1),
                        2400 - i * 37,
                        QStringLiteral("ММ"),
                        QStringLiteral("Клуб «Ладья»"),
                        {}});
    Settings s = DefaultSettings(ResultKind::Games);
    s.cycles = 2;
    Tournament t(QStringLiteral("Первенство"), players, s);
    for (int i = 0; i < t.GameCount(); ++i)
        Enter(t, i, Result::Of(i % 3 ? Outcome::Draw : Outcome::WhiteWin));
    return t;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rr_page_shots <output folder> [width]\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int width = argc > 2 ? std::atoi(argv[2]) : 1600;
    const QDir skins(QStringLiteral(RR_SKINS_DIR));
    const std::vector<std::pair<QString, Tournament>> events{{QStringLiteral("league"), League()},
                                                             {QStringLiteral("chess"), Chess()},
                                                             {QStringLiteral("long"), LongNames()}};
    for (const auto& [stem, t] : events) {
        for (const QString& skin : skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString folder = out + u'/' + stem + u'-' + skin;
            QDir().mkpath(folder);
            QFile::remove(folder + QStringLiteral("/style.css"));
            QFile::copy(skins.filePath(skin + QStringLiteral("/style.css")),
                        folder + QStringLiteral("/style.css"));
            QFile page(folder + QStringLiteral("/table.htm"));
            page.open(QIODevice::WriteOnly);
            page.write(TablePageHtml(t).toUtf8());
            page.close();
            QFile report(folder + QStringLiteral("/pairs.html"));
            report.open(QIODevice::WriteOnly);
            report.write(PairingsReport(t).toUtf8());
            report.close();

            QWebEngineView view;
            view.resize(width, 1000);
            view.move(0, 0);
            bool loaded = false;
            QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
            auto show = [&](const QString& file) {
                loaded = false;
                view.load(QUrl::fromLocalFile(file));
                view.show();
                QTest::qWaitFor([&] { return loaded; }, 20000);
                QTest::qWait(1500); // the first painted frame comes after loadFinished
            };
            // The pairings sheet carries its own styles: once per tournament.
            if (skin == skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name).first()) {
                show(report.fileName());
                view.grab().save(QStringLiteral("%1/%2-pairs.png").arg(out, stem));
            }
            show(page.fileName());
            const QVariant reach = EvaluateOnPage(
                &view, QStringLiteral("Math.max(...[...document.querySelectorAll('table')].map("
                                      "t => t.getBoundingClientRect().right)) + ' of ' + "
                                      "document.documentElement.clientWidth"));
            const QString shot = QStringLiteral("%1/%2-%3-%4.png").arg(out, stem, skin).arg(width);
            view.grab().save(shot);
            std::printf("%s: widest table reaches %s px\n", qPrintable(shot),
                        qPrintable(reach.toString()));
        }
    }
    return 0;
}
