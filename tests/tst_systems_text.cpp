// Text coming back from a plug-in: terminated, decoded leniently, bounded.
#include "systems/HostText.h"
#include "core/NaturalOrder.h"
#include "velmora_system.h"

#include <QTest>

#include <climits>
#include <cstring>

class TestHostText : public QObject {
    Q_OBJECT
private slots:
    void unterminatedBufferIsCutAtItsEnd() {
        char buffer[VELMORA_NAME_SIZE];
        std::memset(buffer, 'x', sizeof buffer);
        QCOMPARE(TextFromBuffer(buffer, sizeof buffer), QString(VELMORA_NAME_SIZE - 1, 'x'));
    }

    void invalidUtf8ShowsReplacementCharacters() {
        char buffer[16] = "ab\xff\xfe"
                          "c";
        const QString text = TextFromBuffer(buffer, sizeof buffer);
        QVERIFY(text.startsWith("ab"));
        QVERIFY(text.endsWith("c"));
        QVERIFY(text.contains(QChar(0xFFFD)));
        char cyrillic[16] = "Кубок";
        QCOMPARE(TextFromBuffer(cyrillic, sizeof cyrillic), QString("Кубок"));
        QCOMPARE(TextFromBuffer(nullptr, 10), QString());
    }

    void bufferArrayBoundsTheCount() {
        QCOMPARE(TextBufferArray(0).Count(), 0);
        QCOMPARE(TextBufferArray(-5).Count(), 0);
        QCOMPARE(TextBufferArray(INT_MAX).Count(), 0);
        QCOMPARE(TextBufferArray(TextBufferArray::kMaxCount + 1).Count(), 0);
        TextBufferArray three(3);
        QCOMPARE(three.Count(), 3);
        QCOMPARE(three.Texts(), QStringList({"", "", ""}));
        std::strcpy(three.Pointers()[1], "second");
        std::memset(three.Pointers()[2], 'z', VELMORA_NAME_SIZE);
        three.Pointers()[0] = nullptr; // a plug-in scribbling over the array itself
        QCOMPARE(three.Text(1), QString("second"));
        QCOMPARE(three.Text(2), QString(VELMORA_NAME_SIZE - 1, 'z'));
        QCOMPARE(three.Text(0), QString());
        QCOMPARE(three.Text(3), QString());
    }

    // The order of every sorted list: numbers by value, letters without regard to case.
    void naturalOrder_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("rounds") << "2 тур" << "10 тур" << -1;
        QTest::newRow("boards") << "доска 10" << "доска 2" << 1;
        QTest::newRow("inner number") << "5 тур, доска 3: А" << "5 тур, доска 12: А" << -1;
        QTest::newRow("case") << "Бета" << "бета" << 0;
        QTest::newRow("case, then number") << "ТУР 9" << "тур 10" << -1;
        QTest::newRow("leading zeros equal") << "тур 02" << "тур 2" << 0;
        QTest::newRow("zero") << "0" << "00" << 0;
        QTest::newRow("prefix") << "тур" << "тур 1" << -1;
        QTest::newRow("digit before letter") << "1" << "a" << -1;
        QTest::newRow("beyond 64 bits") << "99999999999999999999" << "100000000000000000000" << -1;
        QTest::newRow("empty") << "" << "a" << -1;
    }
    void naturalOrder() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(NaturalCompare(a, b), order);
        QCOMPARE(NaturalCompare(b, a), -order);
    }
};

QTEST_APPLESS_MAIN(TestHostText)
#include "tst_systems_text.moc"
