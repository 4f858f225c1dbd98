#pragma once

#include "systems/SystemEntryTable.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The wizard's draw step: one row per draw method of the system, in the plug-in's order, so a
// row number is the method's index. Ends with 1 on "Далее", Enter or a double-click, 2 on
// "Отмена", Esc or the close box.
class CChooseSortingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChooseSortingDlg(const SystemEntryTable* pEntries, QWidget* parent = nullptr);

    const SystemEntryTable* m_pEntries;
    int m_nSorting = 0; // the chosen method, set on accept
    QListWidget* m_listSortings;

    void accept() override;
    void reject() override; // ends with 2

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();

    QPushButton* m_btnNext;
    QPushButton* m_btnCancel;
    bool m_bInitialised = false;
};
