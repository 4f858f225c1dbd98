// Renders sample brackets in every skin to PNG (and the print skin to PDF) so that a person
// can look at them. Not a test: build the target ko_render and run
//   ko_render <output folder> <skins folder>
#include "BracketPage.h"
#include "MatchLists.h"
#include "Tournament.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>
#include <random>

using namespace ko;

namespace {

QList<Entrant> Teams(int n) {
    static const char* names[] = {"Спартак", "Динамо", "Зенит", "Локомотив", "ЦСКА", "Торпедо",
                                  "Рубин", "Крылья Советов", "Ростов", "Урал", "Факел", "Сокол",
                                  "Ахмат", "Химки", "Амкар", "Анжи"};
    QList<Entrant> list;
    for (int i = 0; i < n; ++i) {
        QString name = i < 16 ? QString::fromUtf8(names[i]) : QStringLiteral("Команда %1").arg(i + 1);
        if (i >= 16 && i % 7 == 3)
            name = QStringLiteral("Очень длинное название команды № %1").arg(i + 1);
        list.append({name, 2000 - i * 7, i % 5 == 0 ? QStringLiteral("Москва") : QString()});
    }
    if (n > 9)
        list[9].name = QStringLiteral("<script>alert(1)</script>");
    return list;
}

MatchResult Score(std::mt19937& r, int winner, const MatchFormat& f) {
    MatchResult res;
    res.kind = MatchResult::Kind::Games;
    int wins[2] = {0, 0};
    while (wins[0] < f.GamesToWin() && wins[1] < f.GamesToWin()) {
        int side = (r() % 3 == 0) ? 1 - winner : winner;
        if (wins[1 - side] == f.GamesToWin() - 1 && wins[side] == f.GamesToWin() - 1)
            side = winner;
        GameScore g;
        const int lo = int(r() % 3);
        if (f.bestOf == 1 && r() % 5 == 0) {
            g = {lo, lo, Decider::Penalties, side == 0 ? 5 : 3, side == 0 ? 3 : 5};
        } else {
            g.a = side == 0 ? lo + 1 + int(r() % 2) : lo;
            g.b = side == 1 ? lo + 1 + int(r() % 2) : lo;
        }
        res.games.push_back(g);
        ++wins[side];
    }
    return res;
}

// Plays the nearest matches until `stopWave` (exclusive); the better seed mostly wins.
void Play(Tournament& t, int stopWave, std::mt19937& r) {
    for (;;) {
        const QList<int> next = NearestMatches(t);
        if (next.isEmpty() || t.Shape().Match(next.front()).wave >= stopWave)
            return;
        const int m = next.front();
        const MatchState& st = t.State(m);
        int winner = st.side[0].entrant < st.side[1].entrant ? 0 : 1;
        if (r() % 4 == 0)
            winner = 1 - winner;
        t.SetResult(m, Score(r, winner, t.Format()));
    }
}

void CourtsForNearest(Tournament& t) {
    int court = 1;
    for (int m : NearestMatches(t))
        t.SetCourt(m, QStringLiteral("Корт %1").arg(court++));
}

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Render(const QString& html, const QString& skinCss, const QString& dir, int width,
            const QString& png, bool pdf) {
    QDir().mkpath(dir);
    QFile page(dir + QStringLiteral("/index.html"));
    page.open(QIODevice::WriteOnly);
    page.write(html.toUtf8());
    page.close();
    QFile::remove(dir + QStringLiteral("/style.css"));
    QFile::copy(skinCss, dir + QStringLiteral("/style.css"));

    QWebEngineView view;
    view.resize(width, 900);
    view.show();
    QEventLoop loaded;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loaded, &QEventLoop::quit);
    view.load(QUrl::fromLocalFile(dir + QStringLiteral("/index.html")));
    loaded.exec();
    int height = 900;
    QEventLoop measured;
    view.page()->runJavaScript(QStringLiteral("document.documentElement.scrollHeight"),
                               [&](const QVariant& v) {
                                   height = v.toInt();
                                   measured.quit();
                               });
    measured.exec();
    view.resize(width, std::min(std::max(height, 400), 7000));
    Wait(1500);
    view.grab().save(png);
    if (pdf) {
        QEventLoop printed;
        QObject::connect(view.page(), &QWebEnginePage::pdfPrintingFinished, &printed, &QEventLoop::quit);
        view.page()->printToPdf(dir + QStringLiteral(".pdf"),
                                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        printed.exec();
    }
    std::printf("%s (%d px high)\n", qPrintable(png), height);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: ko_render <output folder> <skins folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]), skins = QString::fromLocal8Bit(argv[2]);
    std::mt19937 r(42);
    struct Sample {
        QString name;
        Tournament t;
    };
    std::vector<Sample> samples;

    Options single;
    single.bracket.format = Format::Single;
    {
        Tournament t("Кубок школы по мини-футболу", Teams(5), single);
        Play(t, 2, r);
        CourtsForNearest(t);
        samples.push_back({"single5", t});
    }
    {
        Options o = single;
        o.bracket.thirdPlace = true;
        o.format = {3, Scoring::Scores};
        Tournament t("Открытое первенство клуба по настольному теннису", Teams(16), o);
        t.SetInfo({QStringLiteral("Спорткомплекс «Олимп»"), QStringLiteral("12–13 декабря"),
                   QStringLiteral("И. П. Сидоров"), {}});
        Play(t, 3, r);
        t.SetWithdrawn(t.State(NearestMatches(t).front()).side[1].entrant, true);
        CourtsForNearest(t);
        samples.push_back({"single16", t});
    }
    {
        Tournament t("Турнир 64", Teams(64), single);
        Play(t, 3, r);
        CourtsForNearest(t);
        samples.push_back({"single64", t});
    }
    {
        Options o;
        o.bracket.format = Format::Double;
        o.bracket.reset = true;
        Tournament t("Кибертурнир: две жизни", Teams(12), o);
        Play(t, 7, r);
        CourtsForNearest(t);
        samples.push_back({"double12", t});
    }
    {
        Tournament t("Массовый турнир на 256", Teams(256), single);
        Play(t, 2, r);
        samples.push_back({"single256", t});
    }
    {
        Options o = single;
        o.bracket.thirdPlace = true;
        Tournament t("Завершённый турнир", Teams(8), o);
        Play(t, 100, r);
        samples.push_back({"single8done", t});
    }

    const QStringList skinNames{QStringLiteral("Обычная"), QStringLiteral("Проектор"),
                                QStringLiteral("Печать")};
    const QStringList only = app.arguments().mid(3);
    for (const Sample& s : samples) {
        if (!only.isEmpty() && !only.contains(s.name))
            continue;
        const QString html = BracketPageHtml(s.t);
        for (int k = 0; k < skinNames.size(); ++k) {
            const QString css = skins + u'/' + skinNames[k] + QStringLiteral("/style.css");
            const QString tag = s.name + u'-' + QString::number(k);
            const int width = k == 2 ? 1123 : 1600;
            Render(html, css, out + u'/' + tag, width, out + u'/' + tag + QStringLiteral(".png"), k == 2);
            if (k != 2)
                Render(html, css, out + u'/' + tag + QStringLiteral("-phone"), 390,
                       out + u'/' + tag + QStringLiteral("-phone.png"), false);
        }
    }
    return 0;
}
