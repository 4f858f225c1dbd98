// A real browser engine on a phone-sized view follows the live page: it loads the served page
// and reloads it by itself when the program rewrites it.
#include "LiveTestSupport.h"

#include "live/CLiveService.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace LiveTest;

class TestLiveBrowser : public QObject {
    Q_OBJECT

    static QString Text(QWebEngineView& view) {
        QString text;
        bool done = false;
        view.page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                   [&](const QVariant& v) {
                                       text = v.toString();
                                       done = true;
                                   });
        QTest::qWaitFor([&] { return done; }, 10000);
        return text;
    }

private slots:
    void thePhoneFollowsTheResults() {
        Tournament t;
        const QByteArray table =
            "<header><h1>Первенство клуба</h1><p class=\"status\">Сыграно туров: %1</p></header>\n"
            "<table class=\"crosstable\"><thead><tr><th class=\"place\">Место</th>"
            "<th class=\"name\">Участник</th><th class=\"opponent\">1</th><th class=\"opponent\">2</th>"
            "<th class=\"opponent\">3</th><th class=\"points\">Очки</th></tr></thead><tbody>\n"
            "<tr><td class=\"place\">1</td><td class=\"name\">Анна Смирнова</td><td class=\"self\"></td>"
            "<td class=\"game\">1</td><td class=\"game\">1</td><td class=\"points\">2</td></tr>\n"
            "<tr><td class=\"place\">2</td><td class=\"name\">Борис Котов</td><td class=\"game\">0</td>"
            "<td class=\"self\"></td><td class=\"game\">½</td><td class=\"points\">½</td></tr>\n"
            "<tr><td class=\"place\">3</td><td class=\"name\">Вера Лебедева</td><td class=\"game\">0</td>"
            "<td class=\"game\">½</td><td class=\"self\"></td><td class=\"points\">½</td></tr>\n"
            "</tbody></table>\n";
        t.WritePage(QByteArray(table).replace("%1", "1 из 3"));
        CLiveService live;
        QVERIFY(live.Start(0, false));
        const int key = 0;
        live.PageWritten(&key, "Первенство клуба", t.page, t.skin);

        QWebEngineView view;
        view.resize(390, 844);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.load(QUrl(QStringLiteral("http://127.0.0.1:%1/1/").arg(live.Port())));
        QTRY_VERIFY_WITH_TIMEOUT(Text(view).contains("Сыграно туров: 1 из 3"), 20000);
        // The phone view shows places and points, with the choice above the table.
        QTRY_VERIFY_WITH_TIMEOUT(Text(view).contains("Вся таблица"), 10000);

        // A result: the page is rewritten and the view follows without being told to.
        t.WritePage(QByteArray(table).replace("%1", "2 из 3"));
        live.PageWritten(&key, "Первенство клуба", t.page, t.skin);
        QTRY_VERIFY_WITH_TIMEOUT(Text(view).contains("Сыграно туров: 2 из 3"), 10000);

        if (const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
            QTest::qWait(1500); // the first painted frame after the reload
            view.grab().save(folder + "/live-phone.png");
        }
    }
};

QTEST_MAIN(TestLiveBrowser)
#include "tst_live_browser.moc"
