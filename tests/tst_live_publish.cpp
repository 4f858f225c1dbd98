// Publishing beyond the hall, and the two dialogs of the live view.
#include "LiveTestSupport.h"

#include "live/CLiveDlg.h"
#include "live/CLiveService.h"
#include "live/CPublisher.h"
#include "live/QrCode.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>

using namespace LiveTest;

class TestLivePublish : public QObject {
    Q_OBJECT

    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Publishes and waits for the end; the status line it left.
    static QString PublishAndWait(CPublisher& publisher, const Tournament& t) {
        QSignalSpy status(&publisher, &CPublisher::statusChanged);
        publisher.Publish(t.page, t.skin);
        if (!status.wait(10000))
            return {};
        return status.last().first().toString();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aFolderGetsThePageSkinAndReportsThenOnlyWhatChanged() {
        Tournament t;
        const QString site = t.root.path() + "/site";
        CPublisher publisher;
        publisher.SetDestination(site);
        int written = 0;
        publisher.SetReports({{0, "Клуб - Таблица.html"}}, [&](int index, const QString& path) {
            ++written;
            WriteFile(path, "report " + QByteArray::number(index));
        });
        QVERIFY(PublishAndWait(publisher, t).startsWith("Таблица опубликована"));
        QStringList sent = publisher.LastSent();
        sent.sort();
        QCOMPARE(sent, QStringList({"img/logo.png", "style.css", "Клуб - Таблица.html", "Клуб.htm"}));
        QCOMPARE(Read(site + "/Клуб.htm"), Read(t.page));
        QVERIFY(!QFile::exists(site + "/Клуб.trn"));
        QVERIFY(!QFile::exists(site + "/link.css"));

        t.WritePage("<p>Тур 2</p>");
        QVERIFY(PublishAndWait(publisher, t).startsWith("Таблица опубликована"));
        QCOMPARE(publisher.LastSent(), QStringList({"Клуб.htm"}));
        QVERIFY(Read(site + "/Клуб.htm").contains("Тур 2"));
        QCOMPARE(written, 2);
    }

    void aFailureIsShownRetriedAndLosesNothing() {
        Tournament t;
        const QString blocked = t.root.path() + "/site";
        WriteFile(blocked, "a file where the folder should be");
        CPublisher publisher;
        publisher.SetDestination(blocked + "/inner");
        publisher.SetRetryInterval(200);
        const QByteArray page = Read(t.page);
        const QString status = PublishAndWait(publisher, t);
        QVERIFY2(status.startsWith("Публикация не удалась"), qPrintable(status));
        QCOMPARE(Read(t.page), page);
        QVERIFY(QFile::exists(t.trn));
        // Once the way is clear, the retry gets through without another change.
        QFile::remove(blocked);
        QSignalSpy finished(&publisher, &CPublisher::finished);
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && finished.last().first().toBool(), 10000);
        QCOMPARE(Read(blocked + "/inner/Клуб.htm"), page);
    }

    void remoteDestinationsAreTellFromFolders() {
        QVERIFY(CPublisher::IsRemote("club@example.org:/var/www/tables"));
        QVERIFY(CPublisher::IsRemote("webhost:tables"));
        QVERIFY(!CPublisher::IsRemote("/media/share/tables"));
        QVERIFY(!CPublisher::IsRemote("C:/Users/club/tables"));
    }

    void theDialogStartsShowsTheAddressAndCodeAndStops() {
        CLiveService live;
        QTcpServer busy; // the remembered port is taken: the dialog says so and keeps going
        QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
        const quint16 port = busy.serverPort();
        CLiveDlg dlg(&live);
        dlg.m_spinPort->setValue(port);
        dlg.m_radioLocal->setChecked(true);
        dlg.OnToggle();
        QVERIFY(!live.IsRunning());
        QVERIFY(dlg.m_staticState->text().contains(QString::number(port)));

        busy.close();
        dlg.OnToggle();
        QVERIFY(live.IsRunning());
        QCOMPARE(dlg.m_listAddresses->count(), 1);
        QCOMPARE(dlg.m_listAddresses->item(0)->text(),
                 QStringLiteral("http://127.0.0.1:%1/").arg(port));
        QVERIFY(!dlg.m_staticQrCode->pixmap().isNull());
        QVERIFY(!dlg.m_spinPort->isEnabled());
        QCOMPARE(QSettings("Harrowfield Soft", "Velmora").value("Live/Port").toInt(),
                 int(port));
        // For looking at: VELMORA_SCREENSHOTS names a folder to leave the picture in.
        if (const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
            dlg.m_listAddresses->item(0)->setText("http://192.168.1.20:8080/");
            dlg.m_listAddresses->setCurrentRow(-1);
            dlg.m_listAddresses->setCurrentRow(0);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.grab().save(folder + "/live-dialog.png");
        }
        dlg.OnToggle();
        QVERIFY(!live.IsRunning());
        QVERIFY(dlg.m_staticQrCode->pixmap().isNull());
    }

    void theCodeHasItsQuietZone() {
        const QImage code = QrCodeImage("http://192.168.1.20:8080/", 2);
        QVERIFY(!code.isNull());
        QCOMPARE(code.width(), code.height());
        QCOMPARE(QColor(code.pixel(7, 7)), QColor(Qt::white));  // inside the quiet zone
        QCOMPARE(QColor(code.pixel(8, 8)), QColor(Qt::black));  // the finder pattern's corner
    }
};

QTEST_MAIN(TestLivePublish)
#include "tst_live_publish.moc"
