#pragma once

#include "LiveLimits.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

class CLiveServer;
class CPublisher;
class QThread;

// The live view as the program's windows see it: one object on the user-interface thread
// that knows the open tournaments' pages and runs the server, when it is on, on a thread of
// its own. The host reports pages and closed windows here whether or not it is on.
class CLiveService : public QObject {
    Q_OBJECT
public:
    explicit CLiveService(QObject* parent = nullptr);
    ~CLiveService() override;
    // The program's one service.
    static CLiveService* Instance();

    // Starts serving on port, on every IPv4 interface when network is true and otherwise on
    // this computer only. False, with the reason in error, when the port cannot be had.
    bool Start(quint16 port, bool network, QString* error = nullptr);
    // Closes the listening socket and every connection; the pages become unreachable.
    void Stop();
    bool IsRunning() const { return m_pServer != nullptr; }
    quint16 Port() const { return m_nPort; }
    bool IsNetwork() const { return m_bNetwork; }
    // The addresses to type in a browser: this computer's own, or every IPv4 address of the
    // machine's interfaces other than loopback.
    QStringList Addresses() const;

    // The host's side. key identifies a tournament window (its document); title is what the
    // index page lists. skinFolder is the skin's folder in the system's package, whose files
    // the host copied beside the page.
    void PageWritten(const void* key, const QString& title, const QString& pagePath,
                     const QString& skinFolder);
    void TournamentClosed(const void* key);
    // The path a tournament's page has on the server ("/3/"), or empty for an unknown key.
    QString PagePath(const void* key) const;
    // The page and skin folder last reported for a tournament; empty for an unknown key.
    QString TablePage(const void* key) const { return m_pages.value(key).pagePath; }
    QString SkinFolder(const void* key) const { return m_pages.value(key).skinFolder; }

    // Publishing beyond the hall, one publisher per tournament window, fed with every page
    // the window reports. Publisher is null while the tournament is not published.
    CPublisher* Publisher(const void* key) const { return m_publishers.value(key); }
    CPublisher* StartPublishing(const void* key);
    void EndPublishing(const void* key);

    // Tests and the benchmark: smaller limits, and the server itself for counting.
    void SetLimits(const LiveLimits& limits) { m_limits = limits; }
    CLiveServer* Server() const { return m_pServer; }

signals:
    void runningChanged(bool running);
    // After every page the host reported, whether or not the server is on.
    void pageWritten(const void* key);
    void tournamentClosed(const void* key);
    // A publisher's line for the status bar.
    void publishStatus(const QString& text);

private:
    struct Page {
        int id = 0;
        QString title;
        QString pagePath;
        QString skinFolder;
    };
    void PostPublish(const Page& page);

    LiveLimits m_limits;
    QThread* m_pThread = nullptr;
    CLiveServer* m_pServer = nullptr; // lives on m_pThread
    quint16 m_nPort = 0;
    bool m_bNetwork = false;
    QHash<const void*, Page> m_pages;
    int m_nNextId = 1;
    QHash<const void*, CPublisher*> m_publishers; // owned
};
