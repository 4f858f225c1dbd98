#pragma once

#include "systems/SystemEntryTable.h"

#include <QDialog>

#include <functional>
#include <vector>

class QListWidget;
class QPushButton;
class SystemInfo;

// "Параметры загрузки чемпионата": the systems that accept a tournament file, and a skin of
// the selected one. Element k of the two lists given belong together; a row's item value is
// k (systems) or the skin's position in its system's list (skins). After OK, m_entries,
// m_pSystem and m_nSkin hold the choice; after Cancel they are untouched.
class CSelectSystemDlg : public QDialog {
    Q_OBJECT
public:
    CSelectSystemDlg(const std::vector<SystemEntryTable>* pTables,
                     const std::vector<SystemInfo*>* pSystems, QWidget* parent = nullptr);

    const std::vector<SystemEntryTable>* m_pTables; // not owned
    const std::vector<SystemInfo*>* m_pSystems;     // not owned
    QListWidget* m_listSystems;
    SystemEntryTable m_entries;      // the chosen system's table, a copy
    SystemInfo* m_pSystem = nullptr; // the chosen system
    QListWidget* m_listSkins;
    int m_nSkin = 0; // the chosen skin's position in m_pSystem->m_skins

    // The system (its library's path) and skin (its name) to select at the start instead of
    // the first ones, e.g. what the tournament was last opened with; ignored when not offered.
    void SetPreferred(const QString& library, const QString& skin);

    void FillSkinList();
    void accept() override;
    void reject() override; // ends with 2

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    int SelectedSystemIndex() const;
    // The first row whose item value is preferred; row 0 when none is.
    static int PreferredRow(const QListWidget* list, const std::function<bool(int)>& preferred);

    QPushButton* m_btnOpen;
    QPushButton* m_btnCancel;
    bool m_bInitialised = false;
    QString m_strPreferredLibrary;
    QString m_strPreferredSkin;
};
