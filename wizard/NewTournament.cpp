#include "app/CChildFrame.h"
#include "app/CDocTemplate.h"
#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "app/Prompts.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CVelmoraDoc.h"
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

// The new-tournament wizard. Every way out gives back exactly the plug-in handles this run
// still owns: the players until CreateTournament takes them, the creation parameters once
// they were asked for.
void CVelmoraApp::OnFileNew() {
    if (!m_pCatalogue || m_pCatalogue->GetCount() == 0) {
        Prompts::Message(nullptr,
                         QStringLiteral("В программе не установлено ни одной турнирной системы"),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
        return;
    }

    // The wizard's dialogs belong to the main window, as the framework's dialogs without an
    // explicit parent do: they stay above it and are centred on it.
    QWidget* owner = GetMainFrame();
    CNewTournamentDlg dlgNew(owner);
    if (dlgNew.exec() != CNewTournamentDlg::kResultNext)
        return;
    SystemInfo* system = m_pCatalogue->GetAt(dlgNew.m_nSystem);
    if (!system)
        return;
    SystemEntryTable entries;
    entries.Resolve(system->m_hLibrary.get());

    VelmoraPlayers hPlayers = entries.CreatePlayers();
    CGetPlayersDlg dlgPlayers(&entries, &hPlayers, owner);
    if (dlgPlayers.exec() != 1) {
        entries.FreePlayers(hPlayers); // the dialog may have replaced the handle
        return;
    }

    // A count below zero is no count: such a system is treated as one without draw methods.
    CChooseSortingDlg dlgSorting(&entries, owner);
    if (entries.GetSortingTypesCount() > 0 && dlgSorting.exec() != 1) {
        entries.FreePlayers(hPlayers);
        return;
    }
    if (entries.GetSortingTypesCount() > 0) {
        ShowWizardProgress(QStringLiteral("Проводится жеребьёвка"));
        entries.ApplySorting(hPlayers, dlgSorting.m_nSorting);
        ShowWizardProgress(QString());
    }

    const VelmoraParameters hParameters = entries.GetCustomTournamentCreationParameters();
    if (!hParameters) {
        entries.FreePlayers(hPlayers);
        entries.FreeCustomTournamentCreationParameters(0);
        return;
    }

    const Prompts::FileRequest request = TournamentFileSaveRequest();
    const ProposedFolder proposedFolder(request.initialFolder);
    const QString strTournamentPath = Prompts::FileDialog(request);
    if (strTournamentPath.isEmpty()) {
        entries.FreePlayers(hPlayers);
        entries.FreeCustomTournamentCreationParameters(hParameters);
        return;
    }

    // From here on the tournament owns the players, and the files are written and the window
    // opened whatever the plug-in answers, with one exception: no tournament at all. Saving
    // and showing a handle of 0 would report a failure as a new tournament, so the run ends
    // there; the plug-in has told the user why.
    ShowWizardProgress(QStringLiteral("Создаётся чемпионат"));
    const VelmoraTournament hTournament =
        entries.CreateTournament(dlgNew.m_strName.toUtf8().constData(), hParameters, hPlayers);
    ShowWizardProgress(QString());
    if (!hTournament) {
        entries.FreeCustomTournamentCreationParameters(hParameters);
        return;
    }

    ShowWizardProgress(QStringLiteral("Сохраняется чемпионат"));
    entries.OnSaveTournament(hTournament, strTournamentPath.toUtf8().constData());
    ShowWizardProgress(QString());

    const QString strTablePath = TablePagePath(strTournamentPath);
    ShowWizardProgress(QStringLiteral("Сохраняется турнирная таблица"));
    entries.SaveTable(hTournament, strTablePath.toUtf8().constData());
    ShowWizardProgress(QString());

    const QString strPageFolder = GetPathFolder(strTablePath.left(strTablePath.size() - 3));
    ShowWizardProgress(QStringLiteral("Копируются дополнительные файлы"));
    m_pCatalogue->CopySkinFiles(system, system->m_skins.value(dlgNew.m_nSkin), strPageFolder);
    ShowWizardProgress(QString());

    CDocTemplate* docTemplate = GetDocTemplate();
    CChildFrame* frame = docTemplate ? docTemplate->CreateNewDocumentAndFrame() : nullptr;
    if (!frame) {
        // The files are written; only the window is missing. The tournament must not outlive
        // this run unseen, and the user can still open the file.
        entries.FreeTournament(hTournament);
        Prompts::Message(nullptr,
                         QStringLiteral("Чемпионат сохранён в файл «%1», но открыть его окно не "
                                        "удалось. Откройте этот файл командой «Открыть».")
                             .arg(QDir::toNativeSeparators(strTournamentPath)),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
    } else {
        CVelmoraDoc* doc = frame->GetDocument();
        doc->OnNewDocument();
        doc->AttachTournament(hTournament, system, dlgNew.m_nSkin, strTournamentPath, strTablePath);
        docTemplate->InitialUpdateFrame(frame, doc, true);
    }

    entries.FreeCustomTournamentCreationParameters(hParameters);
}
