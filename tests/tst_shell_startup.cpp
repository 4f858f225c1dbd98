// Start-up of the application object: the installer switches, the command line, the program
// folder and its setting, the recent-file list, the component check and the translations.
#include "support/TestSupport.h"

#include "app/CCommandLineInfo.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/CVelmoraApp.h"
#include "core/Prompts.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CVelmoraDoc.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QSettings Profile() {
    return QSettings(QStringLiteral("Harrowfield Soft"), QStringLiteral("Velmora"));
}

// Restores the current folder, which start-up and the switches may change.
struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};

} // namespace

class TestShellStartup : public QObject {
    Q_OBJECT
private:
    QList<CVelmoraApp::ProcessRequest> m_started;
    QStringList m_opened;

    std::unique_ptr<CVelmoraApp> Start(const QStringList& arguments, const QString& current,
                                       const QString& executableFolder, bool* ok) {
        QDir::setCurrent(current);
        auto app = std::make_unique<CVelmoraApp>();
        app->SetExecutableFolder(executableFolder);
        *ok = app->InitInstance(arguments);
        return app;
    }

private slots:
    void initTestCase() { UseTestEnvironment(); }

    void init() {
        Prompts::ClearAsked();
        Profile().clear();
        m_started.clear();
        m_opened.clear();
        CVelmoraApp::s_processStarter = [this](const CVelmoraApp::ProcessRequest& request) {
            m_started.append(request);
        };
        CVelmoraApp::s_shellOpener = [this](const QString& path) -> CVelmoraDoc* {
            m_opened.append(path);
            return nullptr;
        };
    }

    void cleanup() {
        CVelmoraApp::s_processStarter = nullptr;
        CVelmoraApp::s_shellOpener = nullptr;
    }

    void commandLineParser_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("files");
        using C = CCommandLineInfo;
        QTest::newRow("nothing") << QStringList{} << int(C::FileNew) << QStringList{};
        QTest::newRow("a file") << QStringList{"a.trn"} << int(C::FileOpen) << QStringList{"a.trn"};
        QTest::newRow("an absolute path is no switch")
            << QStringList{"/home/u/dde"} << int(C::FileOpen) << QStringList{"/home/u/dde"};
        QTest::newRow("a path named like a switch")
            << QStringList{"/p/cup.trn"} << int(C::FileOpen) << QStringList{"/p/cup.trn"};
        QTest::newRow("files") << QStringList{"a.trn", "/tmp/Кубок мира.trn"} << int(C::FileOpen)
                               << QStringList{"a.trn", "/tmp/Кубок мира.trn"};
        QTest::newRow("dde with files") << QStringList{"/dde", "a.trn", "/tmp/b c.trn"}
                                        << int(C::FileDDE) << QStringList{"a.trn", "/tmp/b c.trn"};
        QTest::newRow("dash switch") << QStringList{"-DDE"} << int(C::FileDDE) << QStringList{};
        QTest::newRow("print") << QStringList{"/P", "a.trn"} << int(C::FilePrint)
                               << QStringList{"a.trn"};
        QTest::newRow("regserver")
            << QStringList{"/regserver"} << int(C::AppRegister) << QStringList{};
        QTest::newRow("unregserver")
            << QStringList{"/UnregServer"} << int(C::AppUnregister) << QStringList{};
        QTest::newRow("unknown switch")
            << QStringList{"/nosuch"} << int(C::FileOpen) << QStringList{"/nosuch"};
        QTest::newRow("unknown dash switch")
            << QStringList{"-nosuch"} << int(C::FileNew) << QStringList{};
        // Known, so never taken for a document, and they change nothing.
        QTest::newRow("embedding is no document")
            << QStringList{"/Embedding", "a.trn"} << int(C::FileOpen) << QStringList{"a.trn"};
        QTest::newRow("automation alone")
            << QStringList{"/automation"} << int(C::FileNew) << QStringList{};
    }

    void commandLineParser() {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(QStringList, files);
        const CCommandLineInfo info(arguments);
        QCOMPARE(int(info.m_nShellCommand), command);
        QCOMPARE(info.m_files, files);
    }

    void printToNamesOneDocument() {
        const CCommandLineInfo info({"/pt", "a.trn", "Printer", "Driver", "Port"});
        QCOMPARE(int(info.m_nShellCommand), int(CCommandLineInfo::FilePrintTo));
        QCOMPARE(info.m_files, QStringList({"a.trn"}));
        QVERIFY(info.IsShellStart());
    }

    // The web engine's sandbox is switched off only for a program running as root.
    void sandboxOnlyForRoot() {
        const QByteArray saved = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
        qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        CVelmoraApp::PrepareProcess();
        const bool set = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
        if (!saved.isNull())
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", saved);
        QCOMPARE(set, geteuid() == 0);
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
    }

    void installerSwitches_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("handled");
        QTest::newRow("uninstall") << QStringList{"/uninstall"} << true;
        QTest::newRow("uninstall in capitals") << QStringList{"/UNINSTALL"} << false;
        QTest::newRow("uninstall mixed case") << QStringList{"/Uninstall"} << false;
        QTest::newRow("uninstall and more") << QStringList{"/uninstall", "now"} << false;
        QTest::newRow("uninstall with a blank") << QStringList{"/uninstall "} << false;
        QTest::newRow("uninstall after a file") << QStringList{"cup.trn", "/uninstall"} << false;
        QTest::newRow("kit in capitals") << QStringList{"/INSTALLMSAARDK"} << false;
        QTest::newRow("kit and more") << QStringList{"/InstallMSAARDK", "/S"} << false;
    }

    // Only the exact, whole command line is a switch; anything else starts the program.
    void installerSwitches() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, handled);
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        bool ok = false;
        auto app = Start(arguments, folder.Root(), folder.Root(), &ok);
        QCOMPARE(ok, !handled);
        if (handled) {
            QVERIFY(!app->GetMainFrame());
            QVERIFY(!app->m_pCatalogue);
            QCOMPARE(m_started.size(), 1);
            QCOMPARE(m_started[0].program, QStringLiteral("msiexec.exe"));
            QCOMPARE(m_started[0].arguments,
                     (QStringList{"/x", "{6F1B2C84-3D5A-4E97-A0C2-8B7D9E15F342}"}));
            QVERIFY(!m_started[0].wait);
            QVERIFY(!Profile().contains("Settings/Path"));
        } else {
            QVERIFY(m_started.isEmpty());
            QVERIFY(app->GetMainFrame() && app->GetMainFrame()->isVisible());
            QCOMPARE(app->m_pCatalogue->GetCount(), 1);
            // Nothing named on the command line is opened.
            QVERIFY(m_opened.isEmpty());
            QCOMPARE(app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
        }
    }

    void accessibilityKit() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        const QString setup = folder.Write("MSAA20RDK/setupmsaa.exe", "#!/bin/sh\n");
        bool ok = true;
        auto app = Start({"/InstallMSAARDK"}, folder.Root(), folder.Root(), &ok);
        QVERIFY(!ok);
        QVERIFY(!app->GetMainFrame());
        QCOMPARE(m_started.size(), 1);
        QCOMPARE(m_started[0].program, QFileInfo(setup).absoluteFilePath());
        QCOMPARE(m_started[0].arguments, QStringList{"/S"});
        QVERIFY(m_started[0].wait);
        // The kit's folder is left current; the process ends anyway.
        QCOMPARE(QDir::current().dirName(), QStringLiteral("MSAA20RDK"));
    }

    void accessibilityKitFolderMissing() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        bool ok = true;
        auto app = Start({"/InstallMSAARDK"}, folder.Root(), folder.Root(), &ok);
        QVERIFY(!ok);
        QVERIFY(!app->GetMainFrame());
        QVERIFY(m_started.isEmpty());
        QVERIFY(Prompts::Asked().isEmpty());
    }

    // Without a test's starter the named programs are really started; where they do not
    // exist nothing is reported and the process just ends.
    void installerProgramsMissingFailSilently() {
        CurrentFolderGuard guard;
        CVelmoraApp::s_processStarter = nullptr;
        ProbeFolder folder;
        folder.Write("MSAA20RDK/readme.txt", "kit\n");
        for (const QString& sw :
             {QStringLiteral("/uninstall"), QStringLiteral("/InstallMSAARDK")}) {
            QDir::setCurrent(folder.Root());
            bool ok = true;
            auto app = Start({sw}, folder.Root(), folder.Root(), &ok);
            QVERIFY(!ok);
            QVERIFY(!app->GetMainFrame());
        }
        QVERIFY(Prompts::Asked().isEmpty());
    }

    // An ordinary start from the program folder records it; the help set is looked for there;
    // the window is maximised and holds no tournament.
    void ordinaryStart() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        QTemporaryDir elsewhere;
        bool ok = false;
        auto app = Start({}, folder.Root(), elsewhere.path(), &ok);
        QVERIFY(ok);
        QCOMPARE(app->m_strProgramFolder, folder.Root());
        QCOMPARE(Profile().value("Settings/Path").toString(), folder.Root());
        QCOMPARE(app->m_strHelpPath, folder.Root() + "/help");
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
        CMainFrame* frame = app->GetMainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->windowState() & Qt::WindowMaximized);
        QCOMPARE(frame->windowTitle(), QStringLiteral("Velmora"));
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 0);
        QCOMPARE(frame->CurrentMenu(), MenuResource::NoTournament);
        QCOMPARE(GetCurrentFolderForTest(), folder.Root());
    }

    // A desktop starts programs in the home folder: the executable's folder is then the
    // program folder, and that is what the setting records.
    void ordinaryStartOutsideProgramFolder() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        QTemporaryDir home;
        bool ok = false;
        auto app = Start({}, home.path(), folder.Root(), &ok);
        QVERIFY(ok);
        QCOMPARE(app->m_strProgramFolder, folder.Root());
        QCOMPARE(Profile().value("Settings/Path").toString(), folder.Root());
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
    }

    void shellStartReadsSetting_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("dde") << QStringList{"/dde"};
        QTest::newRow("dde in capitals") << QStringList{"/DDE"};
        QTest::newRow("a path alone") << QStringList{"cup.trn"};
        QTest::newRow("an absolute path") << QStringList{"/tmp/Кубок мира.trn"};
        QTest::newRow("print") << QStringList{"/p", "cup.trn"};
        QTest::newRow("print to") << QStringList{"/pt", "cup.trn", "printer", "driver", "port"};
        QTest::newRow("register") << QStringList{"/register"};
        QTest::newRow("unregister") << QStringList{"-unregister"};
    }

    // A start by the desktop or for a document, from another folder, takes the program folder
    // from the setting and leaves the setting alone. Named files are opened (after start-up);
    // printing opens nothing.
    void shellStartReadsSetting() {
        QFETCH(QStringList, arguments);
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        Profile().setValue("Settings/Path", folder.Root());
        QTemporaryDir other;
        QDir(other.path()).mkpath("Systems"); // a folder that looks like a program's, yet is not
        QTemporaryDir executable;
        bool ok = false;
        auto app = Start(arguments, other.path(), executable.path(), &ok);
        QVERIFY(ok);
        QCOMPARE(app->m_strProgramFolder, folder.Root());
        QCOMPARE(app->m_strHelpPath, folder.Root() + "/help");
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
        QCOMPARE(Profile().value("Settings/Path").toString(), folder.Root());
        QVERIFY(m_opened.isEmpty());
        QCoreApplication::processEvents();
        if (CCommandLineInfo(arguments).OpensFiles())
            QCOMPARE(m_opened.size(), 1);
        else
            QVERIFY(m_opened.isEmpty());
        QCOMPARE(app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
    }

    // Before any ordinary start there is no setting: the folder is found as an ordinary start
    // would find it, so that a first start by the desktop still finds the systems.
    void shellStartWithoutSetting() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        QTemporaryDir home;
        bool ok = false;
        auto app = Start({"/dde"}, home.path(), folder.Root(), &ok);
        QVERIFY(ok);
        QCOMPARE(app->m_strProgramFolder, folder.Root());
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
        QVERIFY(!Profile().contains("Settings/Path"));
    }

    // A setting left by a program folder that is gone is not followed into nowhere.
    void shellStartWithStaleSetting() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        QString gone;
        {
            QTemporaryDir removed;
            gone = removed.path();
        }
        Profile().setValue("Settings/Path", gone);
        QTemporaryDir home;
        bool ok = false;
        auto app = Start({"/dde"}, home.path(), folder.Root(), &ok);
        QVERIFY(ok);
        QCOMPARE(app->m_strProgramFolder, folder.Root());
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
        QCOMPARE(Profile().value("Settings/Path").toString(), gone); // left as it was
    }

    // Messages about libraries that cannot be loaded come before the main window is shown.
    void catalogueMessagesBeforeWindow() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        folder.AddSystem("Probe", "probe", {"Plain"});
        folder.Write("Systems/Broken/broken.so", "not a library");
        QDir().mkpath(folder.Path("Systems/Broken/Plain"));
        QList<bool> visibleWhenAsked;
        Prompts::SetObserver([&](const Prompts::Record&) {
            CVelmoraApp* app = theApp();
            visibleWhenAsked.append(app && app->GetMainFrame() && app->GetMainFrame()->isVisible());
        });
        bool ok = false;
        auto app = Start({}, folder.Root(), folder.Root(), &ok);
        Prompts::SetObserver(nullptr);
        QVERIFY(ok);
        QCOMPARE(visibleWhenAsked, QList<bool>{false});
        QCOMPARE(app->m_pCatalogue->GetCount(), 1);
        QVERIFY(app->GetMainFrame()->isVisible());
    }

    // The web engine's helper program is what the tournament windows need; without it the
    // program says so and ends.
    void componentServicesMissing() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        const QByteArray saved = qgetenv("QTWEBENGINEPROCESS_PATH");
        qputenv("QTWEBENGINEPROCESS_PATH", QFile::encodeName(folder.Path("no-such-program")));
        bool ok = true;
        auto app = Start({}, folder.Root(), folder.Root(), &ok);
        if (saved.isEmpty())
            qunsetenv("QTWEBENGINEPROCESS_PATH");
        else
            qputenv("QTWEBENGINEPROCESS_PATH", saved);
        QVERIFY(!ok);
        QVERIFY(!app->GetMainFrame());
        QCOMPARE(Prompts::Asked().size(), 1);
        const Prompts::MessageRequest& message = Prompts::Asked()[0].message;
        QVERIFY(!message.hadOwner);
        QCOMPARE(message.caption, QStringLiteral("Velmora"));
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!message.text.isEmpty());
    }

    // The list is read at start, keeps the last six of seven with the newest first, and is
    // written back at exit.
    void recentFileList() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        {
            QSettings profile = Profile();
            profile.setValue("Recent File List/File1", folder.Path("old1.trn"));
            profile.setValue("Recent File List/File2", folder.Path("old2.trn"));
        }
        bool ok = false;
        auto app = Start({}, folder.Root(), folder.Root(), &ok);
        QVERIFY(ok);
        CRecentFileList* list = app->GetRecentFileList();
        QCOMPARE(list->Files(), (QStringList{folder.Path("old1.trn"), folder.Path("old2.trn")}));
        QStringList expected;
        for (int i = 1; i <= 7; ++i) {
            const QString path = folder.Path(QStringLiteral("Чемпионат %1.trn").arg(i));
            app->AddToRecentFileList(path);
            expected.prepend(path);
        }
        expected = expected.mid(0, 6);
        QCOMPARE(list->Files(), expected);
        // Opening one again moves it up instead of listing it twice.
        app->AddToRecentFileList(folder.Path("Чемпионат 4.trn"));
        expected.removeAll(folder.Path("Чемпионат 4.trn"));
        expected.prepend(folder.Path("Чемпионат 4.trn"));
        QCOMPARE(list->Files(), expected);

        // Not written before exit.
        QCOMPARE(Profile().value("Recent File List/File1").toString(), folder.Path("old1.trn"));
        app->ExitInstance();
        QSettings profile = Profile();
        for (int i = 0; i < 6; ++i)
            QCOMPARE(profile.value(QStringLiteral("Recent File List/File%1").arg(i + 1)).toString(),
                     expected[i]);
        QVERIFY(!profile.contains("Recent File List/File7"));
    }

    void standardButtonsInRussian() {
        CurrentFolderGuard guard;
        ProbeFolder folder;
        bool ok = false;
        auto app = Start({}, folder.Root(), folder.Root(), &ok);
        QVERIFY(ok);
        QMessageBox box(QMessageBox::Question, "Velmora", "?",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto text = [&](QMessageBox::StandardButton button) {
            return box.button(button)->text().remove(u'&');
        };
        QCOMPARE(text(QMessageBox::Yes), QStringLiteral("Да"));
        QCOMPARE(text(QMessageBox::No), QStringLiteral("Нет"));
        QCOMPARE(text(QMessageBox::Cancel), QStringLiteral("Отмена"));
    }

private:
    static QString GetCurrentFolderForTest() { return QDir::cleanPath(QDir::currentPath()); }
};

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestShellStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell_startup.moc"
