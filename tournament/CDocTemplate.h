#pragma once

#include <QList>
#include <QMdiArea>
#include <QPointer>

#include <functional>

class CChildFrame;
class CVelmoraDoc;
class HostServices;

// The program's one document type: a CVelmoraDoc shown in a CChildFrame holding a
// CVelmoraView, inside the main frame's multiple-document area.
class CDocTemplate {
public:
    // Documents get the host's services; windows go into the area once it is set.
    explicit CDocTemplate(HostServices* host = nullptr);
    ~CDocTemplate();
    void SetWindowArea(QMdiArea* area) { m_pArea = area; }

    // A new, empty document; null when it cannot be created.
    CVelmoraDoc* CreateNewDocument();
    // A new child frame with its view for the document. The frame owns the document from
    // here on: closing or destroying the frame destroys the document. Null when it cannot be
    // created; the caller then deletes the document itself.
    CChildFrame* CreateNewFrame(CVelmoraDoc* document);
    // Both of the above: a new document in a new frame, or neither (null).
    CChildFrame* CreateNewDocumentAndFrame();
    // The frame's initial update: the view's initial update, then shown maximised and active.
    void InitialUpdateFrame(CChildFrame* frame, CVelmoraDoc* document, bool makeVisible = true);

    // The open documents, in order of creation.
    QList<CVelmoraDoc*> GetDocuments() const;
    // Leaving the program: asks about every modified document in turn. False as soon as one
    // answer is Cancel (or its Save As is cancelled): the program keeps running.
    bool SaveAllModified();
    // The same questions for any documents, in the order given; `ask` stands in for each
    // document's own SaveModified when set.
    static bool SaveModifiedDocuments(const QList<CVelmoraDoc*>& documents,
                                      const std::function<bool(CVelmoraDoc*)>& ask = {});
    // Closes every tournament window without asking; each document frees its tournament.
    void CloseAllDocuments();

private:
    HostServices* m_pHost;
    QPointer<QMdiArea> m_pArea;
    QList<QPointer<CVelmoraDoc>> m_documents;
};
