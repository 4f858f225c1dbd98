#include "CVelmoraView.h"

CVelmoraView::CVelmoraView(CVelmoraDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document) {}

void CVelmoraView::OnInitialUpdate() {}

void CVelmoraView::OnReports() {}
void CVelmoraView::OnTournamentInfo() {}
void CVelmoraView::OnTournamentParameters() {}
void CVelmoraView::OnChangeSkin() {}
