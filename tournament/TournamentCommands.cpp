// The view's commands on the whole tournament: parameters, information, skin and reports.
#include "CVelmoraView.h"

#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "tournament/CReportsDlg.h"
#include "tournament/CSelectSkinDlg.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/HostServices.h"

void CVelmoraView::OnTournamentParameters() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    if (m_pDocument->m_pEntries->OnTournamentParameters)
        m_pDocument->m_pEntries->OnTournamentParameters(m_pDocument->GetTournament());
    RefreshAfterTournamentCommand();
}

void CVelmoraView::OnTournamentInfo() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    if (m_pDocument->m_pEntries->OnTournamentInfo)
        m_pDocument->m_pEntries->OnTournamentInfo(m_pDocument->GetTournament());
    // A new name, venue or arbiter belongs on the page at once, not after some later change.
    RefreshAfterTournamentCommand();
}

void CVelmoraView::RefreshAfterTournamentCommand() {
    SaveTableIfModified();
    MarkIfTournamentModified();
    // Parameters may change which matches are due (a withdrawal, a wider nearest list). A
    // list left as it was would send the next result or deletion to whatever match now has
    // that index, so it is refilled, keeping its position.
    FillMatchList();
}

void CVelmoraView::OnChangeSkin() {
    if (!m_pDocument || !m_pDocument->m_pSystem)
        return;
    // Owned by the main window, as dialogs without a parent of their own are.
    HostServices* host = m_pDocument->Host();
    QWidget* owner = host && host->DialogOwner() ? host->DialogOwner() : this;
    CSelectSkinDlg dialog(owner);
    dialog.m_pSystem = m_pDocument->m_pSystem;
    dialog.m_nSkin = m_pDocument->m_nSkin;
    if (dialog.exec() != QDialog::Accepted || dialog.m_nSkin == m_pDocument->m_nSkin)
        return;
    ShowProgress(QStringLiteral("Обновляется скин"));
    m_pDocument->m_nSkin = dialog.m_nSkin;
    m_pDocument->CopyCurrentSkinFiles();
    m_pDocument->RememberChoice();
    ReloadTablePage();
    ShowProgress(QString());
}

void CVelmoraView::OnReports() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    const SystemEntryTable* entries = m_pDocument->m_pEntries;
    const int count = entries->GetReportsCount ? entries->GetReportsCount() : 0;
    if (count <= 0) {
        Prompts::Message(this, QStringLiteral("Данная турнирная система не содержит отчётов"),
                         QStringLiteral("Ошибка"), Prompts::Icon::None, QMessageBox::Ok, true);
        return;
    }
    CReportsDlg dialog(m_pDocument->GetTournament(), entries, &m_pDocument->m_strTournamentPath,
                       this);
    dialog.exec();
}
