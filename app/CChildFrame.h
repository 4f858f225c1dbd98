#pragma once

#include <QMdiSubWindow>

class CVelmoraDoc;

// The window of one open tournament inside the main frame.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CVelmoraDoc* document, QWidget* parent = nullptr);
    CVelmoraDoc* GetDocument() const { return m_pDocument; }

private:
    CVelmoraDoc* m_pDocument;
};
