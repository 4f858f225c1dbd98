// The view's commands on the selected match and the refresh that follows them.
#include "CVelmoraView.h"

#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "tournament/CVelmoraDoc.h"

void CVelmoraView::OnMatchResult() {
    const int match = GetSelectedMatch();
    if (match < 0 || !m_pDocument || !m_pDocument->m_pEntries)
        return;
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    VelmoraFn_OnAddMatchResult command = nullptr;
    switch (GetSelectedTab()) {
    case Nearest:
        command = entries.OnAddMatchResult;
        break;
    case Current:
        command = entries.OnModifyCurrentMatchResult;
        break;
    case Last:
        command = entries.OnModifyLastMatchResult;
        break;
    }
    if (command)
        command(m_pDocument->GetTournament(), match);
    RefreshAfterChange();
}

void CVelmoraView::OnDeleteMatchResult() {
    const int tab = GetSelectedTab();
    // The delete button is hidden on the nearest matches: nothing there to delete.
    if (GetSelectedMatch() < 0 || tab == Nearest || !m_pDocument || !m_pDocument->m_pEntries)
        return;
    const auto answer = Prompts::Message(
        this,
        QStringLiteral("Удаление этого матча приведёт к удалению всех зависимых матчей.\n"
                       "Вы действительно хотите удалить?"),
        QStringLiteral("Удаление результата матча"), Prompts::Icon::Exclamation,
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // Read after the question: the selection is what the user confirmed.
    const int match = GetSelectedMatch();
    if (match < 0)
        return;
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    const auto command =
        tab == Current ? entries.OnDeleteCurrentMatchResult : entries.OnDeleteLastMatchResult;
    if (command)
        command(m_pDocument->GetTournament(), match);
    RefreshAfterChange();
}

void CVelmoraView::SaveTableIfModified() {
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    const VelmoraTournament tournament = m_pDocument->GetTournament();
    if (!entries.TableWasModified || !entries.TableWasModified(tournament))
        return;
    ShowProgress(QStringLiteral("Обновляется турнирная таблица"));
    const QByteArray path = m_pDocument->m_strTablePath.toUtf8();
    if (entries.SaveTable)
        entries.SaveTable(tournament, path.constData());
    ShowProgress(QString());
    ReloadTablePage();
}

void CVelmoraView::MarkIfTournamentModified() {
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    // A zero answer never clears the flag: only a save does.
    if (entries.TournamentWasModified &&
        entries.TournamentWasModified(m_pDocument->GetTournament()))
        m_pDocument->SetModifiedFlag(true);
}

void CVelmoraView::RefreshAfterChange() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    SaveTableIfModified();
    MarkIfTournamentModified();
    FillMatchList();
}
