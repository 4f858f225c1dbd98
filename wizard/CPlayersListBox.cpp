#include "wizard/CPlayersListBox.h"

#include "wizard/CGetPlayersDlg.h"

#include <QKeyEvent>

CPlayersListBox::CPlayersListBox(CGetPlayersDlg* owner, QWidget* parent)
    : QListWidget(parent), m_pOwner(owner) {}

void CPlayersListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && m_pOwner)
        m_pOwner->OnPlayerDelete();
    QListWidget::keyPressEvent(event);
}
