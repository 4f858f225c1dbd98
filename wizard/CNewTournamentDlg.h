#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class SystemCatalogue;
class SystemInfo;

// The wizard's first step: the tournament system, its skin and the tournament name. Both
// lists sort themselves; each row's item value is the catalogue index (systems) or the skin's
// position in its system's list (skins), and a row is only ever resolved through it.
// Ends with 3 on "Далее", 2 on "Отмена", Esc or the close box.
class CNewTournamentDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultNext = 3;
    static constexpr int kMaxNameLength = 255;

    explicit CNewTournamentDlg(const SystemCatalogue* catalogue, QWidget* parent = nullptr);

    int m_nSystem = 0; // catalogue index of the chosen system, set by "Далее"
    QString m_strName; // the tournament name, set by "Далее"
    QListWidget* m_listSystems;
    QPlainTextEdit* m_editDescription;
    QListWidget* m_listSkins;
    int m_nSkin = 0; // position of the chosen skin in the system's skin list, set by "Далее"

    void OnSystemChanged();
    void FillSkinList();
    void OnNext();

    void reject() override; // ends with 2

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    SystemInfo* SelectedSystem() const;

    const SystemCatalogue* m_pCatalogue; // not owned
    QLineEdit* m_editName;
    QPushButton* m_btnNext;
    QPushButton* m_btnCancel;
    bool m_bInitialised = false;
};
