// The example system of the authors' kit, driven as the host drives a system: admitted by
// the catalogue, then a tournament's life through its entry table, its files and its exports.
#include "TestSupport.h"

#include "systems/HostText.h"
#include "systems/SystemCatalogue.h"
#include "systems/SystemEntryTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

const char kFormatId[] = "Velmora Minimal Example 1";

QString Text(char* buffer, std::size_t size) {
    return TextFromBuffer(buffer, size);
}

QStringList Nearest(const SystemEntryTable& e, VelmoraTournament t) {
    TextBufferArray lines(e.GetNearestMatchesCount(t));
    e.GetNearestMatchesHeaders(t, lines.Pointers(), lines.Count());
    return lines.Texts();
}

QStringList Last(const SystemEntryTable& e, VelmoraTournament t) {
    TextBufferArray lines(e.GetLastMatchesCount(t));
    e.GetLastMatchesHeaders(t, lines.Pointers(), lines.Count());
    return lines.Texts();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestKitExample : public QObject {
    Q_OBJECT

    // Each test gets its own program folder with the example installed as Systems/Minimal.
    std::unique_ptr<ProbeFolder> m_folder;
    std::unique_ptr<SystemCatalogue> m_catalogue;
    SystemEntryTable m_e;

private slots:
    void init() {
        UseTestEnvironment();
        m_folder = std::make_unique<ProbeFolder>();
        m_folder->AddSystem("Minimal", "minimal_system", {"Default"}, {},
                            QStringLiteral(MINIMAL_SYSTEM_LIBRARY));
        m_catalogue = std::make_unique<SystemCatalogue>(m_folder->Root());
        m_e = SystemEntryTable();
        if (m_catalogue->GetCount() == 1)
            m_e.Resolve(m_catalogue->GetAt(0)->m_hLibrary.get());
    }

    void cleanup() {
        m_catalogue.reset();
        m_folder.reset();
    }

    void catalogueAdmitsTheExample() {
        QVERIFY(m_catalogue->Rejections().empty());
        QCOMPARE(m_catalogue->GetCount(), 1);
        const SystemInfo* info = m_catalogue->GetAt(0);
        QCOMPARE(info->m_skins, QStringList({"Default"}));
        for (int slot = 0; slot < VELMORA_ENTRY_POINT_COUNT; ++slot)
            QVERIFY2(m_e.Slot(slot), SystemEntryTable::kNames[slot]);

        char name[VELMORA_NAME_SIZE], id[VELMORA_NAME_SIZE];
        char description[VELMORA_DESCRIPTION_SIZE];
        m_e.GetSystemName(name);
        m_e.GetSystemDescription(description);
        m_e.GetTournamentFormatID(id);
        QCOMPARE(Text(name, sizeof name), QStringLiteral("Пример: каждый с каждым"));
        QVERIFY(!Text(description, sizeof description).isEmpty());
        QCOMPARE(Text(id, sizeof id), QString::fromLatin1(kFormatId));

        // The build leaves a complete package folder: the library with its skin beside it.
        QVERIFY(QFile::exists(QFileInfo(QStringLiteral(MINIMAL_SYSTEM_LIBRARY)).path() +
                              "/Default/style.css"));
    }

    // Only the 42 entry points leave the library: its helpers stay hidden.
    void exportsExactlyTheContract() {
        const QString nm = QStandardPaths::findExecutable("nm");
        if (nm.isEmpty())
            QSKIP("nm is not installed");
        QProcess process;
        process.start(nm, {"-D", "--defined-only", QStringLiteral(MINIMAL_SYSTEM_LIBRARY)});
        QVERIFY(process.waitForFinished());
        QStringList names;
        for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
            if (!line.trimmed().isEmpty())
                names.append(QString::fromLatin1(line.split(' ').last()));
        names.sort();
        QStringList expected;
        for (const char* name : SystemEntryTable::kNames)
            expected.append(QString::fromLatin1(name));
        expected.sort();
        QCOMPARE(names, expected);
    }

    void lifeOfATournament() {
        QCOMPARE(m_catalogue->GetCount(), 1);
        QCOMPARE(m_e.GetSortingTypesCount(), 0); // so the wizard skips the draw step

        VelmoraPlayers players = m_e.CreatePlayers();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m_e.OnAddPlayer(players), i);
        QCOMPARE(m_e.GetPlayersCount(players), 4);
        char line[VELMORA_NAME_SIZE];
        m_e.GetPlayerHeader(players, line, 2);
        QCOMPARE(Text(line, sizeof line), QStringLiteral("Игрок 3"));
        QCOMPARE(m_e.OnModifyPlayer(players, 0), 0); // no dialog: nothing changes

        VelmoraParameters parameters = m_e.GetCustomTournamentCreationParameters();
        QVERIFY(parameters != 0); // 0 would end the wizard
        const char* name = "<script>alert(1)</script> & Кубок";
        VelmoraTournament t = m_e.CreateTournament(name, parameters, players);
        m_e.FreeCustomTournamentCreationParameters(parameters);
        QVERIFY(t != 0);

        // Everyone meets everyone once: six games for four players.
        const QStringList nearest = Nearest(m_e, t);
        QCOMPARE(nearest.size(), 6);
        QCOMPARE(nearest.first(), QStringLiteral("Игрок 1 — Игрок 2"));
        QCOMPARE(m_e.GetCurrentMatchesCount(t), 0);
        QCOMPARE(m_e.GetLastMatchesCount(t), 0);

        const QString folder = m_folder->Path("Турниры с пробелом");
        QDir().mkpath(folder);
        const QString trn = folder + "/Кубок.trn", page = folder + "/Кубок.htm";
        QVERIFY(m_e.TableWasModified(t));
        m_e.SaveTable(t, QFile::encodeName(page).constData());
        QVERIFY(!m_e.TableWasModified(t));

        // A result on the first nearest game: it moves to the played list.
        m_e.OnAddMatchResult(t, 0);
        QCOMPARE(Nearest(m_e, t).size(), 5);
        QCOMPARE(Last(m_e, t), QStringList({"Игрок 1 — Игрок 2 ½–½"}));
        QVERIFY(m_e.TableWasModified(t));
        QVERIFY(m_e.TournamentWasModified(t));
        // An index past the list changes nothing.
        m_e.OnAddMatchResult(t, 99);
        QCOMPARE(Nearest(m_e, t).size(), 5);

        m_e.OnSaveTournament(t, QFile::encodeName(trn).constData());
        QVERIFY(!m_e.TournamentWasModified(t));
        const QByteArray file = ReadAll(trn);
        QCOMPARE(file.left(file.indexOf('\n')), QByteArray(kFormatId));

        // Load it back: the same lists, a table waiting to be written.
        VelmoraTournament loaded = m_e.OnLoadTournament(QFile::encodeName(trn).constData());
        QVERIFY(loaded != 0);
        QCOMPARE(Nearest(m_e, loaded), Nearest(m_e, t));
        QCOMPARE(Last(m_e, loaded), Last(m_e, t));
        QVERIFY(m_e.TableWasModified(loaded));
        QVERIFY(!m_e.TournamentWasModified(loaded));

        m_e.SaveTable(loaded, QFile::encodeName(page).constData());
        const QString html = QString::fromUtf8(ReadAll(page));
        QVERIFY(html.contains("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Кубок"));
        QVERIFY(!html.contains("<script>"));
        QVERIFY(html.contains("href=\"style.css\""));
        QVERIFY(html.contains("<td>Игрок 1</td><td>0½</td>"));

        // The one report, written as the reports dialog would ask for it.
        QCOMPARE(m_e.GetReportsCount(), 1);
        TextBufferArray reports(m_e.GetReportsCount());
        m_e.GetReportsNames(reports.Pointers(), reports.Count());
        QVERIFY(!reports.Text(0).isEmpty());
        char extension[VELMORA_EXTENSION_SIZE];
        m_e.GetReportExtention(extension, 0);
        QCOMPARE(Text(extension, sizeof extension), QStringLiteral("txt"));
        const QString report = folder + "/отчёт.txt";
        m_e.SaveReport(loaded, 0, QFile::encodeName(report).constData());
        QVERIFY(QString::fromUtf8(ReadAll(report)).contains("Игрок 1 — Игрок 2 ½–½"));

        // Changing and deleting a played result, as the tournament window does.
        m_e.OnModifyLastMatchResult(loaded, 0);
        QCOMPARE(Last(m_e, loaded), QStringList({"Игрок 1 — Игрок 2 0–1"}));
        m_e.OnDeleteLastMatchResult(loaded, 0);
        QCOMPARE(m_e.GetLastMatchesCount(loaded), 0);
        QCOMPARE(m_e.GetNearestMatchesCount(loaded), 6);

        m_e.FreeTournament(loaded);
        m_e.FreeTournament(t);
    }

    void corruptTournamentFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray players = "T\n3\nA\nB\nC\n";
        const QByteArray games = "0 1 2\n0 2 0\n1 2 0\n";
        const QByteArray id = QByteArray(kFormatId) + "\n";
        QTest::newRow("valid, with CR LF")
            << QByteArray(id + players + games).replace("\n", "\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign format") << QByteArray("Other format 1\n" + players + games);
        QTest::newRow("count not a number") << QByteArray(id + "T\nthree\nA\nB\nC\n" + games);
        QTest::newRow("count too large") << QByteArray(id + "T\n5000\n");
        QTest::newRow("count negative") << QByteArray(id + "T\n-1\n");
        QTest::newRow("players missing") << QByteArray(id + "T\n3\nA\nB\n");
        QTest::newRow("game missing") << QByteArray(id + players + "0 1 2\n0 2 0\n");
        QTest::newRow("player out of range") << QByteArray(id + players + "0 1 2\n0 7 0\n1 2 0\n");
        QTest::newRow("unknown result") << QByteArray(id + players + "0 1 9\n0 2 0\n1 2 0\n");
        QTest::newRow("garbage after a game")
            << QByteArray(id + players + "0 1 2x\n0 2 0\n1 2 0\n");
        QTest::newRow("line after the end") << QByteArray(id + players + games + "extra\n");
        QTest::newRow("line too long")
            << QByteArray(id + QByteArray(300, 'T') + "\n3\nA\nB\nC\n" + games);
    }

    // Whatever is wrong in the file, loading gives 0 and never half a tournament.
    void corruptTournamentFilesAreRefused() {
        QFETCH(QByteArray, content);
        const QString path = m_folder->Write("bad.trn", content);
        VelmoraTournament t = m_e.OnLoadTournament(QFile::encodeName(path).constData());
        if (QByteArray(QTest::currentDataTag()).startsWith("valid")) {
            QVERIFY(t != 0);
            QCOMPARE(Last(m_e, t), QStringList({"A — B ½–½"}));
            m_e.FreeTournament(t);
        } else {
            QCOMPARE(t, VelmoraTournament(0));
        }
        QCOMPARE(m_e.OnLoadTournament(QFile::encodeName(m_folder->Path("missing.trn")).constData()),
                 VelmoraTournament(0));
    }

    void playersListsRoundTripAndMerge() {
        // A name of 256 bytes ending in a two-byte letter is cut before that letter.
        const QByteArray longName = QByteArray(254, 'a') + "Ж";
        const QString plr =
            m_folder->Write("list.plr", "Иванов\n\n<b>Петров</b>\r\n" + longName + "\n");
        VelmoraPlayers loaded = m_e.OnLoadPlayers(QFile::encodeName(plr).constData());
        QVERIFY(loaded != 0);
        QCOMPARE(m_e.GetPlayersCount(loaded), 3);
        char line[VELMORA_NAME_SIZE];
        m_e.GetPlayerHeader(loaded, line, 2);
        QCOMPARE(QByteArray(line), QByteArray(254, 'a'));
        // New players go on numbering after the loaded ones.
        QCOMPARE(m_e.OnAddPlayer(loaded), 3);
        m_e.GetPlayerHeader(loaded, line, 3);
        QCOMPARE(Text(line, sizeof line), QStringLiteral("Игрок 4"));

        const QString saved = m_folder->Path("saved.plr");
        m_e.OnSavePlayers(loaded, QFile::encodeName(saved).constData());
        VelmoraPlayers again = m_e.OnLoadPlayers(QFile::encodeName(saved).constData());
        QCOMPARE(m_e.GetPlayersCount(again), 4);
        m_e.OnAddPlayerList(loaded, again);
        m_e.FreePlayers(again);
        QCOMPARE(m_e.GetPlayersCount(loaded), 8);
        m_e.OnDeletePlayer(loaded, 0);
        m_e.OnDeletePlayer(loaded, 99); // out of range: ignored
        m_e.GetPlayerHeader(loaded, line, 0);
        QCOMPARE(Text(line, sizeof line), QStringLiteral("<b>Петров</b>"));
        QCOMPARE(m_e.GetPlayersCount(loaded), 7);
        m_e.FreePlayers(loaded);

        const QString tooLong = m_folder->Write("long.plr", QByteArray(400, 'x') + "\nB\n");
        QCOMPARE(m_e.OnLoadPlayers(QFile::encodeName(tooLong).constData()), VelmoraPlayers(0));
        QCOMPARE(m_e.OnLoadPlayers(QFile::encodeName(m_folder->Path("none.plr")).constData()),
                 VelmoraPlayers(0));
    }

    // The table page escapes what a players list brings in, not only the title.
    void tablePageEscapesPlayerNames() {
        const QString plr =
            m_folder->Write("list.plr", "<img src=x onerror=alert(1)>\nA & B\n\"Q\"\n");
        VelmoraPlayers players = m_e.OnLoadPlayers(QFile::encodeName(plr).constData());
        VelmoraTournament t = m_e.CreateTournament("Кубок", 1, players);
        const QString page = m_folder->Path("cup.htm");
        m_e.SaveTable(t, QFile::encodeName(page).constData());
        const QString html = QString::fromUtf8(ReadAll(page));
        QVERIFY(html.contains("&lt;img src=x onerror=alert(1)&gt;"));
        QVERIFY(html.contains("A &amp; B"));
        QVERIFY(html.contains("&quot;Q&quot;"));
        QVERIFY(!html.contains("<img"));
        m_e.FreeTournament(t);
    }
};

QTEST_GUILESS_MAIN(TestKitExample)
#include "tst_kit_example.moc"
