#pragma once

#include "systems/SystemEntryTable.h"

#include <QDialog>
#include <QString>

class CPlayersListBox;
class QLabel;
class QPushButton;

// The wizard's players step. The players live in the plug-in behind the wizard's players
// handle; the list shows one line per player, row i being player i. Ends with 1 from "Далее"
// (three players or more) and 2 from "Отмена", Esc or the close box.
class CGetPlayersDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPlayers = 4096;

    // The handle variable is read for every call and replaced by "Загрузить".
    CGetPlayersDlg(const SystemEntryTable* pEntries, VelmoraPlayers* ppPlayers,
                   QWidget* parent = nullptr);

    VelmoraPlayers* m_ppPlayers;
    const SystemEntryTable* m_pEntries;
    CPlayersListBox* m_listPlayers;
    QString m_strListPath;      // the players list file of the last confirmed file dialog
    QString m_strProgramFolder; // where a new players list is proposed to be saved
    QPushButton* m_btnPlayerModify;
    QPushButton* m_btnPlayerDelete;
    int m_nPlayers = 0;
    QPushButton* m_btnPlayerAdd;

    void RefreshControls();
    void ReloadPlayerList();

    void OnPlayerAdd();
    void OnPlayerModify();
    void OnPlayerDelete();
    void OnListAdd();
    void OnListSave();
    void OnListSaveAs();
    void OnListLoad();
    void OnNext();

    // The dialog has no OK command of its own: Enter belongs to "Добавить".
    void accept() override {}
    void reject() override; // ends with 2

protected:
    void showEvent(QShowEvent* event) override;

private:
    VelmoraPlayers Players() const { return m_ppPlayers ? *m_ppPlayers : 0; }
    QString PlayerLine(int index) const;
    QString AskListFile(bool save, const QString& title, const QString& initialFolder) const;
    QString ListFolder() const;
    // The save dialog from the folder given; a confirmed file is remembered and written.
    void SaveListFrom(const QString& initialFolder);

    QPushButton* m_btnListAdd;
    QPushButton* m_btnListSave;
    QPushButton* m_btnListSaveAs;
    QPushButton* m_btnListLoad;
    QPushButton* m_btnNext;
    QPushButton* m_btnCancel;
    QLabel* m_labelCount;
    bool m_bInitialised = false;
};
