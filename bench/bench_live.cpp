// The live view under load, over loopback only: requests per second on one connection and on
// fifty, two hundred clients fetching while results are entered (with the window thread's
// worst delay), and how long the last of 500 live clients waits to hear of a change and to
// have the new page (five results in turn), with the page copy that precedes the telling on
// its own. Every phase is bounded in count and in time.
#include "live/CLiveServer.h"
#include "live/CLiveService.h"
#include "live/CPublishedCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

namespace {

QElapsedTimer g_clock; // one clock for both threads

// One keep-alive client: asks for target `limit` times in a row, counting answers that are
// not 200 (or a dropped connection) as errors.
class Fetcher : public QObject {
public:
    Fetcher(quint16 port, QByteArray target, int limit, std::function<void(Fetcher*)> done)
        : m_target(std::move(target)), m_limit(limit), m_done(std::move(done)) {
        connect(&m_socket, &QTcpSocket::connected, this, [this] { Ask(); });
        connect(&m_socket, &QTcpSocket::readyRead, this, [this] { Read(); });
        connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
            if (m_count < m_limit) {
                m_errors += m_limit - m_count;
                m_count = m_limit;
                Finish();
            }
        });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    int m_errors = 0;
    int m_count = 0;
    qint64 m_finishedNs = 0;

private:
    void Ask() { m_socket.write("GET " + m_target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"); }
    void Read() {
        m_buffer += m_socket.readAll();
        while (true) {
            if (m_need < 0) {
                const qsizetype end = m_buffer.indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                if (m_buffer.mid(9, 3) != "200")
                    ++m_errors;
                const qsizetype at = m_buffer.indexOf("Content-Length: ");
                const qint64 length =
                    at >= 0 && at < end
                        ? m_buffer.mid(at + 16, m_buffer.indexOf('\r', at) - at - 16).toLongLong()
                        : 0;
                m_need = end + 4 + length;
            }
            if (m_buffer.size() < m_need)
                return;
            m_buffer.remove(0, m_need);
            m_need = -1;
            if (++m_count >= m_limit) {
                Finish();
                return;
            }
            Ask();
        }
    }
    void Finish() {
        m_finishedNs = g_clock.nsecsElapsed();
        m_socket.disconnect(this);
        m_socket.abort();
        m_done(this);
    }

    QTcpSocket m_socket;
    QByteArray m_target;
    QByteArray m_buffer;
    qint64 m_need = -1;
    int m_limit;
    std::function<void(Fetcher*)> m_done;
};

// One browser showing the page: its live channel, and the moment it hears of a change. It
// does nothing else then: five hundred of them share one thread here, where in the hall each
// has a phone of its own, so any work one did on being told (closing its channel, opening
// the next connection) would delay reading the others' events and be counted as the
// server's. The reloads come after every client has been told.
class Watcher : public QObject {
public:
    Watcher(quint16 port, std::atomic<int>* ready, std::atomic<int>* told)
        : m_port(port) {
        connect(&m_socket, &QTcpSocket::connected, this, [this] {
            m_socket.write("GET /_live/events/1 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        });
        connect(&m_socket, &QTcpSocket::readyRead, this, [this, ready, told] {
            const qint64 now = g_clock.nsecsElapsed();
            m_buffer += m_socket.readAll();
            if (!m_subscribed && m_buffer.contains("\r\n\r\n")) {
                m_subscribed = true;
                ++*ready;
            }
            if (m_toldNs == 0 && m_buffer.contains("event: change")) {
                m_toldNs = now;
                ++*told;
            }
        });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    ~Watcher() override { delete m_reload; }
    // As a browser does on a change: drops the channel and fetches the page again.
    void Reload(std::function<void()> done) {
        m_socket.abort();
        m_reload = new Fetcher(m_port, "/1/", 1, [this, done](Fetcher* f) {
            m_reloadedNs = f->m_finishedNs;
            m_errors = f->m_errors;
            done();
        });
    }
    qint64 m_toldNs = 0, m_reloadedNs = 0;
    int m_errors = 0;

private:
    quint16 m_port;
    QTcpSocket m_socket;
    QByteArray m_buffer;
    bool m_subscribed = false;
    Fetcher* m_reload = nullptr;
};

struct Throughput {
    int requests = 0, errors = 0;
    double seconds = 0;
};

// `connections` clients together ask for `total` pages; meanwhile the window thread keeps
// doing `whileRunning` (entering results) and measuring how late its own timer fires.
Throughput Fetch(quint16 port, int connections, int total, const QByteArray& target,
                 qint64* worstLateMs = nullptr, const std::function<void()>& whileRunning = {}) {
    Throughput result;
    std::atomic<bool> finished = false;
    QTimer tick;
    qint64 last = g_clock.elapsed(), worst = 0;
    if (worstLateMs) {
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = g_clock.elapsed();
            worst = std::max(worst, now - last - 10);
            last = now;
            if (whileRunning)
                whileRunning();
        });
        tick.start();
    }
    QElapsedTimer timer;
    timer.start();
    QThread clients;
    clients.start();
    QObject anchor;
    anchor.moveToThread(&clients);
    std::vector<Fetcher*> fetchers;
    QMetaObject::invokeMethod(&anchor, [&] {
        auto* left = new int(connections);
        for (int i = 0; i < connections; ++i)
            fetchers.push_back(new Fetcher(port, target, total / connections, [&, left](Fetcher*) {
                if (--*left == 0) {
                    finished = true;
                    delete left;
                }
            }));
    }, Qt::BlockingQueuedConnection);
    while (!finished && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    result.seconds = timer.nsecsElapsed() / 1e9;
    QMetaObject::invokeMethod(&anchor, [&] {
        for (Fetcher* f : fetchers) {
            result.requests += f->m_count;
            result.errors += f->m_errors;
            delete f;
        }
    }, Qt::BlockingQueuedConnection);
    clients.quit();
    clients.wait();
    if (worstLateMs)
        *worstLateMs = worst;
    return result;
}

QByteArray Page40K() {
    QByteArray html = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>Бенчмарк</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n"
                      "</head>\n<body>\n<table class=\"crosstable\">\n";
    for (int row = 0; html.size() < 40 * 1024; ++row)
        html += "<tr><td class=\"name\">Игрок " + QByteArray::number(row) +
                "</td><td class=\"game\">1</td><td class=\"game\">½</td><td class=\"points\">" +
                QByteArray::number(row % 9) + "</td></tr>\n";
    return html + "</table>\n</body>\n</html>\n";
}

// The page copy that comes before the browsers are told, alone: its worst of fifty.
double WorstCopyMs(const QString& page, const QString& skin) {
    CPublishedCopy copy;
    qint64 worst = 0;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer timer;
        timer.start();
        copy.Publish(1, page, skin);
        worst = std::max(worst, timer.nsecsElapsed());
    }
    return worst / 1e6;
}

void LiveClients(CLiveService& live, quint16 port, const QString& page, const QString& skin,
                 const int* key) {
    const int watchers = 500;
    std::atomic<int> ready = 0, told = 0, reloaded = 0;
    std::vector<Watcher*> all;
    QThread clients;
    clients.start();
    QObject anchor;
    anchor.moveToThread(&clients);
    QMetaObject::invokeMethod(&anchor, [&] {
        for (int i = 0; i < watchers; ++i)
            all.push_back(new Watcher(port, &ready, &told));
    }, Qt::BlockingQueuedConnection);
    QElapsedTimer wait;
    wait.start();
    while (ready < watchers && wait.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(200);
    const qint64 resultNs = g_clock.nsecsElapsed();
    live.PageWritten(key, "Бенчмарк", page, skin);
    wait.restart();
    while (told < int(ready) && wait.elapsed() < 30000)
        QThread::usleep(200);
    QMetaObject::invokeMethod(&anchor, [&] {
        for (Watcher* w : all)
            if (w->m_toldNs)
                w->Reload([&] { ++reloaded; });
    }, Qt::BlockingQueuedConnection);
    while (reloaded < int(told) && wait.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    qint64 firstTold = std::numeric_limits<qint64>::max(), lastTold = 0, lastReload = 0;
    int errors = 0;
    QMetaObject::invokeMethod(&anchor, [&] {
        for (Watcher* w : all) {
            if (w->m_toldNs) {
                firstTold = std::min(firstTold, w->m_toldNs - resultNs);
                lastTold = std::max(lastTold, w->m_toldNs - resultNs);
            }
            if (w->m_reloadedNs)
                lastReload = std::max(lastReload, w->m_reloadedNs - resultNs);
            errors += w->m_errors;
            delete w;
        }
    }, Qt::BlockingQueuedConnection);
    clients.quit();
    clients.wait();
    // The first told is the way to the server and the page copy; from there to the last, the
    // telling of every client.
    std::printf("%d live clients: %d subscribed, %d told, first told after %.1f ms, last after "
                "%.1f ms, last page reloaded after %.1f ms, %d errors\n",
                watchers, int(ready), int(told), firstTold / 1e6, lastTold / 1e6,
                lastReload / 1e6, errors);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    g_clock.start();
    QTemporaryDir dir;
    const QString page = dir.path() + "/Бенчмарк.htm";
    {
        QFile f(page);
        f.open(QIODevice::WriteOnly);
        f.write(Page40K());
        QFile css(dir.path() + "/style.css");
        css.open(QIODevice::WriteOnly);
        css.write("body { color: #123; }\n");
    }
    const int key = 0;
    std::printf("Live view benchmark, loopback only, page %lld bytes, %d cores\n",
                QFileInfo(page).size(), QThread::idealThreadCount());
    std::printf("page copy before telling: at most %.2f ms\n", WorstCopyMs(page, dir.path()));

    for (const bool lowDelay : {false, true}) {
        CLiveService live;
        LiveLimits limits;
        limits.lowDelay = lowDelay;
        live.SetLimits(limits);
        if (!live.Start(0, false)) {
            std::printf("cannot start the server\n");
            return 1;
        }
        live.PageWritten(&key, "Бенчмарк", page, dir.path());
        QThread::msleep(100);
        QCoreApplication::processEvents();
        const quint16 port = live.Port();
        const int oneCount = lowDelay ? 5000 : 100;
        const Throughput one = Fetch(port, 1, oneCount, "/1/");
        std::printf("low-delay %-3s  1 connection : %6d requests, %d errors, %8.0f req/s, %.3f ms per request\n",
                    lowDelay ? "on" : "off", one.requests, one.errors, one.requests / one.seconds,
                    one.seconds * 1000 / std::max(1, one.requests));
        if (!lowDelay)
            continue;
        const Throughput fifty = Fetch(port, 50, 50000, "/1/");
        std::printf("low-delay on   50 connections: %6d requests, %d errors, %8.0f req/s\n",
                    fifty.requests, fifty.errors, fifty.requests / fifty.seconds);

        // Two hundred clients while results are entered ten times a second in the window.
        int results = 0;
        qint64 worstLate = 0;
        const Throughput hall = Fetch(port, 200, 40000, "/1/", &worstLate, [&] {
            if (++results % 10 == 0)
                live.PageWritten(&key, "Бенчмарк", page, dir.path());
        });
        std::printf("200 clients with results entered: %6d requests, %d errors, %8.0f req/s, "
                    "%d results, window timer at most %lld ms late\n",
                    hall.requests, hall.errors, hall.requests / hall.seconds, results / 10, worstLate);

        // Five hundred browsers showing the page; one result, five times over.
        for (int trial = 0; trial < 5; ++trial)
            LiveClients(live, port, page, dir.path(), &key);
    }
    return 0;
}
