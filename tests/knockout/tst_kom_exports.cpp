// The built module driven through its 42 exports as the host drives it, its real modal
// dialogs answered by a timer: an 8-team double-elimination cup played to the end.
#include "ModalDriver.h"
#include "ModuleEntries.h"
#include "velmora_system.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLibrary>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

using Entries = ModuleEntries;

void Ok(QDialog& d) {
    d.findChild<QDialogButtonBox*>(QStringLiteral("buttons"))->button(QDialogButtonBox::Ok)->click();
}

// Enters a single game's score in the result dialog and accepts it.
std::function<void(QDialog&)> Score(int a, int b, int decider = 0, int da = 0, int db = 0) {
    return [=](QDialog& d) {
        d.findChild<QSpinBox*>(QStringLiteral("game1a"))->setValue(a);
        d.findChild<QSpinBox*>(QStringLiteral("game1b"))->setValue(b);
        if (decider) {
            d.findChild<QComboBox*>(QStringLiteral("decider"))->setCurrentIndex(decider);
            d.findChild<QSpinBox*>(QStringLiteral("deciderA"))->setValue(da);
            d.findChild<QSpinBox*>(QStringLiteral("deciderB"))->setValue(db);
        }
        Ok(d);
    };
}

} // namespace

class ExportsTest : public QObject {
    Q_OBJECT
    QLibrary m_library{QStringLiteral(KO_MODULE)};
    Entries e;
    QTemporaryDir m_dir;

    QStringList List(VelmoraTournament t, int32_t (*count)(VelmoraTournament),
                     int32_t (*headers)(VelmoraTournament, char**, int32_t)) {
        const int n = count(t);
        std::vector<char> storage(size_t(std::max(n, 1)) * VELMORA_NAME_SIZE);
        std::vector<char*> pointers(size_t(std::max(n, 1)));
        for (int k = 0; k < n; ++k)
            pointers[size_t(k)] = storage.data() + size_t(k) * VELMORA_NAME_SIZE;
        if (n > 0)
            headers(t, pointers.data(), n);
        QStringList lines;
        for (int k = 0; k < n; ++k)
            lines << QString::fromUtf8(pointers[size_t(k)]);
        return lines;
    }
    QStringList Nearest(VelmoraTournament t) { return List(t, e.GetNearestMatchesCount, e.GetNearestMatchesHeaders); }
    QStringList Last(VelmoraTournament t) { return List(t, e.GetLastMatchesCount, e.GetLastMatchesHeaders); }

    void Enter(VelmoraTournament t, int index, std::function<void(QDialog&)> action) {
        ModalDriver driver(std::move(action));
        e.OnAddMatchResult(t, index);
        QVERIFY(driver.AllDone());
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
        QCOMPARE(QString::fromUtf8(name), QStringLiteral("Олимпийская система"));
        e.GetTournamentFormatID(name);
        QCOMPARE(QByteArray(name), QByteArray("Velmora Knockout 1"));
        QCOMPARE(e.GetReportsCount(), 4);
        char extension[VELMORA_EXTENSION_SIZE];
        e.GetReportExtention(extension, 2);
        QCOMPARE(QByteArray(extension), QByteArray("csv"));
    }

    void doubleEliminationCupToTheEnd() {
        const QString csv = m_dir.filePath(QStringLiteral("команды.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Имя;Рейтинг\nСпартак;1800\nДинамо;1790\nЗенит;1780\nТорпедо;1770\n"
                   "Рубин;1760\nУрал;1750\nФакел;1740\n<b>Сокол</b>;1730\n");
        file.close();
        const VelmoraPlayers players = e.OnLoadPlayers(csv.toUtf8().constData());
        QCOMPARE(e.GetPlayersCount(players), 8);

        ModalDriver creation([](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("format"))->setCurrentIndex(1);
            Ok(d);
        });
        const VelmoraParameters parameters = e.GetCustomTournamentCreationParameters();
        QVERIFY(creation.AllDone() && parameters);
        const VelmoraTournament t = e.CreateTournament("Кубок", parameters, players);
        e.FreeCustomTournamentCreationParameters(parameters);
        QVERIFY(t);
        QCOMPARE(Nearest(t).size(), 4);
        QCOMPARE(Nearest(t).front(), QStringLiteral("Верхняя сетка, раунд 1, матч 1: Спартак — <b>Сокол</b>"));

        // A level score settled by penalties.
        Enter(t, 0, Score(2, 2, 2, 4, 3));
        QCOMPARE(Last(t).front(), QStringLiteral("Верхняя сетка, раунд 1, матч 1: Спартак — <b>Сокол</b> 2:2 (пен. 4:3)"));

        // Everything else: the first-named side wins, but the lower winner takes the final,
        // so the reset is played, and the lower winner takes that too.
        int guard = 0;
        while (e.GetNearestMatchesCount(t) > 0 && ++guard < 40) {
            const bool final = Nearest(t).front().startsWith(QStringLiteral("Финал:")) ||
                               Nearest(t).front().startsWith(QStringLiteral("Суперфинал:"));
            Enter(t, 0, final ? Score(0, 1) : Score(1, 0));
        }
        const QStringList last = Last(t);
        QCOMPARE(last.size(), 15);
        QVERIFY2(last.front().startsWith(QStringLiteral("Суперфинал: ")), qPrintable(last.front()));
        QVERIFY(last[1].startsWith(QStringLiteral("Финал: ")));

        // Changing an early winner asks, naming what goes; "No" leaves everything as it was.
        const int early = int(last.indexOf(QStringLiteral("Верхняя сетка, раунд 1, матч 2: Торпедо — Рубин 1:0")));
        QVERIFY(early >= 0);
        QString asked;
        ModalDriver change([](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("game1a"))->setValue(0);
            d.findChild<QSpinBox*>(QStringLiteral("game1b"))->setValue(3);
            Ok(d);
            d.reject();
        });
        change.On<QMessageBox>([&](QMessageBox* box) {
            asked = box->text();
            box->button(QMessageBox::No)->click();
        });
        e.OnModifyLastMatchResult(t, early);
        DRIVER_DONE(change);
        QVERIFY2(asked.contains(QStringLiteral("• Суперфинал")), qPrintable(asked));
        QVERIFY(asked.contains(QStringLiteral("• Нижняя сетка, раунд 1, матч 1")));
        QCOMPARE(Last(t), last);

        // The page, the file and the reports.
        const QString page = m_dir.filePath(QStringLiteral("Кубок 2026/таблица.htm"));
        QVERIFY(QDir().mkpath(QFileInfo(page).path()));
        QVERIFY(e.TableWasModified(t));
        e.SaveTable(t, page.toUtf8().constData());
        QVERIFY(!e.TableWasModified(t));
        QFile html(page);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(html.readAll());
        QVERIFY(text.contains(QStringLiteral("Итоговые места")));
        QVERIFY(text.contains(QStringLiteral("&lt;b&gt;Сокол&lt;/b&gt;")));
        QVERIFY(!text.contains(QStringLiteral("<b>Сокол")));

        const QString trn = m_dir.filePath(QStringLiteral("Кубок 2026/кубок.trn"));
        QVERIFY(e.TournamentWasModified(t));
        e.OnSaveTournament(t, trn.toUtf8().constData());
        QVERIFY(!e.TournamentWasModified(t));
        const VelmoraTournament back = e.OnLoadTournament(trn.toUtf8().constData());
        QVERIFY(back);
        QCOMPARE(Last(back), last);
        QCOMPARE(e.GetNearestMatchesCount(back), 0);
        for (int r = 0; r < 4; ++r) {
            const QString path = m_dir.filePath(QStringLiteral("отчёт %1").arg(r));
            e.SaveReport(back, r, path.toUtf8().constData());
            QVERIFY(QFileInfo(path).size() > 100);
        }
        e.FreeTournament(back);

        // Deleting the grand final's result brings it back to the nearest list, the reset gone.
        const int grand = int(Last(t).indexOf(last[1]));
        e.OnDeleteLastMatchResult(t, grand);
        QCOMPARE(Nearest(t), QStringList{last[1].section(QStringLiteral(" 0:1"), 0, 0)});
        e.FreeTournament(t);
    }

    void foreignFileIsRefused() {
        const QString path = m_dir.filePath(QStringLiteral("чужой.trn"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Velmora Round Robin 1\n{}\n");
        f.close();
        QCOMPARE(e.OnLoadTournament(path.toUtf8().constData()), VelmoraTournament(0));
    }
};

QTEST_MAIN(ExportsTest)
#include "tst_kom_exports.moc"
