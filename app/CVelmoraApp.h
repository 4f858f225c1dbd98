#pragma once

#include "tournament/HostServices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CDocTemplate;
class CHelpWindow;
class CInstanceChannel;
class CMainFrame;
class CRecentFileList;
class CVelmoraDoc;
class QTranslator;
class SystemCatalogue;

// The application object: start-up, the program folder, the catalogue of systems, progress
// texts and help. One instance per process. It serves the tournament windows and the flows
// through HostServices; only the application's own folder reaches it through theApp().
class CVelmoraApp : public QObject, public HostServices {
    Q_OBJECT
public:
    explicit CVelmoraApp(QObject* parent = nullptr);
    ~CVelmoraApp() override;

    // What the process needs before the QApplication exists (the web engine's shared OpenGL
    // contexts, and its sandbox, which refuses to run as root). Called by main().
    static void PrepareProcess();
    // A write past the process's file-size limit fails with an error instead of ending the
    // program. Part of PrepareProcess.
    static void IgnoreFileSizeSignal();

    // Start-up with the command line after the program's name. False: the process ends now
    // (a handled switch, files handed to a running program, or a failure).
    bool InitInstance(const QStringList& arguments);
    // The framework's exit: writes the recent-file list back. Called once, after the loop.
    void ExitInstance();

    // Shows the help set at its first page; reports nothing when it is missing.
    void ShowHelp();

    CMainFrame* GetMainFrame() const;
    CDocTemplate* GetDocTemplate() const;
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList; }
    void AddToRecentFileList(const QString& path);
    CHelpWindow* GetHelpWindow() const;
    CInstanceChannel* GetInstanceChannel() const { return m_pInstanceChannel; }

    // HostServices.
    const SystemCatalogue* Catalogue() const override { return m_pCatalogue; }
    QWidget* DialogOwner() const override;
    CDocTemplate* DocTemplate() const override { return GetDocTemplate(); }
    QString ProgramFolder() const override { return m_strProgramFolder; }
    void AddToRecentFiles(const QString& path) override { AddToRecentFileList(path); }

    void OnAppAbout();
    // Opens a tournament file (recent list, dropped files, shell hand-over). Returns the new
    // document, or null when the opening failed or was cancelled.
    CVelmoraDoc* OpenDocumentFile(const QString& path);
    // How the recent-file list, dropped files and files handed over by the desktop are
    // opened: OpenDocumentFile, unless a test watches the hand-over.
    CVelmoraDoc* OpenFromShell(const QString& path);
    // Files handed over by the desktop: opened one at a time through OpenFromShell, once no
    // dialog is running.
    void OpenHandedOverFiles(const QStringList& files);

    SystemCatalogue* m_pCatalogue = nullptr; // owned
    QString m_strHelpPath;                   // the help set: a folder holding index.htm
    QString m_strProgramFolder;

    // --- For tests and the platform layer ---------------------------------------------------
    // The folder of the executable, used when the current folder holds no Systems.
    void SetExecutableFolder(const QString& folder) { m_strExecutableFolder = folder; }
    QString GetExecutableFolder() const { return m_strExecutableFolder; }

    struct ProcessRequest {
        QString program;
        QStringList arguments;
        QString workingFolder; // empty: inherited
        bool wait = false;     // wait until it ends
    };
    // Starts the programs of "/uninstall" and "/InstallMSAARDK"; tests replace it.
    static std::function<void(const ProcessRequest&)> s_processStarter;
    // Receives the files that OpenFromShell would open; tests set it to watch the hand-over.
    static std::function<CVelmoraDoc*(const QString&)> s_shellOpener;
    // Set by main() for the start-up benchmark: print the time and quit once the main window is
    // on the screen.
    bool m_bReportStartup = false;

private:
    bool HandleInstallerSwitches(const QString& commandLine);
    static void StartProcess(const ProcessRequest& request);
    bool ComponentServicesAvailable() const;
    void LoadTranslations();
    QString OrdinaryProgramFolder() const;
    void OpenPendingShellFiles();
    static bool HoldsSystems(const QString& folder);

    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    CMainFrame* m_pMainFrame = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    CInstanceChannel* m_pInstanceChannel = nullptr;
    QPointer<CHelpWindow> m_pHelpWindow;
    QList<QTranslator*> m_translators;
    QString m_strExecutableFolder;
    bool m_bRunning = false;
    QStringList m_pendingShellFiles;
    bool m_bOpeningShellFiles = false;
    bool m_bShellRetryPending = false;
};

// The one application object.
CVelmoraApp* theApp();
