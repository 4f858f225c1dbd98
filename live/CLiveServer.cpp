#include "CLiveServer.h"

#include "LiveAssets.h"
#include "LivePaths.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QTcpSocket>
#include <QUrlQuery>

namespace {

// Only what this server sends itself may run; skins may still style with attributes.
constexpr char kSecurityHeaders[] =
    "Content-Security-Policy: default-src 'self'; script-src 'self'; style-src 'self' "
    "'unsafe-inline'; img-src 'self' data:; font-src 'self'; connect-src 'self'; "
    "object-src 'none'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n"
    "X-Content-Type-Options: nosniff\r\n"
    "Cache-Control: no-cache\r\n"
    "Referrer-Policy: no-referrer\r\n";

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

QByteArray HtmlEscaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

// "12" -> 12; anything but a plain positive number -> 0.
int TournamentId(const QString& segment) {
    bool ok = false;
    const int id = segment.toInt(&ok);
    return ok && id > 0 && QString::number(id) == segment ? id : 0;
}

// Answers, then reads and drops whatever else the client sends until it closes, for a second
// at most. Closing at once would make the kernel answer the client's next bytes with a reset,
// and a reset throws the unread answer away on the client's side.
void CloseWith(QTcpSocket* socket, int status) {
    socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + ReasonPhrase(status) +
                  "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket] { socket->readAll(); });
    socket->readAll();
    QTimer::singleShot(1000, socket, &QAbstractSocket::abort);
}

} // namespace

CLiveTcpServer::CLiveTcpServer(const LiveLimits& limits, QObject* parent)
    : QTcpServer(parent), m_limits(limits) {}

void CLiveTcpServer::incomingConnection(qintptr handle) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    if (m_nOpen >= m_limits.maxConnections) {
        CloseWith(socket, 503);
        return;
    }
    ++m_nOpen;
    connect(socket, &QObject::destroyed, this, [this] { --m_nOpen; });
    // A 40 KB page must not wait for the client's acknowledgement of the previous segment.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, m_limits.lowDelay ? 1 : 0);

    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(m_limits.idleMs);
    connect(idle, &QTimer::timeout, socket, &QAbstractSocket::abort);
    connect(socket, &QIODevice::bytesWritten, idle, qOverload<>(&QTimer::start));
    // Connected before the HTTP server's own handler, so that an oversized request is cut off
    // before it is parsed: the server keeps an unfinished request's bytes in the socket.
    const qint64 maxBytes = m_limits.maxRequestBytes;
    connect(socket, &QIODevice::readyRead, socket, [socket, idle, maxBytes] {
        idle->start();
        if (socket->bytesAvailable() > maxBytes) {
            // The HTTP server's own handler, next in line, must not parse what is left.
            QObject::disconnect(socket, &QIODevice::readyRead, nullptr, nullptr);
            CloseWith(socket, 431);
        }
    });
    idle->start();
    addPendingConnection(socket);
}

CLiveServer::CLiveServer(const LiveLimits& limits, QObject* parent)
    : QAbstractHttpServer(parent), m_limits(limits) {
    m_heartbeat.setInterval(m_limits.heartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &CLiveServer::Heartbeat);
}

CLiveServer::~CLiveServer() {
    // The listening socket first, then every client.
    if (m_pTcp)
        m_pTcp->close();
    for (QTcpSocket* socket : m_pTcp ? m_pTcp->findChildren<QTcpSocket*>() : QList<QTcpSocket*>())
        socket->abort();
}

bool CLiveServer::Listen(const QHostAddress& address, quint16 port, QString* error) {
    if (!m_copy.IsValid()) {
        if (error)
            *error = QStringLiteral("не удалось создать временную папку");
        return false;
    }
    auto* tcp = new CLiveTcpServer(m_limits, this);
    // A hall's phones all reload at once after a result; a short queue would drop their
    // connection requests and make them retry a second later.
    tcp->setListenBacklogSize(std::min(m_limits.maxConnections, 1024));
    if (!tcp->listen(address, port)) {
        if (error)
            *error = tcp->errorString();
        delete tcp;
        return false;
    }
    bind(tcp);
    m_pTcp = tcp;
    m_heartbeat.start();
    return true;
}

quint16 CLiveServer::Port() const {
    return m_pTcp ? m_pTcp->serverPort() : 0;
}

void CLiveServer::Publish(int id, const QString& title, const QString& pagePath,
                          const QString& skinFolder) {
    if (!m_copy.Publish(id, pagePath, skinFolder)) {
        // A page that cannot be copied is not served stale.
        Withdraw(id);
        return;
    }
    m_cache.clear();
    const bool known = m_tournaments.contains(id);
    Tournament& t = m_tournaments[id];
    t.title = title;
    t.pageName = QFileInfo(pagePath).fileName();
    t.version = ++m_nVersion;
    Notify(id, "event: change\ndata: " + QByteArray::number(t.version) + "\n\n");
    if (!known)
        Notify(0, "event: change\ndata: " + QByteArray::number(t.version) + "\n\n");
}

void CLiveServer::Withdraw(int id) {
    m_copy.Remove(id);
    m_cache.clear();
    if (m_tournaments.remove(id) == 0)
        return;
    ++m_nVersion;
    Notify(id, "event: closed\ndata: \n\n");
    Notify(0, "event: change\ndata: " + QByteArray::number(m_nVersion) + "\n\n");
}

bool CLiveServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const bool close = request.value("Connection").compare("close", Qt::CaseInsensitive) == 0;
    const auto method = request.method();
    if (method != QHttpServerRequest::Method::Get && method != QHttpServerRequest::Method::Head) {
        Answer answer{405, "text/plain; charset=utf-8", "Method Not Allowed\n", "Allow: GET, HEAD\r\n"};
        Send(socket, false, answer, close);
        return true;
    }
    const bool head = method == QHttpServerRequest::Method::Head;
    bool streaming = false;
    const QStringList segments =
        LivePaths::Segments(request.url().path(QUrl::FullyEncoded).toUtf8());
    Answer answer = segments.isEmpty() ? Answer{} : Route(segments, request, socket, &streaming);
    if (!streaming)
        Send(socket, head, answer, close);
    return true;
}

void CLiveServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    Send(socket, false, Answer{}, false);
}

CLiveServer::Answer CLiveServer::Route(const QStringList& segments,
                                       const QHttpServerRequest& request, QTcpSocket* socket,
                                       bool* streaming) {
    if (segments.size() == 1 && segments[0].isEmpty())
        return IndexPage();
    if (segments[0] == QLatin1String("_live")) {
        if (segments.size() == 2 && segments[1] == QLatin1String("live.js"))
            return {200, "text/javascript; charset=utf-8", LiveAssets::Script(), {}};
        if (segments.size() == 2 && segments[1] == QLatin1String("live.css"))
            return {200, "text/css; charset=utf-8", LiveAssets::StyleSheet(), {}};
        if (segments[1] == QLatin1String("events") && segments.size() <= 3 &&
            request.method() == QHttpServerRequest::Method::Get) {
            const int id = segments.size() == 3 ? TournamentId(segments[2]) : 0;
            if (segments.size() == 3 && !m_tournaments.contains(id))
                return {};
            const quint64 seen = QUrlQuery(request.url()).queryItemValue("v").toULongLong();
            *streaming = true;
            Subscribe(socket, id, seen);
        }
        return {};
    }
    const int id = TournamentId(segments[0]);
    if (!m_tournaments.contains(id))
        return {};
    if (segments.size() == 1) // relative links of the page need the folder form
        return {301, "text/plain; charset=utf-8", {},
                "Location: /" + QByteArray::number(id) + "/\r\n"};
    if (segments.size() == 2 && segments[1].isEmpty())
        return ServeFile(id, m_tournaments.value(id).pageName);
    return ServeFile(id, segments.mid(1).join(u'/'));
}

CLiveServer::Answer CLiveServer::ServeFile(int id, const QString& path) {
    const QString canonical =
        LivePaths::ResolveInside(m_copy.Folder(id), path.split(u'/'));
    if (canonical.isEmpty())
        return {};
    const QByteArray type = LivePaths::ContentType(canonical);
    auto cached = m_cache.constFind(canonical);
    if (cached == m_cache.cend()) {
        QFile file(canonical);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = file.readAll();
        if (type.startsWith("text/html"))
            bytes = WithLiveScript(bytes, id, m_tournaments.value(id).version);
        cached = m_cache.insert(canonical, bytes);
    }
    return {200, type, *cached, {}};
}

CLiveServer::Answer CLiveServer::IndexPage() const {
    QByteArray items;
    for (auto it = m_tournaments.cbegin(); it != m_tournaments.cend(); ++it)
        items += "<li><a href=\"/" + QByteArray::number(it.key()) + "/\">" +
                 HtmlEscaped(it->title) + "</a></li>\n";
    return {200, "text/html; charset=utf-8",
            WithLiveScript(LiveAssets::IndexPage(items), 0, m_nVersion), {}};
}

// The page as the browser gets it: the files on disk stay exactly as the system wrote them.
QByteArray CLiveServer::WithLiveScript(const QByteArray& html, int id, quint64 version) const {
    QByteArray tags = "<link rel=\"stylesheet\" href=\"/_live/live.css\">\n"
                      "<script src=\"/_live/live.js\" data-t=\"" + QByteArray::number(id) +
                      "\" data-v=\"" + QByteArray::number(version) + "\" defer></script>\n"
                      "<noscript><meta http-equiv=\"refresh\" content=\"20\"></noscript>\n";
    if (!html.contains("name=\"viewport\""))
        tags.prepend("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    QByteArray result = html;
    qsizetype at = html.toLower().indexOf("</head>");
    if (at < 0)
        at = 0;
    result.insert(at, tags);
    return result;
}

void CLiveServer::Subscribe(QTcpSocket* socket, int id, quint64 seenVersion) {
    socket->write(QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n") +
                  kSecurityHeaders + "\r\nretry: 1000\n\n");
    m_subscribers.insert(socket, id);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_subscribers.remove(socket); });
    // A change between the page's answer and this channel is not lost.
    const quint64 current = id == 0 ? m_nVersion : m_tournaments.value(id).version;
    if (seenVersion != 0 && seenVersion < current)
        socket->write("event: change\ndata: " + QByteArray::number(current) + "\n\n");
}

void CLiveServer::Notify(int id, const QByteArray& event) {
    for (auto it = m_subscribers.cbegin(); it != m_subscribers.cend(); ++it) {
        if (it.value() != id)
            continue;
        QTcpSocket* socket = it.key();
        if (socket->bytesToWrite() > m_limits.maxPendingBytes)
            socket->abort(); // a client that does not read is not buffered for
        else if (socket->write(event) > 0)
            socket->flush(); // now, not on the socket's next turn in the event loop
    }
}

void CLiveServer::Heartbeat() {
    const QList<QTcpSocket*> sockets = m_subscribers.keys();
    for (QTcpSocket* socket : sockets) {
        if (socket->bytesToWrite() > m_limits.maxPendingBytes)
            socket->abort();
        else
            socket->write(": \n\n");
    }
}

void CLiveServer::Send(QTcpSocket* socket, bool head, const Answer& answer, bool close) {
    QByteArray body = answer.body;
    QByteArray type = answer.type;
    if (answer.status == 404 && body.isEmpty()) {
        body = "Not Found\n";
        type = "text/plain; charset=utf-8";
    }
    QByteArray out;
    out.reserve(512 + (head ? 0 : body.size()));
    out += "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + ReasonPhrase(answer.status) +
           "\r\n";
    if (!type.isEmpty())
        out += "Content-Type: " + type + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += kSecurityHeaders;
    out += answer.extraHeaders;
    if (close)
        out += "Connection: close\r\n";
    out += "\r\n";
    if (!head) // a HEAD answer has the length of the body it does not carry
        out += body;
    socket->write(out);
    if (close)
        socket->disconnectFromHost();
}
