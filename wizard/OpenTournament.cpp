#include "app/CChildFrame.h"
#include "app/CDocTemplate.h"
#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "app/Profile.h"
#include "app/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "wizard/CSelectSystemDlg.h"
#include "wizard/WizardHelpers.h"

#include <QMdiArea>

#include <cstring>
#include <vector>

namespace {

void ShowOpeningError(const QString& text) {
    Prompts::Message(nullptr, text, QStringLiteral("Ошибка"), Prompts::Icon::Error,
                     QMessageBox::Ok);
}

// The identifier a system writes into its 256-byte buffer, as raw bytes: the comparison with
// the file's first line is byte for byte.
QByteArray FormatIdentifierOf(const SystemEntryTable& entries) {
    char buffer[VELMORA_NAME_SIZE] = {};
    if (entries.GetTournamentFormatID)
        entries.GetTournamentFormatID(buffer);
    buffer[sizeof buffer - 1] = '\0';
    return QByteArray(buffer, static_cast<qsizetype>(std::strlen(buffer)));
}

} // namespace

void CVelmoraApp::OnFileOpen() {
    // Under the current folder of this moment, not the program folder.
    Prompts::FileRequest request =
        TournamentFileRequest(QStringLiteral("Открыть чемпионат"), false);
    request.mustExist = true;
    const QString path = Prompts::FileDialog(request);
    if (path.isEmpty())
        return;
    OpenTournamentFile(path, true);
}

CVelmoraDoc* CVelmoraApp::OpenDocumentFile(const QString& path) {
    return OpenTournamentFile(path, false);
}

CVelmoraDoc* CVelmoraApp::OpenTournamentFile(const QString& path, bool bFromOpenCommand) {
    QByteArray formatId;
    if (!ReadFormatIdentifier(path, &formatId)) {
        ShowOpeningError(QStringLiteral("Не удалось открыть файл"));
        return nullptr;
    }

    // Every installed system that writes exactly this identifier, in catalogue order.
    std::vector<SystemEntryTable> tables;
    std::vector<SystemInfo*> systems;
    for (int i = 0, count = m_pCatalogue ? m_pCatalogue->GetCount() : 0; i < count; ++i) {
        SystemInfo* system = m_pCatalogue->GetAt(i);
        if (!system)
            continue;
        SystemEntryTable entries;
        entries.Resolve(system->m_hLibrary.get());
        if (FormatIdentifierOf(entries) == formatId) {
            tables.push_back(entries);
            systems.push_back(system);
        }
    }
    if (tables.empty()) {
        ShowOpeningError(QStringLiteral(
            "Данный формат не поддерживается ни одной из установленных турнирных систем"));
        return nullptr;
    }

    // Owned by the main window, as a dialog without an explicit parent is.
    CSelectSystemDlg dlgSelect(&tables, &systems, GetMainFrame());
    // What the tournament was last opened or created with, so that Enter keeps its style.
    const Profile::TournamentChoice remembered = Profile::RememberedChoice(path);
    dlgSelect.SetPreferred(remembered.library, remembered.skin);
    if (dlgSelect.exec() != QDialog::Accepted)
        return nullptr;
    SystemInfo* system = dlgSelect.m_pSystem;
    const SystemEntryTable entries = dlgSelect.m_entries;
    const int nSkin = dlgSelect.m_nSkin;

    ShowWizardProgress(QStringLiteral("Загружается чемпионат"));
    const VelmoraTournament hTournament = entries.OnLoadTournament(path.toUtf8().constData());
    ShowWizardProgress(QString());
    if (!hTournament) {
        ShowOpeningError(QStringLiteral("Ошибка загрузки чемпионата"));
        return nullptr;
    }

    const QString strTablePath = TablePagePath(path);
    ShowWizardProgress(QStringLiteral("Обновляется турнирная таблица"));
    entries.SaveTable(hTournament, strTablePath.toUtf8().constData());
    ShowWizardProgress(QString());

    ShowWizardProgress(QStringLiteral("Обновляются дополнительные файлы"));
    m_pCatalogue->CopySkinFiles(system, system->m_skins.value(nSkin), GetPathFolder(path));
    ShowWizardProgress(QString());

    CDocTemplate* docTemplate = GetDocTemplate();
    CChildFrame* frame = docTemplate ? docTemplate->CreateNewDocumentAndFrame() : nullptr;
    if (!frame) {
        // Nothing may hold the tournament now but this opening: give it back.
        entries.FreeTournament(hTournament);
        ShowOpeningError(QStringLiteral("Не удалось открыть окно чемпионата"));
        return nullptr;
    }
    CVelmoraDoc* doc = frame->GetDocument();
    doc->OnNewDocument();
    doc->AttachTournament(hTournament, system, nSkin, path, strTablePath);

    if (bFromOpenCommand) {
        docTemplate->InitialUpdateFrame(frame, doc, true);
        return nullptr;
    }
    if (CVelmoraView* view = doc->GetView())
        view->OnInitialUpdate();
    if (CMainFrame* main = GetMainFrame()) {
        if (!frame->mdiArea())
            main->MdiArea()->addSubWindow(frame);
        // Shown as the Open command shows its windows, whichever way the file came in.
        frame->showMaximized();
        main->MdiArea()->setActiveSubWindow(frame);
    } else {
        frame->showMaximized();
    }
    frame->activateWindow();
    return doc;
}
