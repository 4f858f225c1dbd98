#include "CChildFrame.h"

#include "tournament/CVelmoraDoc.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CVelmoraDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(document) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("tournamentFrame"));
}

CChildFrame::~CChildFrame() {
    // The view goes before the document it shows; the document frees the tournament.
    if (QWidget* view = widget()) {
        setWidget(nullptr);
        delete view;
    }
    if (m_pDocument)
        m_pDocument->SetView(nullptr);
    delete m_pDocument;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_pDocument && !m_pDocument->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
