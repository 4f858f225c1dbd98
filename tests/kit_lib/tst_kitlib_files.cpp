// The kit's files and texts: the tournament file envelope and its strict reader, atomic
// writes, CSV and HTML helpers. What a system builds on them is tested with the system.
#include "AtomicFile.h"
#include "Csv.h"
#include "Envelope.h"
#include "Html.h"
#include "Text.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace kit;

namespace {

constexpr char kId[] = "Velmora Test System 2";

// Reads an envelope of version 2 at most, giving the document or the error.
std::optional<QJsonObject> Read(const QByteArray& content, QString* error) {
    JsonReader r{error};
    return ReadEnvelope(content, kId, 2, QStringLiteral("турнир тестовой системы"), r);
}

} // namespace

class TestKitFiles : public QObject {
    Q_OBJECT
private slots:
    void envelopeRoundTrip() {
        const QByteArray bytes = WriteEnvelope(kId, 2, QJsonObject{{"name", "Кубок"}});
        QVERIFY(bytes.startsWith(QByteArray(kId) + "\n{"));
        QString error;
        const std::optional<QJsonObject> root = Read(bytes, &error);
        QVERIFY2(root, qPrintable(error));
        QCOMPARE(root->value("name").toString(), QStringLiteral("Кубок"));
        QCOMPARE(root->value("version").toInt(), 2);
        // A file that went through a Windows editor keeps its meaning.
        QVERIFY(Read(QByteArray(bytes).replace("\n", "\r\n"), &error));
        // An older version is read: the system upgrades what it finds.
        QVERIFY(Read(WriteEnvelope(kId, 1, {}), &error));
    }

    void envelopeRefusals_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << "Это не турнир тестовой системы: первая строка";
        QTest::newRow("other system") << QByteArray("Velmora Test System 1\n{}")
                                      << "первая строка файла не «Velmora Test System 2»";
        QTest::newRow("bad json") << QByteArray(kId) + "\n{\"version\": 1,}"
                                  << "Файл повреждён: данные турнира не читаются (смещение ";
        QTest::newRow("array") << QByteArray(kId) + "\n[]"
                               << "не читаются";
        QTest::newRow("no version") << QByteArray(kId) + "\n{}"
                                    << "Файл: поле «version» должно быть целым числом от 1";
        QTest::newRow("fraction") << QByteArray(kId) + "\n{\"version\": 1.5}"
                                  << "«version»";
        // The same key in two objects is fine; twice in one, however spelt, is not.
        QTest::newRow("repeated key")
            << QByteArray(kId) + "\n{\"version\": 1, \"a\": {\"x\": [{\"x\": 1}], \"y\": \"x\", "
                                 "\"\\u0078\": 2}}"
            << "ключ «x» повторяется (смещение 70)";
        QTest::newRow("newer") << WriteEnvelope(kId, 3, {})
                               << "более новой версией программы (версия формата 3, эта "
                                  "версия понимает 2)";
    }
    void envelopeRefusals() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QString error;
        QVERIFY(!Read(content, &error));
        QVERIFY2(error.contains(expected), qPrintable(error));
    }

    // The first fault found is the one reported, and values read after it are harmless.
    void readerKeepsTheFirstFault() {
        QString error;
        JsonReader r{&error};
        const QJsonObject o{{"n", 12}, {"s", 5}, {"f", "yes"}, {"p", 2.25}};
        QCOMPARE(r.Integer(o, "n", "Игрок 3", 0, 10, true), qint64(0));
        QCOMPARE(error, QStringLiteral("Игрок 3: поле «n» должно быть целым числом от 0 до 10."));
        QCOMPARE(r.String(o, "s", "Игрок 4", true), QString());
        QVERIFY(r.failed);
        QVERIFY(error.startsWith(QStringLiteral("Игрок 3")));

        QString second;
        JsonReader fresh{&second};
        QCOMPARE(fresh.Integer(o, "absent", "X", 1, 5, false, 3), qint64(3));
        QCOMPARE(fresh.String(o, "absent", "X", false), QString());
        QVERIFY(!fresh.Flag(o, "absent", "X"));
        QVERIFY(!fresh.failed);
        fresh.Halves(o, "p"); // 2.25 is not a multiple of ½
        QVERIFY(second.contains(QStringLiteral("кратным ½")));
    }

    void readingAFile() {
        QTemporaryDir dir;
        QByteArray content;
        QVERIFY(!ReadTournamentFile(dir.filePath("нет.trn"), 100, &content).isEmpty());
        QCOMPARE(ReadTournamentFile(dir.path(), 100, &content), QStringLiteral("это не файл."));
        const QString path = dir.filePath(QStringLiteral("с пробелом.trn"));
        QCOMPARE(WriteFileAtomically(path, "12345"), QString());
        QVERIFY(ReadTournamentFile(path, 4, &content).contains(QStringLiteral("слишком велик")));
        QCOMPARE(ReadTournamentFile(path, 5, &content), QString());
        QCOMPARE(content, QByteArray("12345"));
#ifdef Q_OS_UNIX
        // A pipe would block the reader for ever.
        const QByteArray fifo = QFile::encodeName(dir.filePath("pipe"));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        QCOMPARE(ReadTournamentFile(QFile::decodeName(fifo), 100, &content),
                 QStringLiteral("это не файл."));
#endif
    }

    // A write that fails leaves the old file as it was and says which file and why.
    void atomicWriteKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("отчёт.csv"));
        QCOMPARE(WriteFileAtomically(path, "old"), QString());
        const QString error =
            WriteFileAtomically(path + QStringLiteral("/x"), "new", QStringLiteral("Нельзя: «%1»"));
        QVERIFY(error.startsWith(QStringLiteral("Нельзя: «%1/x»: ").arg(path)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
        // A "%2" in a file name is a name, not a place for the reason.
        QVERIFY(WriteFileAtomically(dir.filePath("%2/x"), "").contains(QStringLiteral("%2/x")));
    }

    void csv() {
        QCOMPARE(CsvField(QStringLiteral("=1+2")), QStringLiteral("'=1+2"));
        QCOMPARE(CsvField(QStringLiteral("@SUM")), QStringLiteral("'@SUM"));
        QCOMPARE(CsvField(QStringLiteral("-2,5")), QStringLiteral("-2,5")); // a number stays
        QCOMPARE(CsvField(QStringLiteral("a;b")), QStringLiteral("\"a;b\""));
        QCOMPARE(CsvField(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
        CsvWriter writer;
        writer.Row({QStringLiteral("Место"), QStringLiteral("+7 900")});
        writer.Row({QString(), QStringLiteral("x\ny")});
        QCOMPARE(writer.Bytes(), QByteArray("\xEF\xBB\xBF") +
                                     QStringLiteral("Место;'+7 900\r\n;\"x\ny\"\r\n").toUtf8());
    }

    void html() {
        QCOMPARE(HtmlEscape(QStringLiteral("<a href='x'>\"&\"</a>")),
                 QStringLiteral("&lt;a href=&#39;x&#39;&gt;&quot;&amp;&quot;&lt;/a&gt;"));
        const QString skin = SkinPageStart(QStringLiteral("<Кубок>"));
        QVERIFY(skin.contains(QStringLiteral("<title>&lt;Кубок&gt;</title>")));
        QVERIFY(skin.contains(QStringLiteral("<link rel=\"stylesheet\" href=\"style.css\">")));
        QVERIFY(skin.endsWith(QStringLiteral("<body>\n")));
        const QString alone = StandalonePageStart(QStringLiteral("Т"), QStringLiteral("p{}"));
        QVERIFY(alone.contains(QStringLiteral("<style>\np{}\n</style>")));
        QVERIFY(!alone.contains(QStringLiteral("style.css")));
    }

    void numbers() {
        QCOMPARE(DecimalText(10.25, 2), QStringLiteral("10,25"));
        QCOMPARE(DecimalText(2.5, 2), QStringLiteral("2,5"));
        QCOMPARE(DecimalText(3.0, 2), QStringLiteral("3"));
        QCOMPARE(DecimalText(-0.75, 2), QStringLiteral("−0,75"));
        QCOMPARE(PointsText(-3), QStringLiteral("−1½"));
        QCOMPARE(PointsDecimal(-3), QStringLiteral("-1,5"));
    }
};

QTEST_GUILESS_MAIN(TestKitFiles)
#include "tst_kitlib_files.moc"
