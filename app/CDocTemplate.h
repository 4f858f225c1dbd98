#pragma once

class CChildFrame;
class CVelmoraDoc;

// The program's one document type: a CVelmoraDoc shown in a CChildFrame holding a
// CVelmoraView, inside the main frame's multiple-document area.
class CDocTemplate {
public:
    CDocTemplate();
    ~CDocTemplate();

    // A new, empty document; null when it cannot be created.
    CVelmoraDoc* CreateNewDocument();
    // A new child frame with its view for the document; null when it cannot be created (the
    // document is then destroyed by the caller's clean-up, see CloseDocument).
    CChildFrame* CreateNewFrame(CVelmoraDoc* document);
    // The frame's initial update: the view's initial update, then shown and activated.
    void InitialUpdateFrame(CChildFrame* frame, CVelmoraDoc* document, bool makeVisible = true);
};
