#pragma once

#include "systems/SystemEntryTable.h"

#include <QDialog>

class CLiveService;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Опубликовать...": where one tournament's page goes after every change, with which of the
// system's reports, and whether publishing is on.
class CPublishDlg : public QDialog {
    Q_OBJECT
public:
    CPublishDlg(const QStringList& reportNames, QWidget* parent = nullptr);

    // Runs the dialog for the tournament window `key` and sets up or ends its publishing.
    // entries and tournament are the window's system and tournament, for the reports;
    // tournamentPath is its file, under which the choices are remembered and offered again
    // when the tournament is next opened.
    static void Run(QWidget* parent, CLiveService* service, const void* key,
                    const SystemEntryTable& entries, VelmoraTournament tournament,
                    const QString& tournamentPath);

    QCheckBox* m_checkOn;
    QLineEdit* m_editDestination;
    QPushButton* m_btnBrowse;
    QListWidget* m_listReports; // in the system's order; row = report index

protected:
    void accept() override;
};
