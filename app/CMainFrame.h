#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: menus, toolbar, status line and the area holding the tournament windows.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    // The first status line pane.
    void SetMessageText(const QString& text);

private:
    QMdiArea* m_pMdiArea;
};
