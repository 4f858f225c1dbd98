// The desktop's side: the desktop entry and MIME type ensured at start-up, files named with
// "/dde" opened after start-up, and files handed to a program that already runs.
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

#include "app/CInstanceChannel.h"
#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "app/ShellIntegration.h"
#include "core/Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Program() {
    return QStringLiteral(VELMORA_BIN_DIR "/velmora");
}

} // namespace

class TestShellHandover : public QObject {
    Q_OBJECT
private:
    QStringList m_opened;
    ProbeFolder* m_pFolder = nullptr;

    std::unique_ptr<CVelmoraApp> Start(const QStringList& arguments, bool* ok) {
        QDir::setCurrent(m_pFolder->Root());
        auto app = std::make_unique<CVelmoraApp>();
        app->SetExecutableFolder(m_pFolder->Root());
        *ok = app->InitInstance(arguments);
        return app;
    }

private slots:
    void initTestCase() { UseTestEnvironment(); }

    void init() {
        QSettings("Harrowfield Soft", "Velmora").clear();
        Prompts::ClearAsked();
        m_opened.clear();
        CVelmoraApp::s_shellOpener = [this](const QString& path) -> CVelmoraDoc* {
            m_opened.append(path);
            return nullptr;
        };
        m_pFolder = new ProbeFolder;
        m_pFolder->AddSystem("Probe", "probe", {"Plain"});
    }

    void cleanup() {
        CVelmoraApp::s_shellOpener = nullptr;
        QDir::setCurrent(QDir::tempPath());
        delete m_pFolder;
    }

    // Start-up makes sure the desktop knows the program and ".trn" files, in the user's data
    // folder (here a test's own), and writes nothing when all is in place already.
    void desktopEntryAndMimeType() {
        const QString home = ShellIntegration::DataHome();
        QVERIFY(home.startsWith(QDir::tempPath()) || home.contains("tmp"));
        QDir(home).removeRecursively();
        bool ok = false;
        {
            auto app = Start({}, &ok);
            QVERIFY(ok);
        }
        const QString entry = QString::fromUtf8(ReadAll(home + "/applications/velmora.desktop"));
        const QString exec = QCoreApplication::applicationFilePath();
        QVERIFY2(entry.contains("\nExec=\"" + exec + "\" /dde %F\n"), qPrintable(entry));
        QVERIFY(entry.contains("\nMimeType=application/x-velmora-tournament;\n"));
        QVERIFY(entry.contains("\nIcon=velmora\n"));
        const QString mime = QString::fromUtf8(ReadAll(home + "/mime/packages/velmora.xml"));
        QVERIFY(mime.contains("<mime-type type=\"application/x-velmora-tournament\">"));
        QVERIFY(mime.contains("<glob pattern=\"*.trn\"/>"));
        QVERIFY(mime.contains("Чемпионат Velmora"));
        for (const QString& icon : {QStringLiteral("/icons/hicolor/48x48/apps/velmora.png"),
                                    QStringLiteral("/icons/hicolor/256x256/mimetypes/"
                                                   "application-x-velmora-tournament.png")}) {
            QImage image(home + icon);
            QVERIFY2(!image.isNull(), qPrintable(icon));
        }
        QVERIFY(!ShellIntegration::EnsureRegistered(exec));
        // A program moved elsewhere, to a path with a blank and a quote, is written anew.
        const QString moved = QDir::tempPath() + "/Мои программы/\"velmora\" 100%";
        QVERIFY(ShellIntegration::EnsureRegistered(moved));
        QVERIFY(ReadAll(home + "/applications/velmora.desktop")
                    .contains("Exec=\"" + QDir::tempPath().toUtf8() +
                              "/Мои программы/\\\\\"velmora\\\\\" 100%%\" /dde %F\n"));
    }

    // "/dde" with files: each is opened once start-up is over, one at a time, in order.
    void ddeFilesOpenedAfterStartup() {
        const QStringList files{m_pFolder->Path("Кубок мира.trn"), m_pFolder->Path("b.trn")};
        bool ok = false;
        auto app = Start({"/dde", files[0], "b.trn"}, &ok);
        QVERIFY(ok);
        QVERIFY(m_opened.isEmpty()); // not during start-up
        QTRY_COMPARE(m_opened, files);
        QCOMPARE(app->m_strProgramFolder, m_pFolder->Root());
    }

    // A second start for files hands them to the program that runs, and ends.
    void secondStartHandsFilesOver() {
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        QVERIFY(app->GetInstanceChannel()->IsListening());
        const QStringList files{m_pFolder->Path("Чемпионат города.trn"),
                                m_pFolder->Path("second  two blanks.trn")};
        QProcess second;
        second.setWorkingDirectory(QDir::tempPath());
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(Program(), {"/dde", files[0], files[1]});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(m_opened, files, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // The running program keeps its own folder; the second start changed no setting.
        QCOMPARE(QSettings("Harrowfield Soft", "Velmora").value("Settings/Path").toString(),
                 m_pFolder->Root());
    }

    // Files that arrive while a dialog runs wait until it is closed, then open in order.
    void filesWaitForOpenDialog() {
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        const QStringList files{m_pFolder->Path("a.trn"), m_pFolder->Path("b.trn")};
        QDialog dialog(app->GetMainFrame());
        QStringList openedDuringDialog{"not run"};
        ModalDriver driver;
        driver.On<QDialog>([&](QDialog* shown) {
            app->OpenHandedOverFiles(files);
            QTest::qWait(600); // several retries
            openedDuringDialog = m_opened;
            shown->reject();
        });
        dialog.exec();
        QCOMPARE(openedDuringDialog, QStringList{});
        QTRY_COMPARE(m_opened, files);
    }

    // Relative names are resolved in the folder of the start that named them.
    void relativeNamesResolvedBySender() {
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        QTemporaryDir other;
        QProcess second;
        second.setWorkingDirectory(other.path());
        second.start(Program(), {"/dde", "relative.trn"});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(m_opened, QStringList{other.path() + "/relative.trn"}, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    }

    // The program itself: an ordinary start shows its window and records its folder; the
    // uninstall switch ends at once, silently, where the installer does not exist.
    void theProgramItself() {
        QProcess start;
        start.setWorkingDirectory(m_pFolder->Root());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMORA_REPORT_STARTUP", "1");
        start.setProcessEnvironment(environment);
        start.start(Program(), {});
        QVERIFY(start.waitForFinished(30000));
        QCOMPARE(start.exitCode(), 0);
        QVERIFY(start.readAllStandardOutput().contains("main window shown"));
        QSettings written(qEnvironmentVariable("XDG_CONFIG_HOME") +
                              "/Harrowfield Soft/Velmora.conf",
                          QSettings::IniFormat);
        QCOMPARE(written.value("Settings/Path").toString(), m_pFolder->Root());

        QProcess uninstall;
        uninstall.setWorkingDirectory(m_pFolder->Root());
        uninstall.setProcessEnvironment(environment);
        uninstall.start(Program(), {"/uninstall"});
        QVERIFY(uninstall.waitForFinished(30000));
        QCOMPARE(uninstall.exitCode(), 0);
        QCOMPARE(uninstall.readAllStandardOutput(), QByteArray());
    }

    // A sender that never ends its list is cut off; the program goes on taking hand-overs.
    void endlessHandOverIsCutOff() {
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        QLocalSocket flood;
        flood.connectToServer(CInstanceChannel::ServerName());
        QVERIFY(flood.waitForConnected(3000));
        const QByteArray chunk(64 * 1024, 'a');
        for (int k = 0; k < 40 && flood.state() == QLocalSocket::ConnectedState; ++k) {
            flood.write(chunk);
            flood.waitForBytesWritten(1000);
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE_WITH_TIMEOUT(flood.state(), QLocalSocket::UnconnectedState, 10000);
        QVERIFY(m_opened.isEmpty());

        const QString file = m_pFolder->Path("after.trn");
        QLocalSocket sender;
        sender.connectToServer(CInstanceChannel::ServerName());
        QVERIFY(sender.waitForConnected(3000));
        sender.write(file.toUtf8() + "\n\n");
        QTRY_COMPARE_WITH_TIMEOUT(m_opened, QStringList{file}, 10000);
    }

    // A socket left by a program that ended abnormally does not stop the next one.
    void staleSocketTakenOver() {
        {
            QLocalServer stale;
            stale.listen(CInstanceChannel::ServerName());
            // leaves a socket file behind only where the platform uses files; either way the
            // name is now free
        }
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        QVERIFY(app->GetInstanceChannel()->IsListening());
    }

    // Files named without a switch, as a terminal or a script names them, are opened as
    // "/dde" opens them: after start-up, relative names in the starting folder.
    void bareFilesAreOpened() {
        bool ok = false;
        auto app = Start({m_pFolder->Path("a.trn"), "Кубок мира.trn"}, &ok);
        QVERIFY(ok);
        QTRY_COMPARE(m_opened,
                     QStringList({m_pFolder->Path("a.trn"), m_pFolder->Path("Кубок мира.trn")}));
        QCOMPARE(app->m_strProgramFolder, m_pFolder->Root());
    }

    // ...and handed to a program that runs already, which opens them; the second start ends.
    void bareFilesAreHandedOver() {
        bool ok = false;
        auto app = Start({}, &ok);
        QVERIFY(ok);
        QProcess second;
        second.setWorkingDirectory(m_pFolder->Root());
        second.start(Program(), {"Cup.trn"});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(m_opened, QStringList{m_pFolder->Path("Cup.trn")}, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.exitCode(), 0);
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestShellHandover test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell_handover.moc"
