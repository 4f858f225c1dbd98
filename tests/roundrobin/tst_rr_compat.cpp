// Files written before the round robin moved onto the kit: they load and write back byte for
// byte (the .trn fixtures were written by version 1.5 and are never regenerated), and give
// the table page and reports kept beside them. Those pages change only with a deliberate
// change of output: RR_WRITE_PAGES=1 rewrites them from the current code, to be reviewed in
// the diff.
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
void ComparePage(const QByteArray& actual, const QString& name) {
    if (qEnvironmentVariableIntValue("RR_WRITE_PAGES") == 1) {
        QFile file(QStringLiteral(RR_FIXTURES "/") + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(actual) == actual.size());
        return;
    }
    QCOMPARE(actual, Fixture(name));
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
        ComparePage(TablePageHtml(*t).toUtf8(), stem + QStringLiteral(".table.html"));
        for (int r = 0; r < int(Reports().size()); ++r)
            ComparePage(ReportContent(*t, Report(r)),
                        stem + QStringLiteral(".report%1.").arg(r) + Reports()[r].extension);
    }
};

QTEST_GUILESS_MAIN(TestCompat)
#include "tst_rr_compat.moc"
