#pragma once

#include "CPublishedCopy.h"

#include <QHash>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <functional>

class QThread;

// Publishes one tournament beyond the hall: after every change of its page, the page, its
// skin's files and the chosen reports go to a destination, either a folder (a synced folder,
// a mounted share, a web server's folder) or "host:path" / "user@host:path" through the
// system's rsync over ssh with the user's own keys. Only changed files are sent; a failure is
// reported and retried, and the local files are never touched.
class CPublisher : public QObject {
    Q_OBJECT
public:
    // Writes report `index` to path through the tournament's system.
    using ReportWriter = std::function<void(int index, const QString& path)>;
    struct Report {
        int index = 0;
        QString fileName; // as published, "Клуб - Таблица.html"
    };

    explicit CPublisher(QObject* parent = nullptr);
    ~CPublisher() override;

    void SetDestination(const QString& destination) { m_strDestination = destination; }
    QString Destination() const { return m_strDestination; }
    void SetReports(QList<Report> reports, ReportWriter writer);
    QList<Report> Reports() const { return m_reports; }
    // Milliseconds before a failed publication is tried again.
    void SetRetryInterval(int ms) { m_retry.setInterval(ms); }

    static bool IsRemote(const QString& destination);

    // Publishes the page now, or as soon as the publication under way has ended.
    void Publish(const QString& pagePath, const QString& skinFolder);
    bool IsBusy() const { return m_bBusy; }
    // The relative names sent by the last successful publication.
    QStringList LastSent() const { return m_lastSent; }

signals:
    // A line for the status bar: success or the reason of a failure.
    void statusChanged(const QString& text);
    void finished(bool ok);

private:
    void Run();
    void Done(bool ok, const QString& error, const QStringList& sent);

    QString m_strDestination;
    QList<Report> m_reports;
    ReportWriter m_writeReport;
    CPublishedCopy m_staging;
    QHash<QString, QByteArray> m_sentHashes; // folder destinations: name -> hash last sent
    QString m_strPage, m_strSkin;
    bool m_bBusy = false;
    bool m_bPending = false;
    QTimer m_retry;
    QProcess* m_pProcess = nullptr;
    QThread* m_pThread = nullptr; // a folder copy under way
    QStringList m_lastSent;
};
