// The live view's server over loopback: what it serves, what it refuses whatever the path
// says, its answers' headers, its limits, the live reload channel and stopping.
#include "LiveTestSupport.h"

#include "live/CLiveServer.h"
#include "live/CLiveService.h"
#include "live/LivePaths.h"

#include <QSignalSpy>
#include <QTcpServer>

using namespace LiveTest;

class TestLiveServer : public QObject {
    Q_OBJECT

    std::unique_ptr<Tournament> m_t;
    std::unique_ptr<CLiveService> m_live;
    quint16 m_port = 0;
    const int m_key = 0; // the tournament window's stand-in

    void StartWith(const LiveLimits& limits) {
        m_live = std::make_unique<CLiveService>();
        m_live->SetLimits(limits);
        QString error;
        QVERIFY2(m_live->Start(0, false, &error), qPrintable(error));
        m_port = m_live->Port();
        QVERIFY(m_port != 0);
        m_live->PageWritten(&m_key, "Первенство клуба", m_t->page, m_t->skin);
        QTRY_COMPARE(Get(m_port, "/1/%D0%9A%D0%BB%D1%83%D0%B1.htm").status, 200);
    }

private slots:
    void init() {
        m_t = std::make_unique<Tournament>();
        StartWith(LiveLimits{});
    }
    void cleanup() {
        m_live.reset();
        m_t.reset();
    }

    void servesThePageTheSkinAndTheIndex() {
        const Reply index = Get(m_port, "/");
        QCOMPARE(index.status, 200);
        QVERIFY(index.body.contains("<a href=\"/1/\">Первенство клуба</a>"));

        const Reply page = Get(m_port, "/1/%D0%9A%D0%BB%D1%83%D0%B1.htm");
        QCOMPARE(page.Header("Content-Type"), "text/html; charset=utf-8");
        QVERIFY(page.body.contains("<p>Тур 1</p>"));
        // The live script is in the answer, before </head>, and never in the file on disk.
        QVERIFY(page.body.contains("<script src=\"/_live/live.js\" data-t=\"1\""));
        QVERIFY(page.body.indexOf("live.js") < page.body.indexOf("</head>"));
        QFile disk(m_t->page);
        QVERIFY(disk.open(QIODevice::ReadOnly));
        QVERIFY(!disk.readAll().contains("live.js"));

        QCOMPARE(Get(m_port, "/1/").body, page.body);
        QCOMPARE(Get(m_port, "/1").status, 301);
        QCOMPARE(Get(m_port, "/1/style.css").body, "body { color: #123; }\n");
        QCOMPARE(Get(m_port, "/1/style.css").Header("Content-Type"), "text/css; charset=utf-8");
        QCOMPARE(Get(m_port, "/1/img/logo.png").Header("Content-Type"), "image/png");
        QCOMPARE(Get(m_port, "/_live/live.js").status, 200);
    }

    void everyAnswerCarriesTheSecurityHeaders_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("page") << QByteArray("/1/style.css");
        QTest::newRow("index") << QByteArray("/");
        QTest::newRow("refused") << QByteArray("/1/../../outside.css");
    }
    void everyAnswerCarriesTheSecurityHeaders() {
        QFETCH(QByteArray, target);
        const Reply reply = Get(m_port, target);
        QVERIFY(reply.Header("Content-Security-Policy").contains("script-src 'self'"));
        QCOMPARE(reply.Header("X-Content-Type-Options"), "nosniff");
        QCOMPARE(reply.Header("Cache-Control"), "no-cache");
    }

    void refusesEveryPathOutOfTheCopy_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("dot-dot") << QByteArray("/1/../../outside.css");
        QTest::newRow("etc") << QByteArray("/1/../../../../../../etc/passwd");
        QTest::newRow("encoded dots") << QByteArray("/1/%2e%2e/%2e%2e/outside.css");
        QTest::newRow("encoded upper") << QByteArray("/1/%2E%2E%2F%2E%2E%2Foutside.css");
        QTest::newRow("double encoded") << QByteArray("/1/%252e%252e/%252e%252e/outside.css");
        QTest::newRow("absolute") << QByteArray("/etc/passwd");
        QTest::newRow("empty segment") << QByteArray("//etc/passwd");
        QTest::newRow("empty inside") << QByteArray("/1//style.css");
        QTest::newRow("backslash") << QByteArray("/1/..%5c..%5coutside.css");
        QTest::newRow("nul") << QByteArray("/1/style.css%00.png");
        QTest::newRow("dot file") << QByteArray("/1/.style.css");
        QTest::newRow("tournament file") << QByteArray("/1/%D0%9A%D0%BB%D1%83%D0%B1.trn");
        QTest::newRow("players list") << QByteArray("/1/players.plr");
        QTest::newRow("unknown type") << QByteArray("/1/notes.txt");
        QTest::newRow("link out") << QByteArray("/1/link.css");
        QTest::newRow("folder") << QByteArray("/1/img");
        QTest::newRow("folder slash") << QByteArray("/1/img/");
        QTest::newRow("no such tournament") << QByteArray("/2/style.css");
        QTest::newRow("id with zero") << QByteArray("/01/style.css");
        QTest::newRow("over-long") << "/1/" + QByteArray(LivePaths::kMaxPathBytes, 'a') + ".css";
        QTest::newRow("bad utf-8") << QByteArray("/1/%ff%fe.css");
    }
    void refusesEveryPathOutOfTheCopy() {
        QFETCH(QByteArray, target);
        const Reply reply = Get(m_port, target);
        QCOMPARE(reply.status, 404);
        QVERIFY(!reply.body.contains("secret"));
        QVERIFY(!reply.body.contains("outside"));
    }

    // Inside the copy a link that leads out is refused even if it got there.
    void resolveFollowsLinksBeforeItDecides() {
        QTemporaryDir copy;
        WriteFile(copy.path() + "/1/a.css", "a");
        QFile::link(m_t->root.path() + "/outside.css", copy.path() + "/1/out.css");
        QFile::link(m_t->trn, copy.path() + "/1/trn.css");
        QVERIFY(!LivePaths::ResolveInside(copy.path(), {"1", "a.css"}).isEmpty());
        QVERIFY(LivePaths::ResolveInside(copy.path(), {"1", "out.css"}).isEmpty());
        QVERIFY(LivePaths::ResolveInside(copy.path(), {"1", "trn.css"}).isEmpty());
        QVERIFY(LivePaths::Segments("relative").isEmpty());
        QCOMPARE(LivePaths::Segments("/1/%D0%B0.css"), QStringList({"1", "а.css"}));
    }

    void headHasTheLengthButNoBody() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(socket.waitForConnected(3000));
        socket.write("HEAD /1/style.css HTTP/1.1\r\nHost: x\r\n\r\n");
        const Reply head = ReadReply(socket, true);
        QCOMPARE(head.status, 200);
        QCOMPARE(head.Header("Content-Length"), "22");
        QVERIFY(head.rest.isEmpty());
        QVERIFY(!socket.waitForReadyRead(300));
        // The connection is still good for the next request.
        socket.write("GET /1/style.css HTTP/1.1\r\nHost: x\r\n\r\n");
        const Reply get = ReadReply(socket);
        QCOMPARE(get.status, 200);
        QCOMPARE(get.body, "body { color: #123; }\n");
    }

    void onlyGetAndHead_data() {
        QTest::addColumn<QByteArray>("method");
        for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS", "PATCH"})
            QTest::newRow(method) << QByteArray(method);
    }
    void onlyGetAndHead() {
        QFETCH(QByteArray, method);
        const Reply reply = Request(m_port, method, "/1/style.css", "Content-Length: 0\r\n");
        QCOMPARE(reply.status, 405);
        QCOMPARE(reply.Header("Allow"), "GET, HEAD");
    }

    void onlyOpenTournamentsAreServed() {
        Tournament other(QStringLiteral("Кубок"));
        const int key2 = 0;
        m_live->PageWritten(&key2, "Кубок", other.page, other.skin);
        QTRY_COMPARE(Get(m_port, "/2/style.css").status, 200);
        QVERIFY(Get(m_port, "/").body.contains("Кубок"));

        m_live->TournamentClosed(&m_key);
        QTRY_COMPARE(Get(m_port, "/1/%D0%9A%D0%BB%D1%83%D0%B1.htm").status, 404);
        QCOMPARE(Get(m_port, "/1/style.css").status, 404);
        QVERIFY(!Get(m_port, "/").body.contains("Первенство клуба"));
        QCOMPARE(Get(m_port, "/2/style.css").status, 200);
    }

    // A browser showing the page is told of the rewrite, and of the window closing.
    void liveChannelReportsChangesAndClosing() {
        QTcpSocket channel;
        channel.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(channel.waitForConnected(3000));
        channel.write("GET /_live/events/1 HTTP/1.1\r\nHost: x\r\nAccept: text/event-stream\r\n\r\n");
        QByteArray stream;
        QTRY_VERIFY((stream += channel.readAll()).contains("\r\n\r\n"));
        QVERIFY(stream.contains("Content-Type: text/event-stream"));
        QVERIFY(!stream.contains("event: change"));

        m_t->WritePage("<p>Тур 2</p>");
        m_live->PageWritten(&m_key, "Первенство клуба", m_t->page, m_t->skin);
        QTRY_VERIFY((stream += channel.readAll()).contains("event: change"));
        QVERIFY(Get(m_port, "/1/").body.contains("Тур 2"));

        m_live->TournamentClosed(&m_key);
        QTRY_VERIFY((stream += channel.readAll()).contains("event: closed"));
    }

    // A page fetched just before a change, whose channel opens just after it, still hears of it.
    void aChangeBeforeTheChannelOpensIsNotLost() {
        const QByteArray page = Get(m_port, "/1/").body;
        const qsizetype at = page.indexOf("data-v=\"") + 8;
        const QByteArray version = page.mid(at, page.indexOf('"', at) - at);
        m_live->PageWritten(&m_key, "Первенство клуба", m_t->page, m_t->skin);
        QTRY_VERIFY(Get(m_port, "/1/").body.indexOf("data-v=\"" + version + "\"") < 0);
        QTcpSocket channel;
        channel.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(channel.waitForConnected(3000));
        channel.write("GET /_live/events/1?v=" + version + " HTTP/1.1\r\nHost: x\r\n\r\n");
        QByteArray stream;
        QTRY_VERIFY((stream += channel.readAll()).contains("event: change"));
    }

    void stopsListeningAndDropsClientsWhenTurnedOff() {
        QSignalSpy running(m_live.get(), &CLiveService::runningChanged);
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(client.waitForConnected(3000));
        m_live->Stop();
        QVERIFY(!m_live->IsRunning());
        QCOMPARE(running.count(), 1);
        QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(!late.waitForConnected(1000));
        // And the port is free again at once.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, m_port));
    }

    void aBusyPortIsReportedNotHidden() {
        CLiveService second;
        QString error;
        QVERIFY(!second.Start(m_port, false, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!second.IsRunning());
    }

    void limitsConnectionsIdleClientsAndRequestSize() {
        LiveLimits limits;
        limits.maxConnections = 3;
        limits.idleMs = 1500;
        limits.maxRequestBytes = 4096;
        StartWith(limits);

        CLiveTcpServer* tcp = m_live->Server()->findChild<CLiveTcpServer*>();
        QTRY_COMPARE(tcp->OpenConnections(), 0); // the start's own requests are gone
        QTcpSocket held[3];
        for (QTcpSocket& socket : held) {
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            QVERIFY(socket.waitForConnected(3000));
        }
        QTRY_COMPARE(tcp->OpenConnections(), 3);
        QCOMPARE(Get(m_port, "/1/style.css").status, 503);
        // The silent ones are closed by the idle timeout, and room is made again.
        for (QTcpSocket& socket : held)
            QTRY_COMPARE(socket.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(Get(m_port, "/1/style.css").status, 200);

        QTcpSocket flood;
        flood.connectToHost(QHostAddress::LocalHost, m_port);
        QVERIFY(flood.waitForConnected(3000));
        flood.write("GET /1/style.css HTTP/1.1\r\nHost: x\r\n");
        for (int i = 0; i < 100; ++i)
            flood.write("X-Filler-" + QByteArray::number(i) + ": " + QByteArray(100, 'x') + "\r\n");
        QTRY_COMPARE(flood.state(), QAbstractSocket::UnconnectedState);
    }
};

QTEST_GUILESS_MAIN(TestLiveServer)
#include "tst_live_server.moc"
