// Text coming back from a plug-in: terminated, decoded leniently, bounded.
#include "systems/HostText.h"
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
};

QTEST_APPLESS_MAIN(TestHostText)
#include "tst_systems_text.moc"
