#pragma once

#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// What the main window shows while no tournament is open: the two ways to begin, the recent
// tournaments (a click opens one) and the installed systems. It lies in the window area
// beneath the tournament windows and is shown only when there are none.
class CStartPage : public QWidget {
    Q_OBJECT
public:
    explicit CStartPage(QWidget* parent = nullptr);

    // Fills the lists again from the recent-file list and the catalogue.
    void Refresh();

    QPushButton* m_btnNew;
    QPushButton* m_btnOpen;
    QListWidget* m_listRecent;  // item data: the file's path
    QListWidget* m_listSystems; // the systems' names, in natural order

signals:
    void newRequested();
    void openRequested();
    void recentChosen(const QString& path);

private:
    void OnRecentActivated(QListWidgetItem* item);
};
