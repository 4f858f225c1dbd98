#include "CVelmoraApp.h"

#include "app/CAboutDlg.h"
#include "app/CCommandLineInfo.h"
#include "app/CHelpWindow.h"
#include "app/CInstanceChannel.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/ShellIntegration.h"
#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "core/Settings.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CDocTemplate.h"
#include "wizard/COpenTournamentWizard.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <csignal>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace {

CVelmoraApp* g_app = nullptr;

// The product code of the program's own installer package, for "/uninstall".
const char* const kProductCode = "{6F1B2C84-3D5A-4E97-A0C2-8B7D9E15F342}";
constexpr int kRecentFileCount = 6;
const char* const kHelpFolder = "help";
const char* const kHelpTopic = "index.htm";

// Prints the start-up time once the main window is really on the screen, then quits.
class StartupReporter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed() && !m_bDone) {
                m_bDone = true;
                std::printf("velmora: main window shown\n");
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, [] {
                    if (CVelmoraApp* app = theApp(); app && app->GetMainFrame())
                        app->GetMainFrame()->close();
                    QCoreApplication::quit();
                });
            }
        }
        return false;
    }

private:
    bool m_bDone = false;
};

} // namespace

std::function<void(const CVelmoraApp::ProcessRequest&)> CVelmoraApp::s_processStarter;
std::function<CVelmoraDoc*(const QString&)> CVelmoraApp::s_shellOpener;

CVelmoraApp* theApp() {
    return g_app;
}

CVelmoraApp::CVelmoraApp(QObject* parent) : QObject(parent) {
    CMainFrame::InitResources();
    g_app = this;
    m_strExecutableFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : GetCurrentFolder();
}

CVelmoraApp::~CVelmoraApp() {
    ExitInstance();
    // The display shows in this object's main window; a newer application object has its own.
    if (g_app == this)
        SetProgressDisplay(nullptr);
    delete m_pHelpWindow;
    delete m_pMainFrame;
    m_pMainFrame = nullptr;
    // Documents are gone with their frames; now the libraries can be unloaded.
    delete m_pCatalogue;
    m_pCatalogue = nullptr;
    for (QTranslator* translator : std::as_const(m_translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    if (g_app == this)
        g_app = nullptr;
}

void CVelmoraApp::IgnoreFileSizeSignal() {
#if defined(Q_OS_UNIX)
    // Past a file-size limit the system kills the writer by default, and the user's work with
    // it. Ignored, the write fails instead, and the save reports it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void CVelmoraApp::PrepareProcess() {
    IgnoreFileSizeSignal();
    // The web engine shares its OpenGL contexts with the widgets; this must precede the
    // QApplication.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#if defined(Q_OS_UNIX)
    // The web engine's sandbox refuses to run as root; only then is it switched off.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

bool CVelmoraApp::InitInstance(const QStringList& arguments) {
    // The platform's controls speak Russian: the standard buttons and file dialogs.
    LoadTranslations();
    QCoreApplication::setOrganizationName(QLatin1String(Settings::kCompany));
    QCoreApplication::setApplicationName(QLatin1String(Settings::kApplication));

    // The installer switches are whole command lines, not switches among others.
    if (HandleInstallerSwitches(arguments.join(u' ')))
        return false;

    // The desktop starts us for its files: a program that already runs takes them instead.
    const CCommandLineInfo cmdInfo(arguments);
    const bool bShellFiles = cmdInfo.OpensFiles();
    if (bShellFiles && CInstanceChannel::HandOver(cmdInfo.m_files))
        return false;

    // Without the web engine no tournament window could show its table: better to say so now
    // than to fail at the first tournament.
    if (!ComponentServicesAvailable()) {
        Prompts::Message(nullptr,
                         QStringLiteral("Не удалось запустить компоненты программы: не найден "
                                        "веб-движок, которым показываются таблицы чемпионатов."),
                         QStringLiteral("Velmora"), Prompts::Icon::Exclamation, QMessageBox::Ok);
        return false;
    }

    // The recent files come from the profile before any window can show them.
    m_pRecentFileList = new CRecentFileList(kRecentFileCount, this);
    {
        QSettings settings = Settings::Profile();
        m_pRecentFileList->ReadList(settings);
    }

    // The one document type; its windows go into the main window's area.
    m_pDocTemplate = std::make_unique<CDocTemplate>(this);

    // The main window, which takes dropped files and shows the flows' progress texts.
    m_pMainFrame = new CMainFrame;
    m_pMainFrame->setAcceptDrops(true);
    QApplication::setWindowIcon(CMainFrame::ProgramIcon());
    m_pDocTemplate->SetWindowArea(m_pMainFrame->MdiArea());
    SetProgressDisplay([main = QPointer<CMainFrame>(m_pMainFrame)](const QString& text) {
        if (!main)
            return;
        main->SetMessageText(text);
        // The step that follows blocks the event loop: the text must be on screen before it.
        if (!text.isEmpty() && main->isVisible())
            main->repaint();
    });

    // The desktop knows the program and its tournament files.
    ShellIntegration::EnsureRegistered(QCoreApplication::applicationFilePath());

    // The program folder: a start by the desktop or for a document may come from any folder,
    // so it takes the folder recorded by the last ordinary start.
    if (cmdInfo.IsShellStart()) {
        // A setting that no longer names a program folder (the program was moved or removed)
        // would leave the program without systems; the folder is then found as an ordinary
        // start finds it.
        QSettings settings = Settings::Profile();
        const QString recorded = settings.value(QStringLiteral("Settings/Path")).toString();
        m_strProgramFolder =
            !recorded.isEmpty() && HoldsSystems(recorded) ? recorded : OrdinaryProgramFolder();
    } else {
        m_strProgramFolder = OrdinaryProgramFolder();
        QSettings settings = Settings::Profile();
        settings.setValue(QStringLiteral("Settings/Path"), m_strProgramFolder);
    }

    // The help set beside the program.
    m_strHelpPath = QDir(m_strProgramFolder).filePath(QLatin1String(kHelpFolder));

    // The systems; their load messages come before the main window.
    m_pCatalogue = new SystemCatalogue(m_strProgramFolder);

    // Nothing is created at start; the files the command line names are opened once the main
    // window is up. The main window is shown maximised and painted at once.
    if (m_bReportStartup) {
        m_pMainFrame->winId();
        m_pMainFrame->windowHandle()->installEventFilter(new StartupReporter(m_pMainFrame));
    }
    // Where no window manager maximises it, the window still covers the screen.
    if (QScreen* screen = m_pMainFrame->screen())
        m_pMainFrame->setGeometry(screen->availableGeometry());
    m_pMainFrame->showMaximized();
    if (m_pMainFrame->windowHandle() && m_pMainFrame->windowHandle()->isExposed())
        m_pMainFrame->repaint();
    m_bRunning = true;

    // Files handed over by the desktop arrive here, now and while the program runs.
    m_pInstanceChannel = new CInstanceChannel(this);
    m_pInstanceChannel->SetReceiver([this](const QString& file) { OpenHandedOverFiles({file}); });
    m_pInstanceChannel->Listen();
    if (bShellFiles) {
        QStringList files;
        for (const QString& file : std::as_const(cmdInfo.m_files))
            files.append(QFileInfo(file).absoluteFilePath());
        // After start-up, from the event loop.
        QMetaObject::invokeMethod(
            this, [this, files] { OpenHandedOverFiles(files); }, Qt::QueuedConnection);
    }
    return true;
}

void CVelmoraApp::OpenHandedOverFiles(const QStringList& files) {
    m_pendingShellFiles.append(files);
    OpenPendingShellFiles();
}

void CVelmoraApp::OpenPendingShellFiles() {
    if (m_bOpeningShellFiles || !m_bRunning)
        return;
    // Not in the middle of a dialog (the wizard, a question, a plug-in's own): the files wait
    // until it is closed, as the desktop's open request waited for the main window.
    if (QApplication::activeModalWidget()) {
        if (!m_bShellRetryPending) {
            m_bShellRetryPending = true;
            QTimer::singleShot(250, this, [this] {
                m_bShellRetryPending = false;
                OpenPendingShellFiles();
            });
        }
        return;
    }
    m_bOpeningShellFiles = true;
    if (m_pMainFrame) {
        m_pMainFrame->activateWindow();
        m_pMainFrame->raise();
    }
    // One at a time: opening may ask questions, and files that arrive meanwhile join the queue.
    while (!m_pendingShellFiles.isEmpty() && m_bRunning) {
        if (QApplication::activeModalWidget())
            break;
        OpenFromShell(m_pendingShellFiles.takeFirst());
    }
    m_bOpeningShellFiles = false;
    if (!m_pendingShellFiles.isEmpty())
        OpenPendingShellFiles();
}

void CVelmoraApp::ExitInstance() {
    if (!m_bRunning)
        return;
    m_bRunning = false;
    if (m_pRecentFileList) {
        QSettings settings = Settings::Profile();
        m_pRecentFileList->WriteList(settings);
    }
}

bool CVelmoraApp::HandleInstallerSwitches(const QString& commandLine) {
    if (commandLine == u"/uninstall") {
        StartProcess({QStringLiteral("msiexec.exe"),
                      {QStringLiteral("/x"), QLatin1String(kProductCode)},
                      QString(),
                      false});
        return true;
    }
    if (commandLine == u"/InstallMSAARDK") {
        if (!QDir::setCurrent(QStringLiteral("MSAA20RDK")))
            return true;
        // The kit's setup program is the one in that folder, as the platform's process start
        // would find it first.
        const QString local = QDir::current().absoluteFilePath(QStringLiteral("setupmsaa.exe"));
        StartProcess({QFileInfo::exists(local) ? local : QStringLiteral("setupmsaa.exe"),
                      {QStringLiteral("/S")},
                      QString(),
                      true});
        return true;
    }
    return false;
}

void CVelmoraApp::StartProcess(const ProcessRequest& request) {
    if (s_processStarter) {
        s_processStarter(request);
        return;
    }
    // Where the program does not exist (everywhere but the original platform), nothing
    // happens and nothing is reported.
    if (!request.wait) {
        QProcess::startDetached(request.program, request.arguments, request.workingFolder);
        return;
    }
    QProcess process;
    if (!request.workingFolder.isEmpty())
        process.setWorkingDirectory(request.workingFolder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(request.program, request.arguments);
    if (process.waitForStarted())
        process.waitForFinished(-1);
}

bool CVelmoraApp::ComponentServicesAvailable() const {
    // The web engine runs its pages in a helper program; without it no tournament window can
    // show its table.
    const QString configured = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!configured.isEmpty())
        return QFileInfo(configured).isExecutable();
#if defined(Q_OS_WIN)
    const QString name = QStringLiteral("QtWebEngineProcess.exe");
#else
    const QString name = QStringLiteral("QtWebEngineProcess");
#endif
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath),
                                  QCoreApplication::applicationDirPath()})
        if (QFileInfo(QDir(folder).filePath(name)).isExecutable())
            return true;
#if defined(Q_OS_DARWIN)
    return true; // inside the framework bundle, where the engine finds it itself
#else
    return false;
#endif
}

void CVelmoraApp::LoadTranslations() {
    if (!m_translators.isEmpty())
        return;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Qt's own, and the program's for the texts it shares with the framework.
    for (const char* name : {"qtbase_ru", "qtwebengine_ru", "velmora_ru"}) {
        auto* translator = new QTranslator;
        if (translator->load(QLatin1String(name), folder) ||
            translator->load(QLatin1String(name), QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/translations"))) {
            QCoreApplication::installTranslator(translator);
            m_translators.append(translator);
        } else {
            delete translator;
        }
    }
}

bool CVelmoraApp::HoldsSystems(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QStringLiteral("Systems"))).isDir();
}

QString CVelmoraApp::OrdinaryProgramFolder() const {
    // A desktop starts programs in the home folder; the program's own folder is then the
    // executable's.
    const QString current = GetCurrentFolder();
    if (HoldsSystems(current))
        return current;
    return QDir::cleanPath(m_strExecutableFolder);
}

void CVelmoraApp::ShowHelp() {
    // Absolute paths: the current folder stays as it was.
    if (!QFileInfo(QDir(m_strHelpPath).filePath(QLatin1String(kHelpTopic))).isFile())
        return;
    if (!m_pHelpWindow) {
        m_pHelpWindow = new CHelpWindow(m_pMainFrame);
        m_pHelpWindow->setWindowFlag(Qt::Window);
        if (m_pMainFrame) {
            QRect place = m_pHelpWindow->frameGeometry();
            place.moveCenter(m_pMainFrame->frameGeometry().center());
            m_pHelpWindow->move(place.topLeft());
        }
    }
    if (!m_pHelpWindow->ShowTopic(m_strHelpPath, QLatin1String(kHelpTopic)))
        return;
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

CHelpWindow* CVelmoraApp::GetHelpWindow() const {
    return m_pHelpWindow.data();
}

CMainFrame* CVelmoraApp::GetMainFrame() const {
    return m_pMainFrame;
}

QWidget* CVelmoraApp::DialogOwner() const {
    return m_pMainFrame;
}

CDocTemplate* CVelmoraApp::GetDocTemplate() const {
    return m_pDocTemplate.get();
}

void CVelmoraApp::AddToRecentFileList(const QString& path) {
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

void CVelmoraApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.exec();
}

CVelmoraDoc* CVelmoraApp::OpenDocumentFile(const QString& path) {
    return COpenTournamentWizard(*this).OpenFile(path);
}

CVelmoraDoc* CVelmoraApp::OpenFromShell(const QString& path) {
    if (s_shellOpener)
        return s_shellOpener(path);
    return OpenDocumentFile(path);
}
