// Every reference tournament replayed round by round: the rounds before r must give exactly the
// pairs, colours and bye of round r. Rounds where the engine and the reference differ are
// listed below with what the reference did; every other round must agree.
#include "SwissTestUtil.h"

#include <QDir>
#include <QtTest>

using namespace swisstest;

namespace {

struct Known {
    const char* file;
    int round;
    const char* reason;
};

// Disagreements with the reference as they stand, each examined by hand.
const Known kKnown[] = {
    {"swiss_007p_05r_71", 5,
     "the reference floats player 5 (1.5) down to take the bye and pairs 3-7, 4-6; C.5 pairs 3-5 in "
     "the 1.5 bracket and the last bracket then completes with 6-7 and the bye to 4"},
    {"swiss_064p_11r_641_pab05", 9, "transposition chosen differs"},
};

const Known* known(const QString& file, int round) {
    for (const Known& k : kKnown)
        if (file == QLatin1String(k.file) && round == k.round)
            return &k;
    return nullptr;
}

} // namespace

class TestSwissReplay : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
    void summary();

private:
    int agreed_ = 0;
    int compared_ = 0;
};

void TestSwissReplay::replay_data() {
    QTest::addColumn<QString>("path");
    const QDir dir(QStringLiteral(SWISS_REFERENCE_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.trf")}, QDir::Files, QDir::Name);
    QVERIFY2(files.size() == 19, "the 19 reference tournaments are missing");
    for (const QString& f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f);
}

void TestSwissReplay::replay() {
    QFETCH(QString, path);
    const std::string text = readAll(path);
    const TrfReadResult full = readTrf(text);
    QVERIFY2(full.ok, full.error.c_str());
    const QString base = QFileInfo(path).completeBaseName();
    int rounds = 0;
    for (const Player& p : full.tournament.players)
        rounds = std::max(rounds, int(p.rounds.size()));
    QStringList unexpected;
    for (int r = 1; r <= rounds; ++r) {
        const Tournament in = inputForRound(full.tournament, r);
        // The input must survive the TRF writer: the plug-in exports what the engine reads.
        const TrfReadResult again = readTrf(writeTrf(in));
        QVERIFY2(again.ok, again.error.c_str());
        const PairingResult got = pairDutch(again.tournament, r);
        QVERIFY2(got.ok, (base.toStdString() + " round " + std::to_string(r) + ": " + got.error).c_str());
        const std::string illegal = checkLegal(in, r, got);
        QVERIFY2(illegal.empty(), (base.toStdString() + " round " + std::to_string(r) + ": " + illegal).c_str());
        const bool same = normalised(got) == actualPairing(full.tournament, r);
        ++compared_;
        agreed_ += same ? 1 : 0;
        const Known* k = known(base, r);
        if (same && k)
            unexpected << QStringLiteral("round %1 now agrees: drop it from the known list").arg(r);
        if (!same && !k)
            unexpected << QStringLiteral("round %1 differs from the reference").arg(r);
    }
    QVERIFY2(unexpected.isEmpty(), qPrintable(base + ": " + unexpected.join(QStringLiteral("; "))));
}

void TestSwissReplay::summary() {
    qInfo("reference replay: %d of %d rounds identical", agreed_, compared_);
    QCOMPARE(compared_, 140);
    QCOMPARE(agreed_, compared_ - int(std::size(kKnown)));
}

QTEST_GUILESS_MAIN(TestSwissReplay)
#include "tst_swiss_replay.moc"
