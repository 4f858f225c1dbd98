// Publishing beyond the hall, and the two dialogs of the live view.
#include "LiveTestSupport.h"

#include "ModalDriver.h"
#include "core/Profile.h"
#include "live/CLiveDlg.h"
#include "live/CPublishDlg.h"
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
#include <QCheckBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTcpServer>

using namespace LiveTest;

namespace {

// A system with two reports, as the publish dialog asks for them.
int32_t ReportsCount() { return 2; }
int32_t ReportsNames(char** names, int32_t count) {
    const char* all[] = {"Таблица", "Пары"};
    for (int32_t i = 0; i < count && i < 2; ++i)
        qstrncpy(names[i], all[i], VELMORA_NAME_SIZE);
    return count;
}
int32_t ReportExtension(char* extension, int32_t) {
    qstrncpy(extension, "html", VELMORA_EXTENSION_SIZE);
    return 1;
}
int32_t SaveReport(VelmoraTournament, int32_t index, const char* path) {
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::WriteOnly) && file.write("report " + QByteArray::number(index)) > 0;
}
SystemEntryTable TwoReports() {
    SystemEntryTable entries;
    entries.GetReportsCount = ReportsCount;
    entries.GetReportsNames = ReportsNames;
    entries.GetReportExtention = ReportExtension;
    entries.SaveReport = SaveReport;
    return entries;
}

// Stands in for ssh on the PATH: records how it was called and runs rsync's remote side
// here, as the server's sshd would; while a file "down" lies beside it, the server is
// unreachable.
constexpr char kFakeSsh[] = R"(#!/bin/sh
here=$(dirname "$0")
echo "$@" >> "$here/ssh.log"
if [ -e "$here/down" ]; then
    echo "ssh: connect to host tables.example port 22: Connection refused" >&2
    exit 255
fi
while [ $# -gt 0 ]; do
    case "$1" in
        -o|-l|-p|-i|-F) shift 2 ;;
        -*) shift ;;
        *) break ;;
    esac
done
shift
exec sh -c "$*"
)";

} // namespace

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

    // The way to a server, without a server: rsync's remote side runs through the stand-in
    // ssh. Only what changed goes, a failure is shown and retried, and nothing local is lost.
    void aServerGetsOnlyWhatChangedAndFailuresAreRetried() {
        if (QStandardPaths::findExecutable("rsync").isEmpty())
            QSKIP("rsync is not installed");
        Tournament t;
        QTemporaryDir bin;
        WriteFile(bin.filePath("ssh"), kFakeSsh);
        QVERIFY(QFile::setPermissions(bin.filePath("ssh"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        const auto restore = qScopeGuard([path] { qputenv("PATH", path); });
        const QString site = t.root.path() + "/server/www";
        QVERIFY(QDir().mkpath(t.root.path() + "/server")); // rsync makes the last folder only
        CPublisher publisher;
        publisher.SetDestination("club@tables.example:" + site);
        publisher.SetRetryInterval(300);
        publisher.SetReports({{1, "Клуб - Пары.html"}}, [](int index, const QString& to) {
            WriteFile(to, "report " + QByteArray::number(index));
        });

        QString status = PublishAndWait(publisher, t);
        QVERIFY2(status.startsWith("Таблица опубликована"), qPrintable(status));
        QStringList sent = publisher.LastSent();
        sent.sort();
        QCOMPARE(sent, QStringList({"img/logo.png", "style.css", "Клуб - Пары.html", "Клуб.htm"}));
        QCOMPARE(Read(site + "/Клуб.htm"), Read(t.page));
        QCOMPARE(Read(site + "/Клуб - Пары.html"), QByteArray("report 1"));
        QVERIFY(!QFile::exists(site + "/Клуб.trn"));
        const QByteArray log = Read(bin.filePath("ssh.log"));
        QVERIFY2(log.contains("BatchMode=yes") && log.contains("-l club tables.example") &&
                     log.contains("rsync --server"),
                 log.constData());

        // A result: the page alone goes; the report written again unchanged does not.
        t.WritePage("<p>Тур 2</p>");
        status = PublishAndWait(publisher, t);
        QVERIFY2(status.startsWith("Таблица опубликована"), qPrintable(status));
        QCOMPARE(publisher.LastSent(), QStringList({"Клуб.htm"}));
        QVERIFY(Read(site + "/Клуб.htm").contains("Тур 2"));

        // The server goes away: the reason is shown, the page and the tournament stay, what
        // the server had stays, and once it is back the retry sends the newest page.
        WriteFile(bin.filePath("down"), "");
        t.WritePage("<p>Тур 3</p>");
        const QByteArray page = Read(t.page), trn = Read(t.trn);
        status = PublishAndWait(publisher, t);
        QVERIFY2(status.startsWith("Публикация не удалась") && status.contains("Connection refused"),
                 qPrintable(status));
        QCOMPARE(Read(t.page), page);
        QCOMPARE(Read(t.trn), trn);
        QVERIFY(Read(site + "/Клуб.htm").contains("Тур 2"));
        QSignalSpy finished(&publisher, &CPublisher::finished);
        QVERIFY(finished.wait(5000)); // tried again on its own, still down
        QVERIFY(!finished.last().first().toBool());
        QVERIFY(QFile::remove(bin.filePath("down")));
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && finished.last().first().toBool(), 10000);
        QCOMPARE(Read(site + "/Клуб.htm"), page);
        QCOMPARE(publisher.LastSent(), QStringList({"Клуб.htm"}));
    }

    // "Опубликовать..." keeps each tournament's destination and reports: another tournament
    // is offered nothing of them and is not published, and the tournament opened again is
    // offered its own.
    void eachTournamentKeepsItsOwnPublishing() {
        Tournament a(QStringLiteral("Клуб")), b(QStringLiteral("Город"));
        CLiveService live;
        const int windowA = 0, windowB = 0, windowAAgain = 0;
        live.PageWritten(&windowA, "Клуб", a.page, a.skin);
        live.PageWritten(&windowB, "Город", b.page, b.skin);
        const QString site = a.root.path() + "/site";
        const SystemEntryTable entries = TwoReports();
        {
            ModalDriver driver([&](QDialog& dlg) {
                auto* publish = static_cast<CPublishDlg*>(&dlg);
                QVERIFY(!publish->m_checkOn->isChecked());
                QVERIFY(publish->m_editDestination->text().isEmpty());
                publish->m_checkOn->setChecked(true);
                publish->m_editDestination->setText(QDir::toNativeSeparators(site));
                publish->m_listReports->item(1)->setCheckState(Qt::Checked);
                dlg.accept();
            });
            CPublishDlg::Run(nullptr, &live, &windowA, entries, 0, a.trn);
            QVERIFY(driver.AllDone());
        }
        QVERIFY(live.Publisher(&windowA));
        QVERIFY(!live.Publisher(&windowB));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(site + "/Клуб.htm"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(Read(site + "/Клуб - Пары.html"), QByteArray("report 1"), 10000);
        // The other tournament changes: nothing of it is published.
        b.WritePage("<p>Тур 2</p>");
        live.PageWritten(&windowB, "Город", b.page, b.skin);
        QTest::qWait(300);
        QVERIFY(!QFile::exists(site + "/Город.htm"));
        {
            ModalDriver driver([&](QDialog& dlg) {
                auto* publish = static_cast<CPublishDlg*>(&dlg);
                QVERIFY(!publish->m_checkOn->isChecked());
                QVERIFY(publish->m_editDestination->text().isEmpty());
                QCOMPARE(publish->m_listReports->item(1)->checkState(), Qt::Unchecked);
                dlg.reject();
            });
            CPublishDlg::Run(nullptr, &live, &windowB, entries, 0, b.trn);
            QVERIFY(driver.AllDone());
        }
        // The window closes, and the tournament is opened again in another.
        live.TournamentClosed(&windowA);
        QVERIFY(!live.Publisher(&windowA));
        live.PageWritten(&windowAAgain, "Клуб", a.page, a.skin);
        QVERIFY(!live.Publisher(&windowAAgain)); // offered, not started behind the user's back
        {
            ModalDriver driver([&](QDialog& dlg) {
                auto* publish = static_cast<CPublishDlg*>(&dlg);
                QVERIFY(publish->m_checkOn->isChecked());
                QCOMPARE(QDir::fromNativeSeparators(publish->m_editDestination->text()), site);
                QCOMPARE(publish->m_listReports->item(0)->checkState(), Qt::Unchecked);
                QCOMPARE(publish->m_listReports->item(1)->checkState(), Qt::Checked);
                // Turned off now: remembered so, destination kept.
                publish->m_checkOn->setChecked(false);
                dlg.accept();
            });
            CPublishDlg::Run(nullptr, &live, &windowAAgain, entries, 0, a.trn);
            QVERIFY(driver.AllDone());
        }
        QVERIFY(!live.Publisher(&windowAAgain));
        const Profile::PublishChoice kept = Profile::RememberedPublishing(a.trn);
        QVERIFY(!kept.on);
        QCOMPARE(kept.destination, site);
        QCOMPARE(kept.reports, QList<int>({1}));
        QCOMPARE(Profile::RememberedPublishing(b.trn), Profile::PublishChoice());
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
