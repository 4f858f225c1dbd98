// The kit's 42 entry points over a stand-in system: what the kit promises every system it
// carries. Null, stale and foreign handles do nothing; nothing thrown reaches the host;
// buffers are cut at a character and terminated; files are written whole or not at all.
#include "System.h"
#include "Ui.h"
#include "velmora_system.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>
#include <vector>

namespace {

// What the stand-in was asked, so that a test can see that a refused call reached nothing.
struct Calls {
    QList<int> edited;
    int saved = 0;
    int tableSaved = 0;
    bool throwInLists = false;
    bool throwInCreate = false;
    QString line = QStringLiteral("1 тур, доска 1: Анна — Борис");
} calls;

class StandInEvent : public kit::Event {
public:
    QList<int> Games(kit::GameList list) const override {
        if (calls.throwInLists)
            throw std::runtime_error("lists");
        return list == kit::GameList::Nearest ? QList<int>{7, 8} : QList<int>{};
    }
    QString GameLine(int game) const override { return calls.line + QString::number(game); }
    void EditResult(int game) override { calls.edited << game; }
    void DeleteResult(int game) override { calls.edited << -game; }
    bool EditParameters() override { return true; }
    bool EditInfo() override { return false; }
    QByteArray FileContent() const override { return "Stand-in 1\n{}\n"; }
    QByteArray TablePage() const override { return "<p>table</p>"; }
    QByteArray Report(int index) const override { return QByteArray::number(index); }
    bool TableModified() const override { return true; }
    bool Modified() const override { return true; }
    void TableSaved() override { ++calls.tableSaved; }
    void Saved() override { ++calls.saved; }
};

class StandInSystem : public kit::System {
public:
    QString Name() const override { return QStringLiteral("Подставная система"); }
    QString Description() const override { return QString(3000, u'ж'); }
    QString FormatId() const override { return QStringLiteral("Stand-in 1"); }
    QList<kit::ReportKind> Reports() const override {
        return {{QStringLiteral("Отчёт"), QStringLiteral("html")}};
    }
    std::unique_ptr<kit::CreationParameters> AskCreationParameters() override {
        return std::make_unique<kit::CreationParameters>();
    }
    std::unique_ptr<kit::Event> Create(const QString&, const kit::CreationParameters*,
                                       const kit::PlayerList&) override {
        if (calls.throwInCreate)
            throw std::bad_alloc();
        return std::make_unique<StandInEvent>();
    }
    std::unique_ptr<kit::Event> Load(const QString& path, QString* error) override {
        *error = QStringLiteral("нет файла ") + path;
        return nullptr;
    }
};

// Host-owned buffers, pre-filled with junk to see what is written.
struct Buffers {
    Buffers(int count, int size) : storage(size_t(count) * size_t(size), 'x') {
        for (int k = 0; k < count; ++k)
            pointers.push_back(storage.data() + size_t(k) * size_t(size));
    }
    std::vector<char> storage;
    std::vector<char*> pointers;
};

} // namespace

kit::System& kit::TheSystem() {
    static StandInSystem system;
    return system;
}

class TestKitExports : public QObject {
    Q_OBJECT
    QStringList m_messages;
    QTemporaryDir m_dir;

    VelmoraTournament NewTournament() { return CreateTournament("Т", 0, CreatePlayers()); }

private slots:
    void init() {
        calls = {};
        m_messages.clear();
        kit::ui::SetMessageHook([this](const QString&, const QString& text) {
            m_messages << text;
            return true;
        });
        kit::ui::SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
    }

    // Handles of one kind are unknown to the calls of another, and a freed one is unknown to
    // all: each call answers as for a null handle and touches nothing.
    void foreignAndStaleHandlesDoNothing() {
        const VelmoraPlayers players = CreatePlayers();
        const VelmoraTournament t = NewTournament();
        const VelmoraParameters parameters = GetCustomTournamentCreationParameters();
        QVERIFY(players && t && parameters);
        QVERIFY(players != t && t != parameters && players != parameters);

        QCOMPARE(FreeTournament(players), 0);
        QCOMPARE(FreePlayers(t), 0);
        QCOMPARE(FreeCustomTournamentCreationParameters(t), 0);
        QCOMPARE(GetPlayersCount(t), 0);
        QCOMPARE(OnAddPlayer(t), -1);
        QCOMPARE(GetNearestMatchesCount(players), 0);
        QCOMPARE(TournamentWasModified(parameters), 0);
        QCOMPARE(OnSaveTournament(players, m_dir.filePath("x.trn").toUtf8().constData()), 0);
        QVERIFY(!QFile::exists(m_dir.filePath("x.trn")));
        QCOMPARE(OnAddMatchResult(players, 0), 1); // the host learns only that it did not fail
        QVERIFY(calls.edited.isEmpty());

        QCOMPARE(FreeTournament(t), 1);
        QCOMPARE(FreeTournament(t), 0);
        QCOMPARE(TableWasModified(t), 0);
        QCOMPARE(FreePlayers(players), 1);
        QCOMPARE(GetPlayersCount(players), 0);
        // Numbers are never reused, so an old handle cannot reach a new object.
        const VelmoraPlayers again = CreatePlayers();
        QVERIFY(again != players && again != t);
        QCOMPARE(GetPlayersCount(players), 0);
        FreePlayers(again);
        FreeCustomTournamentCreationParameters(parameters);
    }

    // A system that throws costs the host a refusal, never its process; the players list
    // handed over is gone either way, as the contract says.
    void exceptionsStayInside() {
        const VelmoraPlayers players = CreatePlayers();
        calls.throwInCreate = true;
        QCOMPARE(CreateTournament("Т", 0, players), VelmoraTournament(0));
        QCOMPARE(FreePlayers(players), 0);

        calls.throwInCreate = false;
        const VelmoraTournament t = NewTournament();
        calls.throwInLists = true;
        QCOMPARE(GetNearestMatchesCount(t), 0);
        Buffers b(1, VELMORA_NAME_SIZE);
        QCOMPARE(GetNearestMatchesHeaders(t, b.pointers.data(), 1), 0);
        QCOMPARE(OnAddMatchResult(t, 0), 0);
        FreeTournament(t);
    }

    // List lines are cut at a character boundary, each buffer terminated, and buffers
    // beyond the list emptied rather than left with junk.
    void listBuffers() {
        const VelmoraTournament t = NewTournament();
        calls.line = QString(300, u'ж'); // 600 bytes of two-byte letters
        Buffers b(3, VELMORA_NAME_SIZE);
        QCOMPARE(GetNearestMatchesCount(t), 2);
        QCOMPARE(GetNearestMatchesHeaders(t, b.pointers.data(), 3), 1);
        const QByteArray first(b.pointers[0]);
        QCOMPARE(first.size(), VELMORA_NAME_SIZE - 2); // 254: 255 would split a letter
        QCOMPARE(QString::fromUtf8(first), QString(127, u'ж'));
        QCOMPARE(b.pointers[2][0], '\0');
        QCOMPARE(GetNearestMatchesHeaders(t, nullptr, 3), 1); // no buffers: nothing written

        Buffers description(1, VELMORA_DESCRIPTION_SIZE);
        QCOMPARE(GetSystemDescription(description.pointers[0]), 1);
        QCOMPARE(QByteArray(description.pointers[0]).size(), VELMORA_DESCRIPTION_SIZE - 2);
        FreeTournament(t);
    }

    // Results are edited only for an index within the list the host showed.
    void resultIndexesAreChecked() {
        const VelmoraTournament t = NewTournament();
        QCOMPARE(OnAddMatchResult(t, 1), 1);
        QCOMPARE(OnAddMatchResult(t, 2), 1);
        QCOMPARE(OnAddMatchResult(t, -1), 1);
        QCOMPARE(OnDeleteLastMatchResult(t, 0), 1); // the last list is empty
        QCOMPARE(calls.edited, QList<int>{8});
        FreeTournament(t);
    }

    // A file that cannot be written is reported with its name and leaves the tournament
    // unsaved; one that can is marked saved only after it is whole on disk.
    void savingMarksOnlyWhatWasWritten() {
        const VelmoraTournament t = NewTournament();
        const QString folder = m_dir.filePath(QStringLiteral("папка с пробелом"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(OnSaveTournament(t, folder.toUtf8().constData()), 0);
        QCOMPARE(SaveTable(t, folder.toUtf8().constData()), 0);
        QCOMPARE(calls.saved + calls.tableSaved, 0);
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(m_messages[0].startsWith(
            QStringLiteral("Не удалось сохранить турнир в файл «%1»: ").arg(folder)));

        const QString path = m_dir.filePath(QStringLiteral("турнир.trn"));
        QCOMPARE(OnSaveTournament(t, path.toUtf8().constData()), 1);
        QCOMPARE(calls.saved, 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Stand-in 1\n{}\n"));

        QCOMPARE(SaveReport(t, 1, m_dir.filePath("r.html").toUtf8().constData()), 0);
        QVERIFY(!QFile::exists(m_dir.filePath("r.html")));
        QCOMPARE(SaveReport(t, 0, m_dir.filePath("r.html").toUtf8().constData()), 1);
        QCOMPARE(calls.tableSaved, 0); // a report is not the table
        FreeTournament(t);
    }

    // Every system loads players through the kit: a list in doubt is shown first, and a
    // cancelled preview loads nothing and says nothing.
    void loadingPlayersShowsThePreview() {
        const QString path = m_dir.filePath(QStringLiteral("список класса.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Фамилия;Имя;Пол\nИванов;Пётр;м\n");
        file.close();
        const QByteArray utf8 = path.toUtf8();
        QStringList shown;
        kit::ui::SetDialogHook([&](QDialog& dialog) {
            shown << dialog.objectName();
            return int(QDialog::Accepted);
        });
        const VelmoraPlayers players = OnLoadPlayers(utf8.constData());
        QCOMPARE(shown, QStringList{QStringLiteral("playersPreview")});
        QCOMPARE(GetPlayersCount(players), 1);
        Buffers line(1, VELMORA_NAME_SIZE);
        QCOMPARE(GetPlayerHeader(players, line.pointers[0], 0), 1);
        QCOMPARE(QString::fromUtf8(line.pointers[0]), QStringLiteral("Иванов Пётр"));
        FreePlayers(players);
        kit::ui::SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
        QCOMPARE(OnLoadPlayers(utf8.constData()), VelmoraPlayers(0));
        QCOMPARE(m_messages, QStringList{});
    }

    void loadFailureIsShown() {
        QCOMPARE(OnLoadTournament("нет.trn"), VelmoraTournament(0));
        QCOMPARE(m_messages, QStringList{QStringLiteral("нет файла нет.trn")});
        QCOMPARE(OnLoadTournament(nullptr), VelmoraTournament(0));
    }
};

QTEST_MAIN(TestKitExports)
#include "tst_kitlib_exports.moc"
