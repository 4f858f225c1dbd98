#include "wizard/COpenTournamentWizard.h"

#include "core/Profile.h"
#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/PluginHandles.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CChildFrame.h"
#include "tournament/CDocTemplate.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/HostServices.h"
#include "wizard/CSelectSystemDlg.h"
#include "wizard/WizardHelpers.h"

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

void COpenTournamentWizard::Run() {
    // Under the current folder of this moment, not the program folder.
    Prompts::FileRequest request =
        TournamentFileRequest(QStringLiteral("Открыть чемпионат"), false);
    request.mustExist = true;
    const QString path = Prompts::FileDialog(request);
    if (path.isEmpty())
        return;
    OpenFile(path, true);
}

CVelmoraDoc* COpenTournamentWizard::OpenFile(const QString& path, bool bFromOpenCommand) {
    QByteArray formatId;
    if (!ReadFormatIdentifier(path, &formatId)) {
        ShowOpeningError(QStringLiteral("Не удалось открыть файл"));
        return nullptr;
    }

    // Every installed system that writes exactly this identifier, in catalogue order.
    const SystemCatalogue* catalogue = m_host.Catalogue();
    std::vector<SystemEntryTable> tables;
    std::vector<SystemInfo*> systems;
    for (int i = 0, count = catalogue ? catalogue->GetCount() : 0; i < count; ++i) {
        SystemInfo* system = catalogue->GetAt(i);
        if (system && FormatIdentifierOf(system->m_entries) == formatId) {
            tables.push_back(system->m_entries);
            systems.push_back(system);
        }
    }
    if (tables.empty()) {
        ShowOpeningError(QStringLiteral(
            "Данный формат не поддерживается ни одной из установленных турнирных систем"));
        return nullptr;
    }

    // Owned by the main window, as a dialog without an explicit parent is.
    CSelectSystemDlg dlgSelect(&tables, &systems, m_host.DialogOwner());
    // What the tournament was last opened or created with, so that Enter keeps its style.
    const Profile::TournamentChoice remembered = Profile::RememberedChoice(path);
    dlgSelect.SetPreferred(remembered.library, remembered.skin);
    if (dlgSelect.exec() != QDialog::Accepted || !dlgSelect.m_pSystem)
        return nullptr;
    SystemInfo* system = dlgSelect.m_pSystem;
    const SystemEntryTable& entries = system->m_entries;
    const int nSkin = dlgSelect.m_nSkin;

    ShowProgress(QStringLiteral("Загружается чемпионат"));
    TournamentHandle tournament(&entries, entries.OnLoadTournament(path.toUtf8().constData()));
    ShowProgress(QString());
    if (!tournament.Get()) {
        ShowOpeningError(QStringLiteral("Ошибка загрузки чемпионата"));
        return nullptr;
    }

    const QString strTablePath = TablePagePath(path);
    ShowProgress(QStringLiteral("Обновляется турнирная таблица"));
    entries.SaveTable(tournament.Get(), strTablePath.toUtf8().constData());
    ShowProgress(QString());

    ShowProgress(QStringLiteral("Обновляются дополнительные файлы"));
    catalogue->CopySkinFiles(system, system->m_skins.value(nSkin), GetPathFolder(path));
    ShowProgress(QString());

    CDocTemplate* docTemplate = m_host.DocTemplate();
    CChildFrame* frame = docTemplate ? docTemplate->CreateNewDocumentAndFrame() : nullptr;
    if (!frame) {
        // Nothing may hold the tournament now but this opening: give it back.
        tournament.Reset();
        ShowOpeningError(QStringLiteral("Не удалось открыть окно чемпионата"));
        return nullptr;
    }
    CVelmoraDoc* doc = frame->GetDocument();
    doc->OnNewDocument();
    doc->AttachTournament(tournament.Release(), system, nSkin, path, strTablePath);
    // Shown as the Open command shows its windows, whichever way the file came in.
    docTemplate->InitialUpdateFrame(frame, doc, true);
    if (bFromOpenCommand)
        return nullptr;
    frame->activateWindow();
    return doc;
}
