// The view's commands on the whole tournament: parameters, information, skin and reports.
#include "CVelmoraView.h"

#include "tournament/CVelmoraDoc.h"

void CVelmoraView::OnReports() {}
void CVelmoraView::OnTournamentInfo() {}
void CVelmoraView::OnTournamentParameters() {}
void CVelmoraView::OnChangeSkin() {}
