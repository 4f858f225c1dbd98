#include "CPublisher.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <memory>

namespace {

constexpr int kStage = 1; // the staging copy's only folder

struct FolderResult {
    bool ok = true;
    QString error;
    QStringList sent;
    QHash<QString, QByteArray> hashes;
};

// Copies into dest every file of staging whose content differs from what was sent last time
// or is not there any more. Runs off the window's thread: a hung network share stalls only
// this copy.
FolderResult SyncFolder(const QString& staging, const QString& dest, QHash<QString, QByteArray> sent) {
    FolderResult result;
    if (!QFileInfo(dest).isDir() && !QDir().mkpath(dest)) {
        result.ok = false;
        result.error = QStringLiteral("нет доступа к папке «%1»").arg(QDir::toNativeSeparators(dest));
        return result;
    }
    const QDir base(staging);
    QDirIterator it(staging, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = in.readAll();
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        const QString target = dest + u'/' + relative;
        const QFileInfo there(target);
        if (sent.value(relative) == hash && there.isFile() && there.size() == bytes.size()) {
            result.hashes.insert(relative, hash);
            continue;
        }
        QDir().mkpath(there.absolutePath());
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
            result.ok = false;
            result.error = QStringLiteral("не удалось записать «%1»: %2")
                               .arg(QDir::toNativeSeparators(target), out.errorString());
            return result;
        }
        result.hashes.insert(relative, hash);
        result.sent.append(relative);
    }
    return result;
}

} // namespace

CPublisher::CPublisher(QObject* parent) : QObject(parent) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(30000);
    connect(&m_retry, &QTimer::timeout, this, &CPublisher::Run);
}

CPublisher::~CPublisher() {
    if (m_pThread) {
        // A copy to a hung share is left to finish on its own rather than hold the window.
        m_pThread->disconnect(this);
        if (m_pThread->wait(5000))
            delete m_pThread;
    }
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        m_pProcess->kill();
        m_pProcess->waitForFinished(2000);
    }
}

void CPublisher::SetReports(QList<Report> reports, ReportWriter writer) {
    m_reports = std::move(reports);
    m_writeReport = std::move(writer);
}

bool CPublisher::IsRemote(const QString& destination) {
    // "host:path" or "user@host:path", as rsync and ssh take it; a drive letter is no host.
    static const QRegularExpression remote(QStringLiteral("^([\\w.+-]+@)?[\\w.-]{2,}:"));
    return remote.match(destination).hasMatch();
}

void CPublisher::Publish(const QString& pagePath, const QString& skinFolder) {
    m_strPage = pagePath;
    m_strSkin = skinFolder;
    if (m_bBusy) {
        m_bPending = true;
        return;
    }
    Run();
}

void CPublisher::Run() {
    m_retry.stop();
    if (m_strDestination.isEmpty() || m_strPage.isEmpty())
        return;
    m_bBusy = true;
    m_bPending = false;
    // The reports are written now, on the window's thread, as every call of the system is.
    if (!m_staging.Publish(kStage, m_strPage, m_strSkin)) {
        Done(false, QStringLiteral("страница «%1» не прочитана").arg(m_strPage), {});
        return;
    }
    const QString staging = m_staging.Folder(kStage);
    for (const Report& report : std::as_const(m_reports))
        if (m_writeReport)
            m_writeReport(report.index, staging + u'/' + report.fileName);

    if (IsRemote(m_strDestination)) {
        const QString rsync = QStandardPaths::findExecutable(QStringLiteral("rsync"));
        if (rsync.isEmpty()) {
            Done(false, QStringLiteral("не установлена программа rsync"), {});
            return;
        }
        m_pProcess = new QProcess(this);
        m_pProcess->setProgram(rsync);
        // The user's keys only: a password prompt would hang with no terminal to answer it.
        m_pProcess->setArguments({QStringLiteral("-rt"), QStringLiteral("--checksum"),
                                  QStringLiteral("--out-format=%n"), QStringLiteral("-e"),
                                  QStringLiteral("ssh -o BatchMode=yes -o ConnectTimeout=15"),
                                  staging + u'/', m_strDestination});
        connect(m_pProcess, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
            const QString out = QString::fromLocal8Bit(m_pProcess->readAllStandardOutput());
            const QString err = QString::fromLocal8Bit(m_pProcess->readAllStandardError()).trimmed();
            m_pProcess->deleteLater();
            m_pProcess = nullptr;
            QStringList sent = out.split(u'\n', Qt::SkipEmptyParts);
            sent.removeIf([](const QString& line) { return line.endsWith(u'/'); });
            if (status != QProcess::NormalExit || code != 0)
                Done(false, err.isEmpty() ? QStringLiteral("rsync завершился с кодом %1").arg(code)
                                          : err.section(u'\n', 0, 0), {});
            else
                Done(true, {}, sent);
        });
        connect(m_pProcess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart && m_pProcess) {
                m_pProcess->deleteLater();
                m_pProcess = nullptr;
                Done(false, QStringLiteral("не удалось запустить rsync"), {});
            }
        });
        m_pProcess->start();
        return;
    }

    auto result = std::make_shared<FolderResult>();
    QThread* thread = QThread::create(
        [result, staging, dest = m_strDestination, sent = m_sentHashes] {
            *result = SyncFolder(staging, dest, sent);
        });
    m_pThread = thread;
    connect(thread, &QThread::finished, this, [this, thread, result] {
        thread->deleteLater();
        m_pThread = nullptr;
        if (result->ok)
            m_sentHashes = result->hashes;
        Done(result->ok, result->error, result->sent);
    });
    thread->start();
}

void CPublisher::Done(bool ok, const QString& error, const QStringList& sent) {
    m_bBusy = false;
    if (ok) {
        m_lastSent = sent;
        emit statusChanged(QStringLiteral("Таблица опубликована в %1")
                               .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    } else {
        emit statusChanged(QStringLiteral("Публикация не удалась: %1. Новая попытка через %2 с.")
                               .arg(error)
                               .arg(m_retry.interval() / 1000));
        m_retry.start();
    }
    emit finished(ok);
    if (m_bPending)
        Run();
}
