#pragma once

#include <QFont>
#include <QWidget>

class CVelmoraDoc;
class CWebBrowser;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QTabWidget;

// The match lists on the view's tabs, in their fixed order.
enum MatchListKind { Nearest = 0, Current = 1, Last = 2 };

// The tournament window's content: the three match lists with their buttons on the left,
// the table page on the right, with a splitter between them that the user can drag. The
// layout rules place the controls inside the left pane and give its starting width; a width
// the user chose is remembered for every tournament window.
class CVelmoraView : public QWidget {
    Q_OBJECT
public:
    explicit CVelmoraView(CVelmoraDoc* document, QWidget* parent = nullptr);
    CVelmoraDoc* GetDocument() const { return m_pDocument; }
    void OnInitialUpdate();

    // Tab switching, layout and the list of the selected tab.
    void ApplyTabState();
    void LayoutControls();
    void FillMatchList();
    // Shows the document's table page as it is on disk now.
    void ReloadTablePage();

    int GetSelectedTab() const;
    // The starting width of the match pane by the layout rules: the tab control and its margin.
    int DefaultMatchPaneWidth() const { return m_nDefaultPaneWidth; }
    // The match index (the plug-in's position) of the selected list item; -1 with none.
    int GetSelectedMatch() const;

    // Match commands: the result button and a double click in the list; the delete button.
    // Then the refresh after a change, since a result may change the table and every list.
    void OnMatchResult();
    void OnDeleteMatchResult();
    void RefreshAfterChange();

    // Tournament commands, reached from the main frame's menus, toolbar and accelerators.
    void OnReports();
    void OnTournamentInfo();
    void OnTournamentParameters();
    void OnChangeSkin();
    // The table page as shown: printed, previewed, or written into a PDF file.
    void OnPrint();
    void OnPrintPreview();
    void OnSaveAsPdf();

    CWebBrowser* m_wndBrowser = nullptr; // created by the initial update
    QFont m_fontTitle;
    bool m_bInitialized = false;
    QListWidget* m_listMatches;
    QPushButton* m_btnResult;
    QPushButton* m_btnDelete;
    QTabWidget* m_tabLists;
    QLabel* m_staticTitle;
    QSplitter* m_splitter;
    QWidget* m_paneMatches; // the left pane: title, tabs, buttons and list
    QWidget* m_paneBrowser; // the right pane: the table page

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Rewrites the table page when the plug-in says it changed, then reloads it.
    void SaveTableIfModified();
    // Marks the document modified when the plug-in says the tournament changed.
    void MarkIfTournamentModified();
    // After the parameters or the information: the page, the modified flag, the list.
    void RefreshAfterTournamentCommand();
    // Gives the match pane the width the user chose (or the default), within the view.
    void ApplyPaneWidth();
    void OnSplitterMoved();

    CVelmoraDoc* m_pDocument;
    int m_nDefaultPaneWidth = 0;
    int m_nPaneWidth = 0; // what the pane should have; 0 until the initial update
    // The template's margin between the right edges of the tab control and the buttons.
    int m_nButtonMargin = 0;
};
