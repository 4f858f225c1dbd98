#pragma once

#include <QString>
#include <QWidget>

class QWebEngineView;

// The table page viewer: a web view that shows a local HTML file by its path and reads it
// from disk again whenever it is asked to show the same path again.
class CWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit CWebBrowser(QWidget* parent = nullptr);

    // Shows the file at path (a plain file path, not a URL); the page's relative references,
    // the skin's files, resolve against its folder.
    void Navigate(const QString& path);

    QString GetLocationPath() const { return m_strLocation; }
    int GetNavigateCount() const { return m_nNavigations; }
    QWebEngineView* GetEngine() const { return m_pEngine; }

    // Tests of the windows around the browser run without the web engine (the engine wants
    // a process of its own set up for it); the browser then records what it was asked to show
    // and shows nothing. Unless set here, the engine is used except in the prompts' test mode.
    static void UseWebEngine(bool on);
    static bool WebEngineUsed();

signals:
    void navigated(const QString& path);

private:
    QWebEngineView* m_pEngine = nullptr;
    QString m_strLocation;
    int m_nNavigations = 0;
};
