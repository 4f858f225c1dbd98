// The built module driven through its exports as the host drives it, with its real modal
// dialogs answered by a timer: a small tournament from the creation dialog to the TRF file.
#include "ModalDriver.h"
#include "Pairing.h"
#include "PairingDialog.h"
#include "SwissDialogs.h"
#include "SwissSystemTestUtil.h"
#include "Ui.h"
#include "Trf.h"
#include "ModuleEntries.h"
#include "velmora_system.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibrary>
#include <QPushButton>
#include <QScopeGuard>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

using Entries = ModuleEntries;

void Accept(QWidget& dialog) {
    dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttons"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSwissExports : public QObject {
    Q_OBJECT
    QLibrary m_library{QStringLiteral(SWISS_MODULE)};
    Entries e;
    QTemporaryDir m_dir;

    QStringList Lines(VelmoraTournament t, int32_t (*count)(VelmoraTournament),
                      int32_t (*headers)(VelmoraTournament, char**, int32_t)) {
        const int n = count(t);
        std::vector<char> storage(size_t(n) * VELMORA_NAME_SIZE + 1);
        std::vector<char*> pointers{size_t(n), nullptr};
        for (int k = 0; k < n; ++k)
            pointers[size_t(k)] = storage.data() + size_t(k) * VELMORA_NAME_SIZE;
        if (n > 0)
            headers(t, pointers.data(), n);
        QStringList lines;
        for (char* p : pointers)
            lines << QString::fromUtf8(p);
        return lines;
    }
    QStringList Nearest(VelmoraTournament t) {
        return Lines(t, e.GetNearestMatchesCount, e.GetNearestMatchesHeaders);
    }
    QStringList Last(VelmoraTournament t) {
        return Lines(t, e.GetLastMatchesCount, e.GetLastMatchesHeaders);
    }

    // Seven players from a spreadsheet's CSV, one of them with markup in the name.
    VelmoraPlayers SevenPlayers() {
        const QString path = m_dir.filePath(QStringLiteral("семь игроков.csv"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("Имя;Рейтинг;Клуб\nАнна;2100;Ладья\nБорис;2300;\n<script>x</script>;1900;"
                   "\nГлеб;2000;\nДарья;1800;\nЕгор;2200;\nЖанна;1700;\n");
        file.close();
        return e.OnLoadPlayers(file.fileName().toUtf8().constData());
    }

    // Enters white's win on the first line of the nearest list through the outcome dialog.
    bool WinFirstBoard(VelmoraTournament t) {
        ModalDriver driver([](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("resultWhiteWin"))->click();
            Accept(d);
        });
        e.OnAddMatchResult(t, 0);
        return driver.AllDone();
    }

private slots:
    void initTestCase() {
        LoadModule(m_library, e);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(m_dir.isValid());
    }

    void systemTexts() {
        char name[VELMORA_NAME_SIZE];
        e.GetSystemName(name);
        QCOMPARE(QString::fromUtf8(name), QStringLiteral("Швейцарская система"));
        e.GetTournamentFormatID(name);
        QCOMPARE(QByteArray(name), QByteArray("Velmora Swiss 1"));
        std::vector<char> description(VELMORA_DESCRIPTION_SIZE, 'x');
        e.GetSystemDescription(description.data());
        QVERIFY(QByteArray(description.data()).size() > 200);
        QCOMPARE(e.GetReportsCount(), 6);
        std::vector<char> storage(6 * VELMORA_NAME_SIZE, 0);
        std::vector<char*> names;
        for (int k = 0; k < 6; ++k)
            names.push_back(storage.data() + k * VELMORA_NAME_SIZE);
        e.GetReportsNames(names.data(), 6);
        QCOMPARE(QString::fromUtf8(names[5]),
                 QStringLiteral("Файл TRF-2026 для рейтинга и других программ"));
    }

    void tournamentFromCreationToTrf() {
        ModalDriver creation([](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("rounds"))->setValue(3);
            Accept(d);
        });
        const VelmoraParameters parameters = e.GetCustomTournamentCreationParameters();
        QVERIFY(creation.AllDone());
        QVERIFY(parameters);
        const VelmoraTournament t = e.CreateTournament("Кубок", parameters, SevenPlayers());
        e.FreeCustomTournamentCreationParameters(parameters);
        QVERIFY(t);

        // Round 1 is paired at once: Борис (2300) is number 1 and has white on board 1.
        QStringList nearest = Nearest(t);
        QCOMPARE(nearest.size(), 4);
        QCOMPARE(nearest.front(), QStringLiteral("1 тур, доска 1: Борис — Глеб"));
        QCOMPARE(nearest.back(), QStringLiteral("Отменить жеребьёвку 1 тура"));

        for (int board = 0; board < 3; ++board)
            QVERIFY(WinFirstBoard(t));
        QCOMPARE(Nearest(t), QStringList{QStringLiteral("Жеребьёвка 2 тура")});
        QCOMPARE(Last(t).size(), 3);
        {
            // Cancelling the pairing board by board leaves the round unpaired.
            ModalDriver script;
            script.On(QStringLiteral("byesDialog"), [](QWidget* d) { Accept(*d); })
                .On(QStringLiteral("pairingPreview"),
                    [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
            e.OnAddMatchResult(t, 0);
            DRIVER_DONE(script);
            QCOMPARE(script.Seen(), (QStringList{QStringLiteral("byesDialog"),
                                                 QStringLiteral("pairingPreview")}));
            QCOMPARE(Nearest(t), QStringList{QStringLiteral("Жеребьёвка 2 тура")});
        }
        {
            // Number 3 (Анна, 2100) asks for a half-point bye in round 2.
            ModalDriver script;
            script
                .On(QStringLiteral("byesDialog"),
                    [](QWidget* d) {
                        d->findChild<QComboBox*>(QStringLiteral("choice3"))->setCurrentIndex(1);
                        Accept(*d);
                    })
                .On(QStringLiteral("pairingPreview"), [](QWidget* d) { Accept(*d); });
            e.OnAddMatchResult(t, 0);
            DRIVER_DONE(script);
        }
        nearest = Nearest(t);
        QCOMPARE(nearest.size(), 4); // six play: three boards, and the line to take them back
        for (const QString& line : nearest)
            QVERIFY(!line.contains(QStringLiteral("Анна")));
        QVERIFY(nearest.front().startsWith(QStringLiteral("2 тур, доска 1: ")));

        // Round 2 is paired from round 1's results: those stay.
        e.OnDeleteLastMatchResult(t, 0);
        QCOMPARE(Last(t).size(), 3);
        QVERIFY(Last(t).front().endsWith(QStringLiteral("1–0")));

        const QString saved = m_dir.filePath(QStringLiteral("кубок 1.vsw"));
        QVERIFY(e.OnSaveTournament(t, saved.toUtf8().constData()));
        QVERIFY(!e.TournamentWasModified(t));
        const VelmoraTournament loaded = e.OnLoadTournament(saved.toUtf8().constData());
        QVERIFY(loaded);
        QCOMPARE(Nearest(loaded), nearest);
        const QString again = m_dir.filePath(QStringLiteral("again.vsw"));
        QVERIFY(e.OnSaveTournament(loaded, again.toUtf8().constData()));
        QCOMPARE(ReadAll(again), ReadAll(saved));

        const QString table = m_dir.filePath(QStringLiteral("table.html"));
        QVERIFY(e.SaveTable(t, table.toUtf8().constData()));
        const QByteArray page = ReadAll(table);
        QVERIFY(page.contains("&lt;script&gt;x&lt;/script&gt;"));
        QVERIFY(!page.contains("<script>"));

        const QString trf = m_dir.filePath(QStringLiteral("турнир.trf"));
        QVERIFY(e.SaveReport(t, 3, trf.toUtf8().constData()));
        const QByteArray trfBytes = ReadAll(trf);
        const velmora::swiss::TrfReadResult read =
            velmora::swiss::readTrf(std::string_view(trfBytes.constData(), size_t(trfBytes.size())));
        QVERIFY2(read.ok, read.error.c_str());
        QCOMPARE(int(read.tournament.players.size()), 7);
        QCOMPARE(read.tournament.pairedRounds(), 1);
        QCOMPARE(read.tournament.totalRounds, 3);
        // TRF-16 has the bye asked for round 2 in that round's column, TRF-2026 a 240 record.
        QVERIFY(read.tournament.byeRequests.empty());
        QVERIFY(read.tournament.players[2].rounds.at(1).outcome ==
                velmora::swiss::Outcome::HalfBye);
        const QString trf2026 = m_dir.filePath(QStringLiteral("турнир-2026.trf"));
        QVERIFY(e.SaveReport(t, 5, trf2026.toUtf8().constData()));
        const QByteArray bytes2026 = ReadAll(trf2026);
        const velmora::swiss::TrfReadResult read2026 =
            velmora::swiss::readTrf(std::string_view(bytes2026.constData(), size_t(bytes2026.size())));
        QVERIFY2(read2026.ok, read2026.error.c_str());
        QVERIFY(bytes2026.contains("\r\n142 3\r\n"));
        QCOMPARE(int(read2026.tournament.byeRequests.size()), 1);
        QCOMPARE(read2026.tournament.byeRequests.front().player, 3);
        QCOMPARE(read2026.tournament.totalRounds, 3);

        e.FreeTournament(loaded);
        e.FreeTournament(t);
    }

    // Two players picked in the pairing dialog change places; a change that makes a rematch
    // asks first, naming C.04.1.2 and both players, and "Нет" leaves the pairing as it was.
    void handSwapAsksBeforeBreakingARule() {
        using namespace swisstest;
        Tournament t(QStringLiteral("Кубок"), MakeEntrants(8), RoundsOf(5));
        for (int r = 1; r <= 2; ++r) {
            QCOMPARE(t.PairNextRound(), QString());
            PlayCurrentRound(t);
        }
        QString error;
        const std::vector<Board> boards = PairRound(t, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        sw::ui::PairingPreview preview(t, boards);
        auto* table = preview.findChild<QTableWidget*>(QStringLiteral("boards"));
        auto* swap = preview.findChild<QPushButton*>(QStringLiteral("swapPlayers"));
        QVERIFY(table && swap && !swap->isEnabled());
        // Board 1's white meets his round-1 opponent: put that opponent on board 1's black.
        Board first;
        for (const Board& b : t.Boards())
            if (b.round == 1 && (b.white == boards[0].white || b.black == boards[0].white))
                first = b;
        const int opponent = first.white == boards[0].white ? first.black : first.white;
        int row = -1, column = -1;
        for (int k = 1; k < int(boards.size()); ++k) {
            if (boards[size_t(k)].white == opponent)
                row = k, column = 1;
            if (boards[size_t(k)].black == opponent)
                row = k, column = 2;
        }
        QVERIFY(row > 0);
        auto pick = [&] {
            table->clearSelection();
            table->item(0, 2)->setSelected(true);
            table->item(row, column)->setSelected(true);
        };
        pick();
        QVERIFY(swap->isEnabled());
        {
            ModalDriver driver;
            driver.OnMessage(QStringLiteral("C.04.1.2"), QMessageBox::No);
            swap->click();
            DRIVER_DONE(driver);
            QVERIFY(driver.Messages().front().contains(t.PlayerAt(opponent).name));
        }
        QCOMPARE(preview.GetBoards(), boards);
        pick();
        {
            ModalDriver driver;
            driver.OnMessage(QStringLiteral("C.04.1.2"), QMessageBox::Yes);
            swap->click();
            DRIVER_DONE(driver);
        }
        QCOMPARE(preview.GetBoards()[0].black, opponent);
        QVERIFY(table->item(0, 2)->text().contains(t.PlayerAt(opponent).name));
    }

    // The points shown before a round count an earlier half-point bye, not only games.
    void byesDialogCountsEarlierByes() {
        using namespace swisstest;
        Tournament t(QStringLiteral("Кубок"), MakeEntrants(6), RoundsOf(5));
        QCOMPARE(t.PairNextRound(), QString());
        PlayCurrentRound(t); // the sixth loses on board 3
        t.SetByes({{2, 5, ByeKind::Half}});
        QCOMPARE(t.PairNextRound(), QString());
        PlayCurrentRound(t);
        sw::ui::ByesDialog dialog(t, 3);
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("players"));
        QCOMPARE(table->item(5, 1)->text(), QStringLiteral("P6"));
        QCOMPARE(table->item(5, 2)->text(), QStringLiteral("½"));
    }

    // A late entrant is entered in the round's dialog through the player dialog, with his
    // FIDE ID; the missed rounds are worth what the organiser chose.
    void lateEntrantThroughTheRoundDialog() {
        using namespace swisstest;
        Tournament t(QStringLiteral("Кубок"), MakeEntrants(6), RoundsOf(5));
        QCOMPARE(t.PairNextRound(), QString());
        PlayCurrentRound(t);
        sw::ui::ByesDialog dialog(t, 2);
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("players"));
        dialog.findChild<QComboBox*>(QStringLiteral("missedRounds"))->setCurrentIndex(1);
        {
            ModalDriver driver([](QDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Зоя"));
                d.findChild<QLineEdit*>(QStringLiteral("fideId"))->setText(QStringLiteral("4100018"));
                Accept(d);
            });
            dialog.findChild<QPushButton*>(QStringLiteral("addLateEntrant"))->click();
            DRIVER_DONE(driver);
        }
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(table->item(6, 1)->text(), QStringLiteral("Зоя"));
        QCOMPARE(dialog.GetLateEntrants().size(), 1);
        QCOMPARE(dialog.GetLateEntrants()[0].player.fideId, QStringLiteral("4100018"));
        QVERIFY(dialog.MissedRounds() == ByeKind::Half);
        // Nobody is late for round 1.
        Tournament fresh(QStringLiteral("Кубок"), MakeEntrants(6), RoundsOf(5));
        sw::ui::ByesDialog first(fresh, 1);
        QVERIFY(!first.findChild<QPushButton*>(QStringLiteral("addLateEntrant"))->isEnabled());
    }

    // A forbidden pair for some rounds in the parameters dialog: listed with its rounds,
    // refused with the reason when the rounds make no sense, or when fewer rounds are chosen
    // than a pair needs.
    void forbiddenPairRoundsInTheParametersDialog() {
        using namespace swisstest;
        Tournament t(QStringLiteral("Кубок"), MakeEntrants(6, {QStringLiteral("Иванов %2")}),
                     RoundsOf(5));
        sw::ui::ParametersDialog dialog(t);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("forbiddenList"));
        auto* second = dialog.findChild<QComboBox*>(QStringLiteral("forbiddenSecond"));
        auto* from = dialog.findChild<QSpinBox*>(QStringLiteral("forbiddenFromRound"));
        auto* to = dialog.findChild<QSpinBox*>(QStringLiteral("forbiddenToRound"));
        auto* add = dialog.findChild<QPushButton*>(QStringLiteral("addForbidden"));
        QVERIFY(list && second && from && to && add);
        QStringList messages;
        kit::ui::SetMessageHook([&](const QString&, const QString& text) {
            messages << text;
            return true;
        });
        const auto unhook = qScopeGuard([] { kit::ui::SetMessageHook(nullptr); });
        QCOMPARE(to->value(), 5);
        to->setValue(3);
        add->click();
        QCOMPARE(list->item(0)->text(), QStringLiteral("1. Иванов %2 — 2. P2 (1–3 тур)"));
        second->setCurrentIndex(2);
        to->setValue(5);
        add->click();
        QCOMPARE(list->item(1)->text(), QStringLiteral("1. Иванов %2 — 3. P3 (все туры)"));
        // Backwards, beyond the last round, overlapping the same pair's: refused, saying why.
        from->setValue(4);
        to->setValue(2);
        add->click();
        to->setValue(6);
        add->click();
        second->setCurrentIndex(1);
        from->setValue(3);
        to->setValue(4);
        add->click();
        QCOMPARE(list->count(), 2);
        QCOMPARE(messages.size(), 3);
        QVERIFY2(messages[0].contains(QStringLiteral("раньше первого")), qPrintable(messages[0]));
        QVERIFY2(messages[1].contains(QStringLiteral("в турнире 5 туров")), qPrintable(messages[1]));
        QVERIFY2(messages[2].contains(QStringLiteral("уже запрещена")), qPrintable(messages[2]));
        // After it, 4–5 is free; then the first entry removed.
        from->setValue(4);
        to->setValue(5);
        add->click();
        QCOMPARE(list->item(2)->text(), QStringLiteral("1. Иванов %2 — 2. P2 (4–5 тур)"));
        list->setCurrentRow(0);
        dialog.findChild<QPushButton*>(QStringLiteral("removeForbidden"))->click();
        QCOMPARE(dialog.GetForbidden(), (QList<ForbiddenPair>{{0, 2}, {0, 1, 4, 5}}));
        // Three rounds leave 4–5 without rounds: OK is refused until there are five again.
        auto* rounds = dialog.findChild<QSpinBox*>(QStringLiteral("rounds"));
        rounds->setValue(3);
        QCOMPARE(to->value(), 3); // the last round follows the number of rounds
        Accept(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY2(messages.size() == 4 && messages[3].contains(QStringLiteral("4–5 тур")),
                 qPrintable(messages.join(u'\n')));
        rounds->setValue(7);
        Accept(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void foreignAndCorruptFilesAreRefused() {
        const QString path = m_dir.filePath(QStringLiteral("чужой.vsw"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("Velmora Round Robin 1\n{}");
        f.close();
        QCOMPARE(e.OnLoadTournament(path.toUtf8().constData()), VelmoraTournament(0));
        QCOMPARE(e.OnLoadTournament(m_dir.filePath("нет.vsw").toUtf8().constData()),
                 VelmoraTournament(0));
    }
};

QTEST_MAIN(TestSwissExports)
#include "tst_swiss_exports.moc"
