#include "CMainFrame.h"

#include <QMdiArea>
#include <QStatusBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_pMdiArea(new QMdiArea(this)) {
    setCentralWidget(m_pMdiArea);
    setWindowTitle(QStringLiteral("Velmora"));
}

void CMainFrame::SetMessageText(const QString& text) {
    statusBar()->showMessage(text);
}
