// The table page under the real web engine: a rewritten page and a replaced style sheet are
// shown as they are on disk when the same path is shown again.
#include "DocumentFixture.h"
#include "support/PageEvaluation.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray Page(const QByteArray& text) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
           "<link rel=\"stylesheet\" href=\"style.css\"></head><body><p id=\"table\">" +
           text + "</p></body></html>\n";
}

const char* const kReadPage = "document.getElementById('table').textContent + ' / ' + "
                              "getComputedStyle(document.body).color";

} // namespace

class DocumentBrowserTest : public QObject {
    Q_OBJECT
private slots:

    void sameUrlIsReadFromDiskAgain() {
        QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/Кубок XXXXXX"));
        const QString path = folder.filePath(QStringLiteral("Кубок мира.htm"));
        WriteFile(path, Page("первая"));
        WriteFile(folder.filePath(QStringLiteral("style.css")), "body { color: rgb(1, 2, 3); }");

        CWebBrowser::UseWebEngine(true);
        CWebBrowser browser;
        browser.resize(400, 300);
        browser.show();
        QWebEngineView* engine = browser.GetEngine();
        QVERIFY(engine);
        QSignalSpy loaded(engine, &QWebEngineView::loadFinished);

        browser.Navigate(path);
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.last().first().toBool());
        QCOMPARE(engine->url(), QUrl::fromLocalFile(path));
        QCOMPARE(EvaluateOnPage(engine, kReadPage).toString(),
                 QStringLiteral("первая / rgb(1, 2, 3)"));

        // The plug-in rewrites the page, a new skin replaces the style sheet; same path.
        WriteFile(path, Page("вторая"));
        WriteFile(folder.filePath(QStringLiteral("style.css")), "body { color: rgb(4, 5, 6); }");
        loaded.clear();
        browser.Navigate(path);
        QVERIFY(loaded.wait(20000));
        QCOMPARE(EvaluateOnPage(engine, kReadPage).toString(),
                 QStringLiteral("вторая / rgb(4, 5, 6)"));
        QCOMPARE(browser.GetNavigateCount(), 2);
    }

    // A whole tournament window with the real browser. With VELMORA_SHOW_MS set it stays on
    // screen that long, so that it can be looked at (under Xvfb, say).
    void tournamentWindowShowsItsTable() {
        DocumentFixture fixture({QStringLiteral("nearest=Иванов — Петров|Сидоров — Кузнецов|"
                                                "Алексеев — Борисов"),
                                 QStringLiteral("current=Орлов — Волков")});
        CWebBrowser::UseWebEngine(true);
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Турниры/Кубок.trn"));
        CVelmoraView* view = document->GetView();
        QWebEngineView* engine = view->m_wndBrowser->GetEngine();
        QVERIFY(engine);
        document->GetFrame()->showNormal();
        document->GetFrame()->resize(1000, 600);
        const QString readTable = QStringLiteral(
            "document.getElementById('table') ? document.getElementById('table').textContent : ''");
        QTRY_COMPARE_WITH_TIMEOUT(EvaluateOnPage(engine, readTable).toString(),
                                  QStringLiteral("probe table 1"), 20000);
        QCOMPARE(engine->url(), QUrl::fromLocalFile(document->m_strTablePath));
        const int show = qEnvironmentVariableIntValue("VELMORA_SHOW_MS");
        if (show > 0)
            QTest::qWait(show);
        CWebBrowser::UseWebEngine(false);
    }

    // "Сохранить как PDF...": the page as shown, on A4 pages, its text searchable.
    void theTableIsSavedAsPdf() {
        DocumentFixture fixture;
        CWebBrowser::UseWebEngine(true);
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Турниры/Кубок мира.trn"));
        CVelmoraView* view = document->GetView();
        QWebEngineView* engine = view->m_wndBrowser->GetEngine();
        QVERIFY(engine);
        QTRY_COMPARE_WITH_TIMEOUT(
            EvaluateOnPage(engine, QStringLiteral("document.getElementById('table') ? "
                                            "document.getElementById('table').textContent : ''"))
                .toString(),
            QStringLiteral("probe table 1"), 20000);

        const QString pdf = fixture.Folder().Path(QStringLiteral("Турниры/Таблица"));
        Prompts::QueueFileAnswer(pdf);
        view->OnSaveAsPdf();
        QCOMPARE(Prompts::Asked().size(), 1); // the file dialog; no error
        const Prompts::FileRequest& request = Prompts::Asked().first().file;
        QCOMPARE(request.title, QStringLiteral("Сохранить как PDF"));
        QCOMPARE(request.filters, QStringList{QStringLiteral("PDF (*.pdf)")});
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(request.initialName, fixture.Folder().Path(QStringLiteral("Турниры/Кубок мира.pdf")));

        QFile file(pdf + QStringLiteral(".pdf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))
                    .match(QString::fromLatin1(bytes))
                    .hasMatch());
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {file.fileName(), QStringLiteral("-")});
        if (!text.waitForStarted())
            QSKIP("pdftotext (poppler-utils, scripts/setup.sh) is not installed");
        QVERIFY(text.waitForFinished(20000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(words.contains(QStringLiteral("Cup")), qPrintable(words));
        QVERIFY(words.contains(QStringLiteral("probe table 1")));

        // A folder that is not there: no file, and the user is told.
        Prompts::ClearAsked();
        const QString nowhere = fixture.Folder().Path(QStringLiteral("Нет папки/Таблица.pdf"));
        Prompts::QueueFileAnswer(nowhere);
        view->OnSaveAsPdf();
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(Prompts::Asked().last().message.text,
                 QStringLiteral("Таблица не сохранена в файл «%1»").arg(nowhere));
        CWebBrowser::UseWebEngine(false);
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    DocumentBrowserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_document_browser.moc"
