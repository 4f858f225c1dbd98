#pragma once
// Shared by the tst_document_* tests: one probe system in a program folder of its own, a
// catalogue over it, and tournament windows built the way the wizard and the opening build
// them. Progress texts and page loads are written into the probe's log, so that a test sees
// them in order with the plug-in's calls.

#include "support/TestSupport.h"

#include "app/CChildFrame.h"
#include "app/CDocTemplate.h"
#include "app/CVelmoraApp.h"
#include "app/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "tournament/CWebBrowser.h"
#include "tournament/ProgressText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTest>

#include <memory>

// The application object of the test process, created without its start-up.
inline CVelmoraApp* TestApp() {
    static CVelmoraApp* app = new CVelmoraApp;
    return app;
}

inline void AppendLog(const QString& libraryPath, const QString& line) {
    QFile log(libraryPath + QStringLiteral(".log"));
    if (log.open(QIODevice::Append))
        log.write(line.toUtf8() + '\n');
}

class DocumentFixture {
public:
    explicit DocumentFixture(const QStringList& config = {},
                             const QStringList& skins = {QStringLiteral("Classic"),
                                                         QStringLiteral("Modern")}) {
        UseTestEnvironment();
        Prompts::ClearAsked();
        CWebBrowser::UseWebEngine(false);
        m_strLibrary =
            m_folder.AddSystem(QStringLiteral("probe"), QStringLiteral("probe"), skins, config);
        CVelmoraApp* app = TestApp();
        delete app->m_pCatalogue;
        app->m_pCatalogue = new SystemCatalogue(m_folder.Root());
        const QString library = m_strLibrary;
        SetProgressObserver([library](const QString& text) {
            AppendLog(library, QStringLiteral("Progress(\"%1\")").arg(text));
        });
    }
    ~DocumentFixture() {
        for (const QPointer<CChildFrame>& frame : m_frames)
            delete frame.data();
        SetProgressObserver(nullptr);
        CVelmoraApp* app = TestApp();
        delete app->m_pCatalogue;
        app->m_pCatalogue = nullptr;
        Prompts::ClearAsked();
    }

    SystemInfo* System() const { return TestApp()->m_pCatalogue->GetAt(0); }
    QString Library() const { return m_strLibrary; }
    ProbeFolder& Folder() { return m_folder; }
    CDocTemplate& Template() { return m_template; }
    void Configure(const QStringList& config) { m_folder.Configure(m_strLibrary, config); }
    QStringList Log() const { return m_folder.Log(m_strLibrary); }
    void ClearLog() { m_folder.ClearLog(m_strLibrary); }

    // A tournament created by the plug-in with its files written, in a window of its own,
    // as after the wizard; the log starts empty afterwards.
    CVelmoraDoc* Open(const QString& relativePath = QStringLiteral("Tournaments/Cup.trn"),
                      int skin = 0) {
        SystemInfo* system = System();
        if (!system)
            return nullptr;
        SystemEntryTable entries;
        entries.Resolve(system->m_hLibrary.get());
        const QString path = m_folder.Path(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const VelmoraTournament tournament = entries.CreateTournament("Cup", 0, 0);
        entries.OnSaveTournament(tournament, path.toUtf8().constData());
        entries.SaveTable(tournament, TablePagePath(path).toUtf8().constData());
        CVelmoraDoc* document = m_template.CreateNewDocument();
        CChildFrame* frame = m_template.CreateNewFrame(document);
        m_frames.append(frame);
        document->OnNewDocument();
        document->AttachTournament(tournament, system, skin, path, TablePagePath(path));
        m_template.InitialUpdateFrame(frame, document, true);
        const QString library = m_strLibrary;
        QObject::connect(document->GetView()->m_wndBrowser, &CWebBrowser::navigated,
                         [library](const QString& page) {
                             AppendLog(library, QStringLiteral("Navigate(\"%1\")").arg(page));
                         });
        ClearLog();
        return document;
    }

private:
    ProbeFolder m_folder;
    QString m_strLibrary;
    CDocTemplate m_template;
    QList<QPointer<CChildFrame>> m_frames;
};
