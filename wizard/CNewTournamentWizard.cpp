#include "wizard/CNewTournamentWizard.h"

#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/PluginHandles.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CChildFrame.h"
#include "tournament/CDocTemplate.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/HostServices.h"
#include "wizard/CChooseSortingDlg.h"
#include "wizard/CGetPlayersDlg.h"
#include "wizard/CNewTournamentDlg.h"
#include "wizard/WizardHelpers.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The proposed "Tournaments" folder, made when missing so that the save dialog starts there
// and tournaments gather in one place from the first one on. Made by this run and still empty
// when the run ends (the user saved elsewhere, cancelled, or the system wrote nothing), it
// goes again: the program leaves no empty folder behind.
class ProposedFolder {
public:
    explicit ProposedFolder(const QString& path) : m_strPath(path) {
        m_bMade = !QFileInfo::exists(path) && QDir().mkpath(path);
    }
    ~ProposedFolder() {
        if (m_bMade)
            QDir().rmdir(m_strPath); // only an empty folder goes
    }
    ProposedFolder(const ProposedFolder&) = delete;
    ProposedFolder& operator=(const ProposedFolder&) = delete;

private:
    QString m_strPath;
    bool m_bMade = false;
};

Prompts::FileRequest TournamentFileSaveRequest() {
    Prompts::FileRequest request =
        TournamentFileRequest(QStringLiteral("Сохранение чемпионата"), true);
    request.confirmOverwrite = true;
    return request;
}

} // namespace

// Every way out gives back exactly the plug-in handles this run still owns: the players until
// CreateTournament takes them, the creation parameters once they were asked for, the players
// before the parameters.
void CNewTournamentWizard::Run() {
    const SystemCatalogue* catalogue = m_host.Catalogue();
    if (!catalogue || catalogue->GetCount() == 0) {
        Prompts::Message(nullptr,
                         QStringLiteral("В программе не установлено ни одной турнирной системы"),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
        return;
    }

    // The wizard's dialogs belong to the main window, as the framework's dialogs without an
    // explicit parent do: they stay above it and are centred on it.
    QWidget* owner = m_host.DialogOwner();
    CNewTournamentDlg dlgNew(catalogue, owner);
    if (dlgNew.exec() != CNewTournamentDlg::kResultNext)
        return;
    SystemInfo* system = catalogue->GetAt(dlgNew.m_nSystem);
    if (!system)
        return;
    const SystemEntryTable& entries = system->m_entries;

    // Declared in the reverse of the order in which they are given back.
    ParametersHandle parameters(&entries);
    PlayersHandle players(&entries, entries.CreatePlayers());
    // The dialog may replace the players handle; the guard owns whatever it becomes.
    CGetPlayersDlg dlgPlayers(&entries, players.Address(), owner);
    dlgPlayers.m_strProgramFolder = m_host.ProgramFolder();
    if (dlgPlayers.exec() != 1)
        return;

    // A count below zero is no count: such a system is treated as one without draw methods.
    CChooseSortingDlg dlgSorting(&entries, owner);
    if (entries.GetSortingTypesCount() > 0 && dlgSorting.exec() != 1)
        return;
    if (entries.GetSortingTypesCount() > 0) {
        ShowProgress(QStringLiteral("Проводится жеребьёвка"));
        entries.ApplySorting(players.Get(), dlgSorting.m_nSorting);
        ShowProgress(QString());
    }

    parameters.Adopt(entries.GetCustomTournamentCreationParameters());
    if (!parameters.Get())
        return;

    const Prompts::FileRequest request = TournamentFileSaveRequest();
    const ProposedFolder proposedFolder(request.initialFolder);
    const QString strTournamentPath = Prompts::FileDialog(request);
    if (strTournamentPath.isEmpty())
        return;

    // From here on the tournament owns the players, and the files are written and the window
    // opened whatever the plug-in answers, with one exception: no tournament at all. Saving
    // and showing a handle of 0 would report a failure as a new tournament, so the run ends
    // there; the plug-in has told the user why.
    ShowProgress(QStringLiteral("Создаётся чемпионат"));
    TournamentHandle tournament(&entries,
                                entries.CreateTournament(dlgNew.m_strName.toUtf8().constData(),
                                                         parameters.Get(), players.Release()));
    ShowProgress(QString());
    if (!tournament.Get())
        return;

    ShowProgress(QStringLiteral("Сохраняется чемпионат"));
    entries.OnSaveTournament(tournament.Get(), strTournamentPath.toUtf8().constData());
    ShowProgress(QString());

    const QString strTablePath = TablePagePath(strTournamentPath);
    ShowProgress(QStringLiteral("Сохраняется турнирная таблица"));
    entries.SaveTable(tournament.Get(), strTablePath.toUtf8().constData());
    ShowProgress(QString());

    const QString strPageFolder = GetPathFolder(strTablePath.left(strTablePath.size() - 3));
    ShowProgress(QStringLiteral("Копируются дополнительные файлы"));
    catalogue->CopySkinFiles(system, system->m_skins.value(dlgNew.m_nSkin), strPageFolder);
    ShowProgress(QString());

    CDocTemplate* docTemplate = m_host.DocTemplate();
    CChildFrame* frame = docTemplate ? docTemplate->CreateNewDocumentAndFrame() : nullptr;
    if (!frame) {
        // The files are written; only the window is missing. The tournament must not outlive
        // this run unseen, and the user can still open the file.
        tournament.Reset();
        Prompts::Message(nullptr,
                         QStringLiteral("Чемпионат сохранён в файл «%1», но открыть его окно не "
                                        "удалось. Откройте этот файл командой «Открыть».")
                             .arg(QDir::toNativeSeparators(strTournamentPath)),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
        return;
    }
    CVelmoraDoc* doc = frame->GetDocument();
    doc->OnNewDocument();
    doc->AttachTournament(tournament.Release(), system, dlgNew.m_nSkin, strTournamentPath,
                          strTablePath);
    docTemplate->InitialUpdateFrame(frame, doc, true);
}
