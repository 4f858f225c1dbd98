#include "app/CInstanceChannel.h"

#include "app/ShellIntegration.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <memory>

namespace {
// The most a hand-over may send before its closing empty line.
constexpr qsizetype kMaxHandOverBytes = 1 << 20;
} // namespace

CInstanceChannel::CInstanceChannel(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this)) {
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceChannel::OnNewConnection);
}

CInstanceChannel::~CInstanceChannel() {
    m_pServer->close();
}

QString CInstanceChannel::ServerName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    const QByteArray key = (user + u'\n' + ShellIntegration::DataHome()).toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("velmora-") + QString::fromLatin1(hash);
}

bool CInstanceChannel::HandOver(const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray message;
    for (const QString& file : files)
        message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    message += '\n'; // an empty line ends the list
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running program answers once it has the whole list; without an answer it may be a
    // stale or hung one, and this start goes on by itself.
    if (!socket.waitForReadyRead(timeoutMs))
        return false;
    return socket.readAll().startsWith("ok");
}

bool CInstanceChannel::Listen() {
    if (m_pServer->isListening())
        return true;
    if (m_pServer->listen(ServerName()))
        return true;
    // A socket left behind by a program that ended abnormally: take it over, unless someone
    // still answers on it.
    QLocalSocket probe;
    probe.connectToServer(ServerName());
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(ServerName());
    return m_pServer->listen(ServerName());
}

bool CInstanceChannel::IsListening() const {
    return m_pServer->isListening();
}

void CInstanceChannel::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            // A list of paths is a few kilobytes; a sender that never ends its list must not
            // fill the memory of the running program.
            if (buffer->size() > kMaxHandOverBytes) {
                buffer->clear();
                socket->abort();
                return;
            }
            if (!buffer->endsWith("\n\n") && *buffer != "\n")
                return;
            QStringList files;
            for (const QByteArray& line : buffer->split('\n'))
                if (!line.isEmpty())
                    files.append(QString::fromUtf8(line));
            buffer->clear();
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            // The files are opened after this handler returns, since opening may run dialogs.
            QPointer<CInstanceChannel> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, files] {
                    for (const QString& file : files) {
                        if (!self || !self->m_receiver)
                            return;
                        self->m_receiver(file);
                    }
                },
                Qt::QueuedConnection);
        });
    }
}
