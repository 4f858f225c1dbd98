#pragma once
// Shared by the tst_document_* tests: one probe system in a program folder of its own, a
// catalogue over it, and tournament windows built the way the wizard and the opening build
// them. Progress texts and page loads are written into the probe's log, so that a test sees
// them in order with the plug-in's calls.

#include "support/TestSupport.h"

#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CChildFrame.h"
#include "tournament/CDocTemplate.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "tournament/CWebBrowser.h"
#include "tournament/HostServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTest>

#include <memory>

// The program around the tournament windows, as little of it as they need: the catalogue, no
// main window, and the recent files remembered in a list.
class TestHost : public HostServices {
public:
    const SystemCatalogue* Catalogue() const override { return m_pCatalogue.get(); }
    QWidget* DialogOwner() const override { return nullptr; }
    CDocTemplate* DocTemplate() const override { return m_pTemplate; }
    QString ProgramFolder() const override { return m_strProgramFolder; }
    void AddToRecentFiles(const QString& path) override { m_recentFiles.prepend(path); }

    std::unique_ptr<SystemCatalogue> m_pCatalogue;
    CDocTemplate* m_pTemplate = nullptr;
    QString m_strProgramFolder;
    QStringList m_recentFiles;
};

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
        m_host.m_strProgramFolder = m_folder.Root();
        m_host.m_pCatalogue = std::make_unique<SystemCatalogue>(m_folder.Root());
        m_host.m_pTemplate = &m_template;
        const QString library = m_strLibrary;
        SetProgressObserver([library](const QString& text) {
            AppendLog(library, QStringLiteral("Progress(\"%1\")").arg(text));
        });
    }
    ~DocumentFixture() {
        for (const QPointer<CChildFrame>& frame : m_frames)
            delete frame.data();
        SetProgressObserver(nullptr);
        m_host.m_pCatalogue.reset();
        Prompts::ClearAsked();
    }

    SystemInfo* System() const { return m_host.m_pCatalogue->GetAt(0); }
    TestHost& Host() { return m_host; }
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
        const SystemEntryTable& entries = system->m_entries;
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
    TestHost m_host;
    CDocTemplate m_template{&m_host};
    QList<QPointer<CChildFrame>> m_frames;
};
