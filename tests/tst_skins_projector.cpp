// The round robin's projector skin in a real web view: at a projector's width every column of
// a ten-player rated crosstable is inside the window, the last tie-break included, and the
// table shrinks with a narrower window instead of being cut off.
#include "PageEvaluation.h"
#include "TablePage.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

using namespace rr;

namespace {

// Ten rated players with clubs and long names, two cycles, every tie-break of the chess
// defaults: the widest crosstable a hall shows for ten.
Tournament TenPlayers() {
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
        t.SetResult(i, Result::Of(i % 3 ? Outcome::Draw : Outcome::WhiteWin));
    return t;
}

} // namespace

class TestProjector : public QObject {
    Q_OBJECT
private slots:
    void everyColumnFitsTheWindow_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("projector, 1600 px") << 1600;
        QTest::newRow("small projector, 1024 px") << 1024;
    }
    void everyColumnFitsTheWindow() {
        QFETCH(int, width);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(RR_SKINS_DIR "/Проектор/style.css"),
                            dir.filePath(QStringLiteral("style.css"))));
        QFile page(dir.filePath(QStringLiteral("table.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(TablePageHtml(TenPlayers()).toUtf8());
        page.close();

        QWebEngineView view;
        view.resize(width, 900);
        QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
        view.load(QUrl::fromLocalFile(page.fileName()));
        view.show();
        QVERIFY(loaded.wait(20000));
        // The window's width, less a scroll bar where the page is taller than the window.
        const int client =
            EvaluateOnPage(&view, QStringLiteral("document.documentElement.clientWidth")).toInt();
        QVERIFY2(client > width - 20 && client <= width, qPrintable(QString::number(client)));
        // The last heading is the last tie-break's or the performance's: all of them in view.
        const QString script = QStringLiteral(
            "(() => { const cells = document.querySelectorAll('table.crosstable thead th');"
            " const koya = [...cells].find(c => c.textContent === 'Койя');"
            " return [cells[cells.length - 1].getBoundingClientRect().right,"
            " koya.getBoundingClientRect().right,"
            " parseFloat(getComputedStyle(document.querySelector('table.crosstable')).fontSize)]; "
            "})()");
        const QVariantList figures = EvaluateOnPage(&view, script).toList();
        QCOMPARE(figures.size(), 3);
        QVERIFY2(figures[0].toDouble() <= client, qPrintable(figures[0].toString()));
        QVERIFY(figures[1].toDouble() <= client);
        // Still readable from the back of the hall: no smaller than 9 px at 1024.
        QVERIFY2(figures[2].toDouble() >= 9, qPrintable(figures[2].toString()));
    }
};

QTEST_MAIN(TestProjector)
#include "tst_skins_projector.moc"
