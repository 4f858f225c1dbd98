#include "CDocTemplate.h"

#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"

#include <QMdiArea>

CDocTemplate::CDocTemplate(HostServices* host) : m_pHost(host) {}
CDocTemplate::~CDocTemplate() = default;

CVelmoraDoc* CDocTemplate::CreateNewDocument() {
    auto* document = new CVelmoraDoc(m_pHost);
    m_documents.removeAll(nullptr);
    m_documents.append(document);
    return document;
}

CChildFrame* CDocTemplate::CreateNewFrame(CVelmoraDoc* document) {
    if (!document)
        return nullptr;
    auto* frame = new CChildFrame(document);
    auto* view = new CVelmoraView(document, frame);
    frame->setWidget(view);
    document->SetView(view);
    if (m_pArea)
        m_pArea->addSubWindow(frame);
    return frame;
}

CChildFrame* CDocTemplate::CreateNewDocumentAndFrame() {
    CVelmoraDoc* document = CreateNewDocument();
    CChildFrame* frame = document ? CreateNewFrame(document) : nullptr;
    if (!frame)
        delete document;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CChildFrame* frame, CVelmoraDoc* document, bool makeVisible) {
    if (document && document->GetView())
        document->GetView()->OnInitialUpdate();
    if (frame && makeVisible) {
        frame->showMaximized();
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    }
}

QList<CVelmoraDoc*> CDocTemplate::GetDocuments() const {
    QList<CVelmoraDoc*> documents;
    for (const QPointer<CVelmoraDoc>& document : m_documents)
        if (document)
            documents.append(document);
    return documents;
}

bool CDocTemplate::SaveAllModified() {
    return SaveModifiedDocuments(GetDocuments());
}

bool CDocTemplate::SaveModifiedDocuments(const QList<CVelmoraDoc*>& documents,
                                         const std::function<bool(CVelmoraDoc*)>& ask) {
    for (CVelmoraDoc* document : documents)
        if (document && !(ask ? ask(document) : document->SaveModified()))
            return false;
    return true;
}

void CDocTemplate::CloseAllDocuments() {
    for (CVelmoraDoc* document : GetDocuments()) {
        if (CChildFrame* frame = document->GetFrame())
            delete frame;
        else
            delete document;
    }
    m_documents.clear();
}
