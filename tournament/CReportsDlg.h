#pragma once

#include "systems/SystemEntryTable.h"

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

// "Отчёты": the system's reports in its own order; each save asks for a file name of the
// report's type and has the plug-in write the report there. Closes only with Cancel.
class CReportsDlg : public QDialog {
    Q_OBJECT
public:
    CReportsDlg(VelmoraTournament hTournament, const SystemEntryTable* pEntries,
                const QString* pTournamentPath, QWidget* parent = nullptr);

    int exec() override;
    // Fills the list with the plug-in's report names; run by exec.
    void OnInitDialog();
    // "Сохранить как ...", Enter or a double click: save the selected report.
    void OnSaveAs();
    // The dialog never closes with OK: Enter saves instead.
    void accept() override {}

    // The file extension for a report, from the plug-in's text, or empty when that text is
    // unusable as one (empty, or with anything but letters, digits, '_', '-' and '+' once
    // surrounding blanks and leading dots are dropped). An empty result means a filter for
    // all files and no extension added.
    static QString SafeExtension(const QString& extension);

    QListWidget* m_listReports;
    QPushButton* m_btnSaveAs;

private:
    VelmoraTournament m_hTournament;
    const SystemEntryTable* m_pEntries; // not owned
    const QString* m_pTournamentPath;   // not owned
};
