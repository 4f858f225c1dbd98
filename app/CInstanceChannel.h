#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// One listening socket per user's desktop: a start for files that finds it hands them over and
// ends; the running program opens them one at a time.
class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit CInstanceChannel(QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The socket's name: per user and per desktop data folder, so that tests with their own
    // folders never meet the user's program.
    static QString ServerName();

    // Sends the files to a running program. True when it took them (this process should end).
    static bool HandOver(const QStringList& files, int timeoutMs = 3000);

    // Starts listening; false when another program already listens.
    bool Listen();
    bool IsListening() const;

    // Called with each file handed over, in order.
    void SetReceiver(std::function<void(const QString&)> receiver) {
        m_receiver = std::move(receiver);
    }

private:
    void OnNewConnection();

    QLocalServer* m_pServer;
    std::function<void(const QString&)> m_receiver;
};
