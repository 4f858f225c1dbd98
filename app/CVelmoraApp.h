#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CDocTemplate;
class CMainFrame;
class CVelmoraDoc;
class SystemCatalogue;

// The application object: start-up, the program folder, the catalogue of systems, progress
// texts and help. One instance per process, reached through theApp().
class CVelmoraApp : public QObject {
    Q_OBJECT
public:
    explicit CVelmoraApp(QObject* parent = nullptr);
    ~CVelmoraApp() override;

    // Start-up with the command line after the program's name. False: the process ends now
    // (a handled switch or a failure).
    bool InitInstance(const QStringList& arguments);

    // Progress text in the first pane of the main window's status line; "" clears it.
    void ShowProgressText(const QString& text);
    // Shows the help set at its first page; reports nothing when it is missing.
    void ShowHelp();

    CMainFrame* GetMainFrame() const;
    CDocTemplate* GetDocTemplate() const;
    void AddToRecentFileList(const QString& path);

    // Commands of the application.
    void OnFileNew();  // the new-tournament wizard
    void OnFileOpen(); // the Open command
    void OnAppAbout();
    // Opens a tournament file (recent list, dropped files, shell hand-over). Returns the new
    // document, or null when the opening failed or was cancelled.
    CVelmoraDoc* OpenDocumentFile(const QString& path);
    CVelmoraDoc* OpenTournamentFile(const QString& path, bool bFromOpenCommand);

    SystemCatalogue* m_pCatalogue = nullptr; // owned
    QString m_strHelpPath;
    QString m_strProgramFolder;

private:
    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    CMainFrame* m_pMainFrame = nullptr;
};

// The one application object.
CVelmoraApp* theApp();
