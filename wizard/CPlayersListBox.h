#pragma once

#include <QListWidget>

class CGetPlayersDlg;

// The players list of CGetPlayersDlg: the Delete key deletes the selected player through the
// dialog; every key, Delete included, then keeps its ordinary list behaviour.
class CPlayersListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CPlayersListBox(CGetPlayersDlg* owner, QWidget* parent = nullptr);

    CGetPlayersDlg* m_pOwner;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
