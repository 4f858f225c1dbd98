// Files written before the round robin moved onto the kit: they load, write back byte for
// byte, and give the same table page and reports as they did then. The fixtures were
// written by the code of version 1.5 and must never be regenerated.
#include "Reports.h"
#include "TablePage.h"
#include "TournamentFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace rr;

namespace {
QByteArray Fixture(const QString& name) {
    QFile file(QStringLiteral(RR_FIXTURES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(name));
    return file.readAll();
}
} // namespace

class TestCompat : public QObject {
    Q_OBJECT
private slots:
    void oldFilesReadTheSame_data() {
        QTest::addColumn<QString>("stem");
        QTest::newRow("chess, withdrawal, custom points") << "chess-1.5";
        QTest::newRow("scores, two cycles, random draw") << "league-1.5";
    }
    void oldFilesReadTheSame() {
        QFETCH(QString, stem);
        QString error;
        const std::unique_ptr<Tournament> t =
            LoadTournament(QStringLiteral(RR_FIXTURES "/") + stem + QStringLiteral(".trn"), &error);
        QVERIFY2(t, qPrintable(error));
        QVERIFY(!t->Modified());
        QCOMPARE(SerializeTournament(*t), Fixture(stem + QStringLiteral(".trn")));
        QCOMPARE(TablePageHtml(*t).toUtf8(), Fixture(stem + QStringLiteral(".table.html")));
        for (int r = 0; r < kReportCount; ++r)
            QCOMPARE(
                ReportContent(*t, Report(r)),
                Fixture(stem + QStringLiteral(".report%1.").arg(r) + ReportExtension(Report(r))));
    }
};

QTEST_GUILESS_MAIN(TestCompat)
#include "tst_rr_compat.moc"
