#pragma once

#include <QMdiSubWindow>

class CVelmoraDoc;

// The window of one open tournament inside the main frame. It owns its document: closing
// the window asks about unsaved changes, then destroys the view and, last, the document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CVelmoraDoc* document, QWidget* parent = nullptr);
    ~CChildFrame() override;
    CVelmoraDoc* GetDocument() const { return m_pDocument; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CVelmoraDoc* m_pDocument;
};
