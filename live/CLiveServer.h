#pragma once

#include "CPublishedCopy.h"
#include "LiveLimits.h"

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTimer>

#include <atomic>

class QHttpServerRequest;

// The listening socket of the live view: sockets get the low-delay option, a request-size
// bound and an idle timeout, and connections beyond the limit are turned away at once. Qt's
// HTTP server has none of these of its own.
class CLiveTcpServer : public QTcpServer {
    Q_OBJECT
public:
    CLiveTcpServer(const LiveLimits& limits, QObject* parent = nullptr);
    int OpenConnections() const { return m_nOpen.load(); }

protected:
    void incomingConnection(qintptr handle) override;

private:
    LiveLimits m_limits;
    std::atomic<int> m_nOpen = 0; // read by tests from another thread
};

// Serves the published copies of the open tournaments' table pages, read-only, and tells
// every browser showing a page when it was rewritten (server-sent events). Lives on a thread
// of its own, so that no client can hold up the program's windows.
class CLiveServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit CLiveServer(const LiveLimits& limits, QObject* parent = nullptr);
    ~CLiveServer() override;

    // Binds to address:port; false with a message in error when that cannot be done.
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const;

    // A tournament's page was (re)written: copy it and tell its browsers.
    void Publish(int id, const QString& title, const QString& pagePath, const QString& skinFolder);
    // A tournament's window closed: its page is gone, its browsers go to the index.
    void Withdraw(int id);
    int LiveClients() const { return static_cast<int>(m_subscribers.size()); }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct Tournament {
        QString title;
        QString pageName;
        quint64 version = 0;
    };
    struct Answer {
        int status = 404;
        QByteArray type;
        QByteArray body;
        QByteArray extraHeaders;
    };

    Answer Route(const QStringList& segments, const QHttpServerRequest& request,
                 QTcpSocket* socket, bool* streaming);
    Answer ServeFile(int id, const QString& path);
    Answer IndexPage() const;
    QByteArray WithLiveScript(const QByteArray& html, int id, quint64 version) const;
    void Subscribe(QTcpSocket* socket, int id, quint64 seenVersion);
    void Notify(int id, const QByteArray& event);
    void Heartbeat();
    static void Send(QTcpSocket* socket, bool head, const Answer& answer, bool close);

    LiveLimits m_limits;
    CLiveTcpServer* m_pTcp = nullptr;
    CPublishedCopy m_copy;
    QMap<int, Tournament> m_tournaments;
    QHash<QString, QByteArray> m_cache; // canonical path -> bytes as served
    QHash<QTcpSocket*, int> m_subscribers; // live channels: socket -> tournament (0: index)
    quint64 m_nVersion = 0;
    QTimer m_heartbeat;
};
