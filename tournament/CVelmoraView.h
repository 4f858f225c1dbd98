#pragma once

#include <QWidget>

class CVelmoraDoc;

// The tournament window's content: the three match lists with their buttons on the left,
// the table page on the right.
class CVelmoraView : public QWidget {
    Q_OBJECT
public:
    explicit CVelmoraView(CVelmoraDoc* document, QWidget* parent = nullptr);
    CVelmoraDoc* GetDocument() const { return m_pDocument; }
    void OnInitialUpdate();

    // Tournament commands, reached from the main frame's menus, toolbar and accelerators.
    void OnReports();              // 132
    void OnTournamentInfo();       // 131
    void OnTournamentParameters(); // 139
    void OnChangeSkin();           // 141

private:
    CVelmoraDoc* m_pDocument;
};
