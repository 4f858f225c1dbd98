#include "CDocTemplate.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"

#include <QMdiArea>

CDocTemplate::CDocTemplate() = default;
CDocTemplate::~CDocTemplate() = default;

CVelmoraDoc* CDocTemplate::CreateNewDocument() {
    return new CVelmoraDoc;
}

CChildFrame* CDocTemplate::CreateNewFrame(CVelmoraDoc* document) {
    CMainFrame* main = theApp() ? theApp()->GetMainFrame() : nullptr;
    auto* frame = new CChildFrame(document);
    auto* view = new CVelmoraView(document, frame);
    frame->setWidget(view);
    document->SetView(view);
    if (main)
        main->MdiArea()->addSubWindow(frame);
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CChildFrame* frame, CVelmoraDoc* document, bool makeVisible) {
    if (document && document->GetView())
        document->GetView()->OnInitialUpdate();
    if (frame && makeVisible)
        frame->showMaximized();
}
