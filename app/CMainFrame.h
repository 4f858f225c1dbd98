#pragma once

#include "app/Commands.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <optional>

class CChildFrame;
class CStartPage;
class CVelmoraDoc;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;

// The main window: menus, toolbar, status line and the area holding the tournament windows.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    // The first status line pane: a progress text, or "" to clear it (the pane then shows the
    // idle text "Готово"). The pane is repainted at once.
    void SetMessageText(const QString& text);
    QString GetMessageText() const { return m_strMessage; }
    // What the first pane shows when no prompt covers it.
    QString MessagePaneText() const;

    // The tournament window that commands act on, or null.
    CChildFrame* ActiveChildFrame() const;
    QList<CChildFrame*> ChildFrames() const;
    MenuResource CurrentMenu() const { return m_nMenu; }
    QAction* Action(int command) const { return m_actions.value(command); }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    CStartPage* StartPage() const { return m_pStartPage; }

    // Menus, enabled commands, window list and recent files follow the active window again.
    void UpdateCommandUI();
    void UpdateRecentFileMenu();
    // Shows "CAP" while Caps Lock is on; nullopt where the platform cannot tell.
    void UpdateCapsPane(std::optional<bool> capsOn);

    // The platform's Caps Lock state, where it can tell.
    static std::optional<bool> QueryCapsLock();
    // The icon of the tournament windows, apart from the program's so that a tournament is told
    // from the program at a glance.
    static QIcon TournamentIcon();
    static QIcon ProgramIcon();
    // The pictures live in the static host library, whose resources do not register themselves.
    static void InitResources();

    // Asks about every modified tournament in turn and closes them all; false when the user
    // cancelled one, and then nothing is closed.
    bool CloseAllTournaments();
    // The save prompt used by CloseAllTournaments: CVelmoraDoc::SaveModified unless a test
    // answers in its place.
    static std::function<bool(CVelmoraDoc*)> s_saveModified;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(int command, const QString& text, const QString& prompt,
                        const QString& tooltip = {}, const QString& picture = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ShowMenu(MenuResource menu);
    // Gives a tournament window its icon and prompts, and follows its state and its end.
    void AdoptWindow(QMdiSubWindow* window);
    static void SetSystemMenuPrompts(QMdiSubWindow* window);
    void FillWindowMenu();
    void RetireAction(QAction* action);
    void OnCommand(int command);
    void OnOpenRecentFile(const QString& path);
    // The start page while no tournament window is open, over the whole window area.
    void UpdateStartPage();

    QMdiArea* m_pMdiArea;
    CStartPage* m_pStartPage = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pCapsPane = nullptr;
    QString m_strMessage;
    QHash<int, QAction*> m_actions;
    MenuResource m_nMenu = MenuResource::NoTournament;
    // The File menu without and with an active tournament (its commands differ); "&Вид" and
    // "&Помощь" are the same in both.
    QMenu* m_pFileMenu128 = nullptr;
    QMenu* m_pFileMenu129 = nullptr;
    QMenu* m_pViewMenu = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    QMenu* m_pHelpMenu = nullptr;
    QList<QAction*> m_recentActions;
    QList<QAction*> m_windowActions;
    bool m_bUpdatePending = false;
};
