#include "CLiveService.h"

#include "CLiveServer.h"
#include "CPublisher.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

// Each connection is a file descriptor; the usual soft limit of 1024 would turn clients away
// long before the server's own limit does.
void AllowDescriptors(int wanted) {
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < rlim_t(wanted)) {
        limit.rlim_cur = std::min<rlim_t>(rlim_t(wanted), limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
#else
    Q_UNUSED(wanted);
#endif
}

} // namespace

CLiveService::CLiveService(QObject* parent) : QObject(parent) {}

CLiveService::~CLiveService() {
    Stop();
}

CLiveService* CLiveService::Instance() {
    static QPointer<CLiveService> instance;
    if (!instance)
        instance = new CLiveService(QCoreApplication::instance());
    return instance;
}

bool CLiveService::Start(quint16 port, bool network, QString* error) {
    Stop();
    AllowDescriptors(m_limits.maxConnections * 2 + 256);
    auto* thread = new QThread;
    thread->setObjectName(QStringLiteral("velmora-live"));
    thread->start();
    CLiveServer* server = nullptr;
    bool ok = false;
    QString reason;
    const LiveLimits limits = m_limits;
    // Made, bound and later destroyed on its own thread, like every socket it owns.
    auto* anchor = new QObject;
    anchor->moveToThread(thread);
    QMetaObject::invokeMethod(anchor, [&] {
        server = new CLiveServer(limits);
        ok = server->Listen(network ? QHostAddress(QHostAddress::AnyIPv4)
                                    : QHostAddress(QHostAddress::LocalHost),
                            port, &reason);
        if (!ok) {
            delete server;
            server = nullptr;
            return;
        }
        port = server->Port(); // port 0 asks for any free one
    }, Qt::BlockingQueuedConnection);
    anchor->deleteLater();
    if (!ok) {
        thread->quit();
        thread->wait();
        delete thread;
        if (error)
            *error = reason;
        return false;
    }
    m_pThread = thread;
    m_pServer = server;
    m_nPort = port;
    m_bNetwork = network;
    for (const Page& page : std::as_const(m_pages))
        PostPublish(page);
    emit runningChanged(true);
    return true;
}

void CLiveService::Stop() {
    if (!m_pServer)
        return;
    CLiveServer* server = m_pServer;
    m_pServer = nullptr;
    QMetaObject::invokeMethod(server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    m_pThread->quit();
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
    emit runningChanged(false);
}

QStringList CLiveService::Addresses() const {
    const QString port = QString::number(m_nPort ? m_nPort : 8080);
    if (!m_bNetwork)
        return {QStringLiteral("http://127.0.0.1:%1/").arg(port)};
    QStringList addresses;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback())
                addresses.append(QStringLiteral("http://%1:%2/").arg(ip.toString(), port));
        }
    }
    return addresses;
}

void CLiveService::PageWritten(const void* key, const QString& title, const QString& pagePath,
                               const QString& skinFolder) {
    Page& page = m_pages[key];
    if (page.id == 0)
        page.id = m_nNextId++;
    page.title = title;
    page.pagePath = pagePath;
    page.skinFolder = skinFolder;
    if (m_pServer)
        PostPublish(page);
    if (CPublisher* publisher = m_publishers.value(key))
        publisher->Publish(pagePath, skinFolder);
    emit pageWritten(key);
}

void CLiveService::TournamentClosed(const void* key) {
    const auto it = m_pages.constFind(key);
    if (it == m_pages.cend())
        return;
    const int id = it->id;
    m_pages.erase(it);
    EndPublishing(key);
    if (CLiveServer* server = m_pServer)
        QMetaObject::invokeMethod(server, [server, id] { server->Withdraw(id); },
                                  Qt::QueuedConnection);
    emit tournamentClosed(key);
}

CPublisher* CLiveService::StartPublishing(const void* key) {
    CPublisher*& publisher = m_publishers[key];
    if (!publisher) {
        publisher = new CPublisher(this);
        connect(publisher, &CPublisher::statusChanged, this, &CLiveService::publishStatus);
    }
    return publisher;
}

void CLiveService::EndPublishing(const void* key) {
    delete m_publishers.take(key);
}

QString CLiveService::PagePath(const void* key) const {
    const auto it = m_pages.constFind(key);
    return it == m_pages.cend() ? QString() : QStringLiteral("/%1/").arg(it->id);
}

void CLiveService::PostPublish(const Page& page) {
    CLiveServer* server = m_pServer;
    QMetaObject::invokeMethod(server, [server, page] {
        server->Publish(page.id, page.title, page.pagePath, page.skinFolder);
    }, Qt::QueuedConnection);
}
