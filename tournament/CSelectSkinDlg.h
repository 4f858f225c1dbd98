#pragma once

#include <QDialog>

class QListWidget;
class SystemInfo;

// "Выберите скин": the skins of a tournament's system, sorted, with the current one selected.
// The caller sets the system and the current skin, runs the dialog and, after OK, reads the
// chosen skin's position in the system's list.
class CSelectSkinDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectSkinDlg(QWidget* parent = nullptr);

    int exec() override;
    // Fills the list from the system; run by exec, callable by tests without a modal run.
    void OnInitDialog();
    // OK, Enter or a double click: keep the selected skin and close with OK.
    void OnOK();

    int m_nSkin = 0;                 // in: the current skin; out after OK: the chosen one
    SystemInfo* m_pSystem = nullptr; // not owned
    QListWidget* m_listSkins;
};
