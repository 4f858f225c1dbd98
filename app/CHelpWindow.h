#pragma once

#include <QMainWindow>

class QTextBrowser;

// The program's help window: the HTML help set, with back, forward and contents.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    // Shows the topic (a file of the help set); false when it does not exist.
    bool ShowTopic(const QString& helpSet, const QString& topic);
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
    QString m_strHome;
};
