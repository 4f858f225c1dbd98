// Players lists from spreadsheets: columns placed by their headers or their cells, split
// names joined, the number column as the order, nothing dropped without a word, and the
// preview that asks when the columns are in doubt.
#include "PlayersFile.h"
#include "PlayersPreviewDialog.h"
#include "Ui.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kit;

namespace {

const QStringList kSurnames{"Иванов", "Петрова", "Сидоров", "Ёлкина", "Кузнецов"};
const QStringList kFirstNames{"Пётр", "Анна", "Илья", "Мария", "Олег"};

// The class register of the issue: "№;Фамилия;Имя;Класс", 40 pupils, written in reverse
// order of their numbers so that the number column has to restore it.
QString ClassRegister() {
    QString text = QStringLiteral("№;Фамилия;Имя;Класс\r\n");
    for (int n = 40; n >= 1; --n)
        text += QStringLiteral("%1;%2%3;%4;%5%6\r\n")
                    .arg(n)
                    .arg(kSurnames[n % 5])
                    .arg(n)
                    .arg(kFirstNames[n % 5])
                    .arg(5 + n % 4)
                    .arg(QChar(u'А' + n % 3));
    return text;
}

// Windows-1251 as a Russian spreadsheet saves it: only what the tests need.
QByteArray Cp1251(const QString& text) {
    QByteArray bytes;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += char(u);
        else if (u >= 0x0410 && u <= 0x044F)
            bytes += char(0xC0 + (u - 0x0410));
        else if (u == u'ё')
            bytes += char(0xB8);
        else if (u == u'Ё')
            bytes += char(0xA8);
        else if (u == u'№')
            bytes += char(0xB9);
        else
            bytes += '?';
    }
    return bytes;
}

// Reads with the reader's own guess, checking that it was as sure as expected.
QList<Player> Read(const QByteArray& content, bool certain, QString* notice = nullptr) {
    const PlayersImport import = AnalysePlayers(content);
    if (!import.ok)
        qWarning("%s", qPrintable(import.error));
    if (import.guess.certain != certain)
        qWarning("guess certain: %d", int(import.guess.certain));
    const PlayersReadResult read = ReadPlayers(import.sheet, import.guess.layout);
    if (!read.ok)
        qWarning("%s", qPrintable(read.error));
    if (notice)
        *notice = read.notice;
    return import.ok && import.guess.certain == certain ? read.players : QList<Player>{};
}

Player P(const QString& name, int rating = 0, const QString& title = {}, const QString& club = {},
         const QString& city = {}) {
    return Player{name, rating, title, club, city};
}

// A player with what rating lists need.
Player Rated(const QString& name, int rating, const QString& fideId, int birthYear,
             const QString& title = {}, const QString& city = {}) {
    Player p = P(name, rating, title, {}, city);
    p.fideId = fideId;
    p.birthYear = birthYear;
    return p;
}

} // namespace

Q_DECLARE_METATYPE(kit::Player)

namespace QTest {
template <> char* toString(const kit::Player& p) {
    return qstrdup(qPrintable(QStringLiteral("{%1 | %2 | %3 | %4 | %5 | %6 | %7}")
                                  .arg(p.name)
                                  .arg(p.rating)
                                  .arg(p.title, p.club, p.city, p.fideId)
                                  .arg(p.birthYear)));
}
} // namespace QTest

class TestKitPlayers : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_messages;
    int m_dialogs = 0;

    QString Write(const QString& name, const QByteArray& content) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void init() {
        m_messages.clear();
        m_dialogs = 0;
        ui::SetMessageHook([this](const QString&, const QString& text) {
            m_messages << text;
            return true;
        });
        ui::SetDialogHook([this](QDialog&) {
            ++m_dialogs;
            return int(QDialog::Rejected);
        });
    }

    // The class register loads whole: full names in the order of "№", the class as the
    // club, in every encoding a spreadsheet may save it in.
    void classRegisterLoadsWhole_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("UTF-8") << ClassRegister().toUtf8();
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + ClassRegister().toUtf8();
        QTest::newRow("Windows-1251") << Cp1251(ClassRegister());
        QString unicodeText = ClassRegister().replace(u';', u'\t');
        unicodeText.prepend(QChar(0xFEFF));
        QTest::newRow("UTF-16, a spreadsheet's Unicode text") << QByteArray(
            reinterpret_cast<const char*>(unicodeText.utf16()), unicodeText.size() * 2);
    }
    void classRegisterLoadsWhole() {
        QFETCH(QByteArray, content);
        const QString path = Write(QStringLiteral("5 «А» класс.csv"), content);
        const std::optional<QList<Player>> players = ui::ImportPlayers(path);
        QVERIFY(players);
        QCOMPARE(m_dialogs, 0); // nothing in doubt, nothing asked
        QCOMPARE(m_messages, QStringList{});
        QCOMPARE(players->size(), 40);
        QCOMPARE(players->at(0), P(QStringLiteral("Петрова1 Анна"), 0, {}, QStringLiteral("6Б")));
        QCOMPARE(players->at(2).name, QStringLiteral("Ёлкина3 Мария"));
        QCOMPARE(players->at(39), P(QStringLiteral("Иванов40 Пётр"), 0, {}, QStringLiteral("5Б")));
        // Callers with nobody to ask read the same.
        QCOMPARE(ReadPlayers(content).players, *players);
    }

    // Headers in other words, cases, languages and orders; a number column orders the rows.
    void headerWordings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Player>("first");
        QTest::newRow("N п/п, upper case, patronymic, school and class, commas")
            << QByteArray("N п/п,ФАМИЛИЯ ,имя,Отчество,Школа,Класс,Город\n"
                          "2,Петров,Иван,Ильич,Лицей 2,7Б,Тула\n1,Иванов,Пётр,Сергеевич,,6А,\n")
            << P("Иванов Пётр Сергеевич", 0, {}, "6А");
        QTest::newRow("Ф.И.О. of a participant, Elo, sports rank, team")
            << QByteArray("Ф.И.О. участника;Рейтинг ЭЛО;Спортивный разряд;Команда\n"
                          "Смирнова Ольга;1 850;1 разряд;Белая ладья\n")
            << P("Смирнова Ольга", 1850, "1 разряд", "Белая ладья");
        QTest::newRow("English, tabs")
            << QByteArray(
                   "Last name\tFirst name\tRating\tClub\tCity\nDoe\tJohn\t2100\tRooks\tYork\n")
            << P("Doe John", 2100, {}, "Rooks", "York");
        QTest::newRow("a league names its teams under Команда")
            << QByteArray("Команда;Город;Рейтинг команды\nСпартак;Москва;1700\n")
            << P("Спартак", 1700, {}, {}, "Москва");
        QTest::newRow("whose and what: Номер школы is a school")
            << QByteArray("Номер школы;Фамилия и имя;Организация\n57;Орлов Денис;Дом детского "
                          "творчества\n")
            << P("Орлов Денис", 0, {}, "57, Дом детского творчества");
        QTest::newRow("a title line above the header")
            << QByteArray(";Список 7 «Б» класса;\n\n№;Фамилия;Имя\n1;Белов;Яков\n")
            << P("Белов Яков");
        QTest::newRow("the program's own file")
            << WritePlayers({P("Зайцев Олег", 1500, "КМС", "Спартак", "Тула")})
            << P("Зайцев Олег", 1500, "КМС", "Спартак", "Тула");
    }
    void headerWordings() {
        QFETCH(QByteArray, content);
        QFETCH(Player, first);
        const QList<Player> players = Read(content, true);
        QVERIFY(!players.isEmpty());
        QCOMPARE(players.front(), first);
    }

    // Without a header the cells decide: an order number, a name, a rating are certain;
    // more than that is a guess the user confirms. A header in unknown words is still a
    // header when it has words over numbers.
    void cellsDecideWithoutAHeader() {
        QCOMPARE(Read("3;Иванов Иван;1800\n1;Петров Пётр;\n", true),
                 (QList<Player>{P("Петров Пётр"), P("Иванов Иван", 1800)}));
        QCOMPARE(Read("Спиридонов\nКлубов\n", true), (QList<Player>{P("Спиридонов"), P("Клубов")}));
        QCOMPARE(Read("Иванов;1800;КМС;Спартак;Тула\n", false),
                 QList<Player>{P("Иванов", 1800, "КМС", "Спартак", "Тула")});
        QCOMPARE(Read("Иванов;Спартак;2 юн.\n", false),
                 QList<Player>{P("Иванов", 0, "2 юн.", "Спартак")});
        // "Spieler" and "Wertung" are nothing the reader knows, but words over numbers.
        QCOMPARE(Read("Spieler;Wertung\nАнна;1500\nБорис;1600\n", false),
                 (QList<Player>{P("Анна", 1500), P("Борис", 1600)}));
        // The same word down a column is data, not a header.
        QCOMPARE(Read("Школа 5;Иванов\nШкола 7;Петров\n", false).size(), 2);
    }

    // A column the reader cannot place is named, by letter and header, and asks the user.
    void unplacedColumnIsNamed() {
        QString notice;
        const QByteArray content("Фамилия;Имя;Телефон родителей;Класс;\n"
                                 "Иванов;Пётр;8-900-100;3А;\nПетрова;Анна;;3Б;\n");
        QCOMPARE(Read(content, false, &notice).size(), 2);
        QCOMPARE(notice, QStringLiteral(
                             "Не загружен столбец C («Телефон родителей»): неизвестно, что в нём."));
        QString dialogNote;
        ui::SetDialogHook([&](QDialog& dialog) {
            dialogNote = dialog.findChild<QLabel*>(QStringLiteral("note"))->text();
            return int(QDialog::Rejected);
        });
        QVERIFY(!ui::ImportPlayers(Write(QStringLiteral("список.csv"), content)));
        QVERIFY2(dialogNote.contains(QStringLiteral("столбец C («Телефон родителей»)")),
                 qPrintable(dialogNote));
        QCOMPARE(m_messages, QStringList{}); // a cancel is not an error
    }

    // The preview's choices are what is loaded; OK waits for a name column.
    void previewAnsweredByHook() {
        const QString path = Write(QStringLiteral("лист 1.csv"),
                                   "Иванов;Пётр;Спартак;1800\nПетрова;Анна;Динамо;1700\n");
        QString example;
        bool okWithoutName = true;
        ui::SetDialogHook([&](QDialog& dialog) {
            auto choose = [&](int column, PlayerField field) {
                auto* box = dialog.findChild<QComboBox*>(QStringLiteral("column%1").arg(column));
                box->setCurrentIndex(box->findData(int(field)));
            };
            for (int c = 0; c < 4; ++c)
                choose(c, PlayerField::Ignore);
            okWithoutName = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttons"))
                                ->button(QDialogButtonBox::Ok)
                                ->isEnabled();
            choose(0, PlayerField::Surname);
            choose(1, PlayerField::FirstName);
            choose(2, PlayerField::Club);
            choose(3, PlayerField::Rating);
            example = dialog.findChild<QLabel*>(QStringLiteral("example"))->text();
            return int(QDialog::Accepted);
        });
        const std::optional<QList<Player>> players = ui::ImportPlayers(path);
        QVERIFY(players);
        QVERIFY(!okWithoutName);
        QCOMPARE(example, QStringLiteral("Участников: 2. Первый: ") +
                              PlayerLine(P("Иванов Пётр", 1800, {}, "Спартак")));
        QCOMPARE(*players, (QList<Player>{P("Иванов Пётр", 1800, {}, "Спартак"),
                                          P("Петрова Анна", 1700, {}, "Динамо")}));
        // Choices that do not fit the cells are refused with the line, and nothing loads.
        ui::SetDialogHook([](QDialog& dialog) {
            auto* box = dialog.findChild<QComboBox*>(QStringLiteral("column2"));
            box->setCurrentIndex(box->findData(int(PlayerField::Rating)));
            return int(QDialog::Accepted);
        });
        QVERIFY(!ui::ImportPlayers(path));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("«лист 1.csv»")) &&
                     m_messages[0].contains(QStringLiteral("Строка 1: рейтинг «Спартак»")),
                 qPrintable(m_messages[0]));
    }

    // FIDE ID and year of birth by their headers, in the program's own file, and from a
    // tournament report file; a rating "of FIDE" stays a rating.
    void ratingListColumns() {
        QCOMPARE(Read("Фамилия, имя;Рейтинг ФИДЕ;ФИДЕ ID;Год рождения\n"
                      "Карпова Анна;2010;24 101 234;2009\n",
                      true),
                 QList<Player>{Rated("Карпова Анна", 2010, "24101234", 2009)});
        QCOMPARE(Read("Name;FIDE ID;Date of birth\nDoe John;2012345;12.05.1987\n", true),
                 QList<Player>{Rated("Doe John", 0, "2012345", 1987)});
        // A bare "ID" or "Год" is some other number (a list's own, a school year): asked about.
        QCOMPARE(Read("ID;ФИО;Год\n17;Анна;5\n", false), QList<Player>{P("Анна")});
        const QList<Player> own{Rated("Зайцев Олег", 1500, "4100018", 1990, "КМС", "Тула"),
                                P("Белов Яков")};
        QCOMPARE(Read(WritePlayers(own), true), own);
        // Without them a list is written as before, for the versions that know no more.
        QCOMPARE(WritePlayers({P("Белов Яков", 1400)}),
                 QStringLiteral("Имя\tРейтинг\tЗвание\tКлуб\tГород\nБелов Яков\t1400\t\t\t\n")
                     .toUtf8());
        const PlayersReadResult bad =
            ReadPlayers(QByteArray("ФИО;ФИДЕ ID;Год рождения\nАнна;24-1;2001\nБорис;1;19\n"));
        QVERIFY(!bad.ok);
        QCOMPARE(bad.error, QStringLiteral("Строка 2: ФИДЕ ID «24-1» — не число до 11 цифр."));
        const PlayersReadResult year =
            ReadPlayers(QByteArray("ФИО;Год рождения\nАнна;2001\nБорис;19\n"));
        QCOMPARE(year.error, QStringLiteral("Строка 3: год рождения «19» — не год от 1900 до 2100."));
    }

    // A tournament report file gives its players' fixed columns, counted in bytes, so that a
    // Cyrillic name does not shift the rating; the start numbers are the order.
    void trfPlayersImport() {
        auto line = [](int id, const char* title, const QString& name, int rating,
                       const char* fed, const char* fide, const char* birth) {
            QByteArray n = name.toUtf8();
            n += QByteArray(33 - n.size(), ' ');
            return "001 " + QByteArray::number(id).rightJustified(4) + " m" +
                   QByteArray(title).rightJustified(3) + " " + n + " " +
                   QByteArray::number(rating).rightJustified(4) + " " +
                   QByteArray(fed).leftJustified(3) + " " + QByteArray(fide).rightJustified(11) +
                   " " + QByteArray(birth).leftJustified(10) + "  0.0    1\r\n";
        };
        const QByteArray trf = "012 Кубок\r\n" +
                               line(2, "IM", QStringLiteral("Ёлкина Юлия"), 2301, "RUS",
                                    "24101234", "1999/03/04") +
                               line(1, "GM", QStringLiteral("Doe, John"), 2500, "ENG", "400041",
                                    "0000/00/00") +
                               "XXR 5\r\n";
        const QList<Player> players = Read(trf, true);
        QCOMPARE(players, (QList<Player>{Rated("Doe, John", 2500, "400041", 0, "GM", "ENG"),
                                         Rated("Ёлкина Юлия", 2301, "24101234", 1999, "IM", "RUS")}));
    }

    // Blank numbered lines of a form are skipped; a number that is not one names its line.
    void numberedForms() {
        QCOMPARE(Read("№;ФИО\n1;Анна\n2;\n3;  \n", true), QList<Player>{P("Анна")});
        const PlayersReadResult read = ReadPlayers(QByteArray("№;ФИО\n1;Анна\nдва;Борис\n"));
        QVERIFY(!read.ok);
        QCOMPARE(read.error,
                 QStringLiteral("Строка 3: номер «два» — не целое положительное число."));
        QCOMPARE(ui::ImportPlayers(m_dir.filePath(QStringLiteral("нет такого.csv"))), std::nullopt);
        QCOMPARE(m_messages.size(), 1);
    }
};

QTEST_MAIN(TestKitPlayers)
#include "tst_kitlib_players.moc"
