#include "CChildFrame.h"

CChildFrame::CChildFrame(CVelmoraDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(document) {}
