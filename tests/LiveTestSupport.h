#pragma once
// Shared by the live view's tests: a tournament folder as the host leaves it, and a raw HTTP
// client over loopback that sends exactly the bytes it is given (no client-side clean-up of
// "..", no encoding), so that the server sees what a hostile client would send.

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace LiveTest {

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A system package's skin folder and a tournament folder with the skin copied beside the page,
// the tournament file, a players list and a file outside both.
struct Tournament {
    QTemporaryDir root;
    QString skin, folder, page, trn;

    explicit Tournament(const QString& name = QStringLiteral("Клуб")) {
        skin = root.path() + "/Systems/rr/Обычная";
        folder = root.path() + "/Tournaments";
        page = folder + u'/' + name + ".htm";
        trn = folder + u'/' + name + ".trn";
        for (const QString& base : {skin, folder}) {
            WriteFile(base + "/style.css", "body { color: #123; }\n");
            WriteFile(base + "/img/logo.png", "\x89PNG\r\n\x1a\n");
            WriteFile(base + "/notes.txt", "not served\n");
        }
        WriteFile(trn, "RR 1\nsecret tournament data\n");
        WriteFile(folder + "/players.plr", "secret players\n");
        WriteFile(root.path() + "/outside.css", "outside\n");
        // A link in the skin that leads out of it: never copied, never served.
        QFile::link(root.path() + "/outside.css", skin + "/link.css");
        QFile::link(root.path() + "/outside.css", folder + "/link.css");
        WritePage("<p>Тур 1</p>");
    }
    void WritePage(const QByteArray& body) {
        WriteFile(page, "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                        "<title>Первенство клуба</title>\n<link rel=\"stylesheet\" "
                        "href=\"style.css\">\n</head>\n<body>\n" + body + "\n</body>\n</html>\n");
    }
};

struct Reply {
    int status = 0; // 0: no answer, the connection was closed
    QByteArray head;
    QByteArray body;
    QByteArray rest; // what followed the answer in the same read
    QByteArray Header(const QByteArray& name) const {
        for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith(name.toLower() + ':'))
                return line.mid(name.size() + 1).trimmed();
        return {};
    }
};

// Reads one answer from a socket: the head, then Content-Length bytes of body (none for HEAD).
inline Reply ReadReply(QTcpSocket& socket, bool head = false, int timeoutMs = 5000) {
    Reply reply;
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    qsizetype end = -1;
    while ((end = buffer.indexOf("\r\n\r\n")) < 0) {
        if (timer.elapsed() > timeoutMs || (!socket.bytesAvailable() && !socket.waitForReadyRead(200) &&
                                            socket.state() != QAbstractSocket::ConnectedState))
            return reply;
        buffer += socket.readAll();
    }
    reply.head = buffer.left(end);
    reply.status = reply.head.mid(9, 3).toInt();
    buffer.remove(0, end + 4);
    const qsizetype length = head ? 0 : reply.Header("Content-Length").toLongLong();
    while (buffer.size() < length && timer.elapsed() < timeoutMs) {
        if (!socket.bytesAvailable())
            socket.waitForReadyRead(200);
        buffer += socket.readAll();
    }
    reply.body = buffer.left(length);
    reply.rest = buffer.mid(length);
    return reply;
}

inline Reply Request(quint16 port, const QByteArray& method, const QByteArray& target,
                     const QByteArray& extra = {}) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return {};
    socket.write(method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra + "\r\n");
    return ReadReply(socket, method == "HEAD");
}

inline Reply Get(quint16 port, const QByteArray& target) {
    return Request(port, "GET", target);
}

} // namespace LiveTest
