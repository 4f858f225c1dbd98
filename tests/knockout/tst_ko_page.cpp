// The bracket page as text: safe with any name, complete without script, and with the
// views the skins rely on (the printed parts, the phone's round tabs).
#include "BracketPage.h"
#include "KoTestUtil.h"
#include "Standings.h"

#include <QRegularExpression>
#include <QTest>

using namespace ko;

class PageTest : public QObject {
    Q_OBJECT
private slots:
    void namesAreTextNeverMarkup() {
        QList<Entrant> list = kotest::Entrants(6);
        list[2].name = QStringLiteral("<script>alert('x')</script>");
        list[3].club = QStringLiteral("\"Клуб\" & <b>");
        Tournament t(QStringLiteral("<i>Кубок</i>"), list, kotest::SingleOptions());
        t.SetInfo({QStringLiteral("<venue>"), {}, QStringLiteral("<arbiter>"), {}});
        t.SetCourt(0, QStringLiteral("<court>"));
        for (const QString& html : {BracketPageHtml(t), ScheduleHtml(t)}) {
            QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
            QVERIFY(!html.contains(QStringLiteral("<i>")));
            QVERIFY(!html.contains(QStringLiteral("<b>")));
            QVERIFY(!html.contains(QStringLiteral("<venue>")) && !html.contains(QStringLiteral("<court>")));
        }
        const QString page = BracketPageHtml(t);
        QVERIFY(page.contains(QStringLiteral("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;")));
        QVERIFY(page.contains(QStringLiteral("&quot;Клуб&quot; &amp; &lt;b&gt;")));
        QVERIFY(page.contains(QStringLiteral("<link rel=\"stylesheet\" href=\"style.css\">")));
    }

    void byesWinnersAndCourtsShow() {
        Tournament t("T", kotest::Entrants(5), kotest::SingleOptions());
        QVERIFY(t.SetResult(NearestMatches(t).front(), MatchResult::Single(2, 2, Decider::Penalties, 4, 3)));
        t.SetCourt(NearestMatches(t).front(), QStringLiteral("Корт 2"));
        const QString page = BracketPageHtml(t);
        const QString screen = page.section(QStringLiteral("<div class=\"screen\">"), 1)
                                   .section(QStringLiteral("<div class=\"rounds\">"), 0, 0);
        QCOMPARE(screen.count(QStringLiteral("без соперника")), 3);
        QCOMPARE(screen.count(QStringLiteral("class=\"match ")), 7);
        QCOMPARE(screen.count(QStringLiteral("class=\"side win")), 4); // three byes and a shoot-out
        QVERIFY(screen.contains(QStringLiteral("пен. 4:3")));
        QVERIFY(screen.contains(QStringLiteral("<span class=\"court\">Корт 2</span>")));
        QVERIFY(!page.contains(QStringLiteral("class=\"paged\""))); // small enough for one page
        const QString schedule = ScheduleHtml(t);
        QVERIFY(schedule.contains(QStringLiteral("Корт 2")));
        QCOMPARE(schedule.count(QStringLiteral("<tr><td class=\"mno\">")), 2);
    }

    void printedPartsOf32Lines() {
        for (int n : {33, 64, 256}) {
            Tournament t("T", kotest::Entrants(n), kotest::SingleOptions());
            const QString page = BracketPageHtml(t);
            const int parts = BracketSize(n) / 32;
            QVERIFY(page.contains(QStringLiteral("<div class=\"paged\">")));
            QVERIFY(page.indexOf(QStringLiteral("class=\"paged\"")) < page.indexOf(QStringLiteral("class=\"screen\"")));
            QCOMPARE(page.count(QStringLiteral("class=\"bracket upper part\"")), parts + 1);
            QVERIFY(page.contains(QStringLiteral("Часть %1 из %1: строки %2–%3")
                                      .arg(parts).arg(BracketSize(n) - 31).arg(BracketSize(n))));
        }
    }

    void phoneTabsOnePerRoundStartingWhereThePlayIs() {
        Tournament t("T", kotest::Entrants(12), kotest::DoubleOptions());
        for (int i = 0; i < 4; ++i)
            kotest::PlayNext(t, [](int) { return 0; }); // the first upper round
        const QString page = BracketPageHtml(t);
        // 4 upper rounds, 6 lower, the final and its reset.
        QCOMPARE(page.count(QStringLiteral("<input type=\"radio\" name=\"round\"")), 12);
        QCOMPARE(page.count(QStringLiteral(" checked>")), 1);
        const QRegularExpression checked(QStringLiteral("id=\"(r\\d+)\" checked><label for=\"\\1\" title=\"([^\"]+)\""));
        const QRegularExpressionMatch m = checked.match(page);
        QVERIFY(m.hasMatch());
        // The lower bracket's first round is all byes here (four byes above), so: upper round 2.
        QCOMPARE(m.captured(2), QStringLiteral("Верхняя сетка, раунд 2"));
    }

    void standingsTable() {
        Tournament t("T", kotest::Entrants(4), kotest::SingleOptions());
        kotest::PlayOut(t);
        const QString html = StandingsHtml(t);
        QCOMPARE(html.count(QStringLiteral("<tr class=\"champion\">")), 1);
        QVERIFY(html.contains(QStringLiteral("<td class=\"place\">3</td>")));
    }
};

QTEST_APPLESS_MAIN(PageTest)
#include "tst_ko_page.moc"
