// A user's whole journey through the real program: the bundled round-robin system, every real
// dialog (the host's, the plug-in's and the message boxes) driven from a timer, and only the
// platform's file dialogs answered through the seam. Each test function is one step of the
// journey and relies on the ones before it; the files on disk are checked at every step.
#include "WizardTestSupport.h"
#include "support/JourneySupport.h"
#include "support/PageEvaluation.h"

#include "app/CRecentFileList.h"
#include "app/Commands.h"
#include "systems/PathHelpers.h"
#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "tournament/CWebBrowser.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTableWidget>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QProcess>
#include <QScopeGuard>
#include <QRegularExpression>

#if defined(Q_OS_LINUX)
#include <sys/mount.h>
#endif

using namespace journey;

namespace {

const QString kVenue = QStringLiteral("Клуб «Ладья» <b>");

const QStringList kPlayers = {QStringLiteral("Алексей Иванов"), QStringLiteral("<script>&"),
                              QStringLiteral("Carl"),           QStringLiteral("Dana"),
                              QStringLiteral("Eric"),           QStringLiteral("Fiona")};

} // namespace

class TestE2EJourney : public journey::ProgramJourney {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_clock.start(); }
    void cleanup() { qInfo("%lld ms", static_cast<long long>(m_clock.elapsed())); }
    void createTournament();
    void enterResults();
    void changeAndDeleteResults();
    void tablePageShowsTheResults();
    void printTheTableToPdf();
    void saveCloseAndReopenWithAnotherSkin();
    void changeTheSkinAgain();
    void saveTwoReports();
    void parametersAndInformation();
    void openTheSameFileTwice();
    void saveOntoAFullDiskKeepsTheChanges();
    void swissTournamentOfTwelve();
    void quitAnsweringTheSavePrompts();

private:
    QStringList MatchList(CVelmoraView* view, int tab) const {
        view->m_tabLists->setCurrentIndex(tab);
        return Rows(view->m_listMatches);
    }
    QString SkinCss(const QString& skin) const {
        // The round robin's, which the journey plays; other bundled systems sit beside it.
        for (int k = 0; k < m_app->m_pCatalogue->GetCount(); ++k) {
            const QString folder =
                QFileInfo(m_app->m_pCatalogue->GetAt(k)->m_strLibraryPath).absolutePath();
            if (folder.endsWith(QStringLiteral("/RoundRobin")))
                return folder + u'/' + skin + QStringLiteral("/style.css");
        }
        return {};
    }
    // The text colour the skin's style sheet gives the page, as the engine applied it.
    QString BodyColour(CVelmoraDoc* document) const {
        QWebEngineView* engine = document->GetView()->m_wndBrowser->GetEngine();
        return engine ? EvaluateOnPage(engine,
                                       QStringLiteral("document.body ? "
                                                      "getComputedStyle(document.body).color : ''"))
                            .toString()
                      : QString();
    }
    QString Beside(const QString& name) const { return m_tournaments + u'/' + name; }
    // What the web engine shows of the table page once it has (re)loaded.
    QString PageText(CVelmoraDoc* document) const {
        QWebEngineView* engine = document->GetView()->m_wndBrowser->GetEngine();
        return engine ? EvaluateOnPage(
                            engine, QStringLiteral("document.body ? document.body.innerText : ''"))
                            .toString()
                      : QString();
    }

    QElapsedTimer m_clock;
    QString m_path; // the tournament file
    QPointer<CVelmoraDoc> m_document;
    QPointer<CVelmoraDoc> m_second;
};

void TestE2EJourney::initTestCase() {
    StartProgram();
    if (QTest::currentTestFailed())
        return;
    m_path = m_tournaments + QStringLiteral("/Кубок.trn");
    // Every bundled system is there (round robin, knockout …), each with the three skins.
    QVERIFY(m_app->m_pCatalogue->GetCount() >= 1);
    for (int k = 0; k < m_app->m_pCatalogue->GetCount(); ++k)
        QCOMPARE(m_app->m_pCatalogue->GetAt(k)->m_skins,
                 QStringList({"Обычная", "Печать", "Проектор"}));
}

void TestE2EJourney::cleanupTestCase() {
    StopProgram();
}

void TestE2EJourney::createTournament() {
    Prompts::ClearAsked();
    Prompts::QueueFileAnswer(m_tournaments + QStringLiteral("/Кубок"));
    JourneyDriver driver;
    NewTournamentSteps(
        driver, "Круговая система", "Обычная", "Чемпионат клуба", kPlayers,
        [](QWidget* dlg) {
            // Each as typed, the one with markup as plain text.
            const QStringList rows = Rows(List(dlg, "listPlayers"));
            QCOMPARE(rows.size(), kPlayers.size());
            for (qsizetype k = 0; k < rows.size(); ++k)
                QVERIFY2(rows[k].contains(kPlayers[k]), qPrintable(rows[k]));
        },
        "В порядке списка");
    driver.On("creationDialog", PluginOk);
    Main()->Action(Command::FileNew)->trigger();
    DRIVER_DONE(driver);

    // The save dialog came through the seam, and nothing else was asked.
    QCOMPARE(FileDialogs().size(), 1);
    QVERIFY(FileDialogs()[0].file.save);
    QCOMPARE(FileDialogs()[0].file.initialFolder, m_tournaments);
    QVERIFY(Messages().isEmpty());

    // The tournament, its page and the chosen skin side by side.
    const QByteArray trn = ReadAll(m_path);
    QVERIFY(trn.startsWith("Velmora Round Robin 1\n"));
    for (const QString& name : kPlayers)
        QVERIFY2(QString::fromUtf8(trn).contains(name.toHtmlEscaped()) ||
                     QString::fromUtf8(trn).contains(name),
                 qPrintable(name));
    const QByteArray page = ReadAll(Beside("Кубок.htm"));
    QVERIFY(page.contains("Алексей Иванов"));
    QVERIFY(page.contains("&lt;script&gt;&amp;"));
    QVERIFY(!page.contains("<script>&"));
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Обычная")));

    QCOMPARE(Main()->ChildFrames().size(), 1);
    m_document = ActiveDocument();
    QVERIFY(m_document);
    QCOMPARE(m_document->GetFrame()->windowTitle(), "Чемпионат " + m_path + "[*]");
    QCOMPARE(m_document->m_strTablePath, Beside("Кубок.htm"));
    QVERIFY(!m_document->IsModified());

    // Six players, five rounds of three games: the first round is the nearest.
    CVelmoraView* view = m_document->GetView();
    QCOMPARE(MatchList(view, Nearest).size(), 3);
    QVERIFY(MatchList(view, Current).isEmpty());
    QVERIFY(MatchList(view, Last).isEmpty());
}

void TestE2EJourney::enterResults() {
    QVERIFY(m_document);
    CVelmoraView* view = m_document->GetView();
    const QStringList nearest = MatchList(view, Nearest);
    QCOMPARE(nearest.size(), 3);

    // The first game by the button: a win for white.
    {
        JourneyDriver driver;
        driver.On("resultDialog", ChooseResult("resultWhiteWin"));
        view->m_listMatches->setCurrentRow(0);
        ClickButton(view, "btnResult");
        DRIVER_DONE(driver);
    }
    QVERIFY(m_document->IsModified());
    QCOMPARE(MatchList(view, Nearest), nearest.mid(1));
    QCOMPARE(MatchList(view, Current), QStringList({nearest[0] + " 1–0"}));

    // The next one by a double click: a draw.
    {
        JourneyDriver driver;
        driver.On("resultDialog", ChooseResult("resultDraw"));
        view->m_tabLists->setCurrentIndex(Nearest);
        DoubleClickRow(view->m_listMatches, 0);
        DRIVER_DONE(driver);
    }
    QCOMPARE(MatchList(view, Nearest), nearest.mid(2));
    QCOMPARE(MatchList(view, Current), QStringList({nearest[0] + " 1–0", nearest[1] + " ½–½"}));
    QVERIFY(MatchList(view, Last).isEmpty());
    // Entered results live in memory until saved.
    QVERIFY(!ReadAll(m_path).contains("½"));
}

void TestE2EJourney::changeAndDeleteResults() {
    QVERIFY(m_document);
    CVelmoraView* view = m_document->GetView();
    const QStringList current = MatchList(view, Current);
    QCOMPARE(current.size(), 2);
    const QString first = current[0].chopped(QStringLiteral(" 1–0").size());
    const QString second = current[1].chopped(QStringLiteral(" ½–½").size());
    const QString last = MatchList(view, Nearest).value(0);

    // The draw becomes a win for black, on the current tab.
    {
        JourneyDriver driver;
        driver.On("resultDialog", [](QWidget* dlg) {
            QVERIFY(dlg->findChild<QRadioButton*>("resultDraw")->isChecked());
            ChooseResult("resultBlackWin")(dlg);
        });
        view->m_tabLists->setCurrentIndex(Current);
        view->m_listMatches->setCurrentRow(1);
        ClickButton(view, "btnResult");
        DRIVER_DONE(driver);
    }
    QCOMPARE(MatchList(view, Current), QStringList({first + " 1–0", second + " 0–1"}));

    // The win for white is deleted: the host's question, answered Yes, is the only one.
    {
        Prompts::ClearAsked();
        JourneyDriver driver;
        driver.OnMessage("Вы действительно хотите удалить?", QMessageBox::Yes);
        view->m_tabLists->setCurrentIndex(Current);
        view->m_listMatches->setCurrentRow(0);
        ClickButton(view, "btnDelete");
        DRIVER_DONE(driver);
        QCOMPARE(Messages().size(), 1);
        QCOMPARE(Messages()[0].message.caption, "Удаление результата матча");
    }
    QCOMPARE(MatchList(view, Current), QStringList({second + " 0–1"}));
    QCOMPARE(MatchList(view, Nearest), QStringList({first, last}));
    QVERIFY(m_document->IsModified());

    // The rest of the first round: it moves to the past games and the second round comes up.
    for (const char* radio : {"resultWhiteWin", "resultDraw"}) {
        JourneyDriver driver;
        driver.On("resultDialog", ChooseResult(radio));
        view->m_tabLists->setCurrentIndex(Nearest);
        view->m_listMatches->setCurrentRow(0);
        ClickButton(view, "btnResult");
        DRIVER_DONE(driver);
    }
    QVERIFY(MatchList(view, Current).isEmpty());
    const QStringList past = MatchList(view, Last);
    QCOMPARE(past.size(), 3);
    QVERIFY(past.contains(first + " 1–0"));
    QVERIFY(past.contains(second + " 0–1"));
    QVERIFY(past.contains(last + " ½–½"));
    const QStringList nearest = MatchList(view, Nearest);
    QCOMPARE(nearest.size(), 3);
    for (const QString& line : nearest)
        QVERIFY2(line.startsWith("2 тур"), qPrintable(line));
}

void TestE2EJourney::tablePageShowsTheResults() {
    QVERIFY(m_document);
    QWebEngineView* engine = m_document->GetView()->m_wndBrowser->GetEngine();
    QVERIFY(engine);
    QTRY_COMPARE_WITH_TIMEOUT(engine->url(), QUrl::fromLocalFile(m_document->m_strTablePath),
                              20000);
    // The page on disk has the results; the engine shows them once it has reloaded it.
    QVERIFY(QString::fromUtf8(ReadAll(m_document->m_strTablePath)).contains("½"));
    // Earlier results' pages may still be on their way: wait for the last one, the round done.
    QTRY_VERIFY_WITH_TIMEOUT(PageText(m_document).contains("½") &&
                                 PageText(m_document).contains("Сыгран 1 тур из 5"),
                             20000);
    const QString text = PageText(m_document);
    QVERIFY2(text.contains("Чемпионат клуба"), qPrintable(text));
    QVERIFY2(text.contains("Сыгран 1 тур из 5"), qPrintable(text));
    // The points column of each player's row: a win, a loss turned into a win for black, a
    // deleted result entered again, a draw. The name with markup is shown as typed.
    const QHash<QString, QString> points = {{"Алексей Иванов", "1"}, {"Eric", "1"},
                                            {"Carl", "½"},           {"Dana", "½"},
                                            {"<script>&", "0"},      {"Fiona", "0"}};
    QStringList header;
    for (const QString& line : text.split(u'\n'))
        if (line.startsWith("Место"))
            header = line.split(u'\t');
    const qsizetype column = header.indexOf("Очки");
    QVERIFY2(column > 0, qPrintable(text));
    int rows = 0;
    for (const QString& line : text.split(u'\n')) {
        const QStringList cells = line.split(u'\t');
        if (cells.size() <= column || !points.contains(cells.value(2)))
            continue;
        ++rows;
        QCOMPARE(cells[column], points.value(cells[2]));
    }
    QCOMPARE(rows, 6);
    // No element came from a player's name.
    QCOMPARE(EvaluateOnPage(engine, "document.querySelectorAll('script').length").toInt(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(BodyColour(m_document), "rgb(31, 41, 51)", 20000); // everyday skin
}

// "Сохранить как PDF...": the page as the window shows it, with the tournament's name.
void TestE2EJourney::printTheTableToPdf() {
    QVERIFY(m_document);
    Prompts::ClearAsked();
    const QString pdf = m_root.filePath(QStringLiteral("Печать/Таблица.pdf"));
    QDir().mkpath(QFileInfo(pdf).absolutePath());
    Prompts::QueueFileAnswer(pdf);
    Main()->Action(Command::SaveAsPdf)->trigger();
    QCOMPARE(Messages().size(), 0);
    const QByteArray bytes = ReadAll(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))
                .match(QString::fromLatin1(bytes))
                .hasMatch());
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text.waitForStarted())
        QSKIP("pdftotext (poppler-utils, scripts/setup.sh) is not installed");
    QVERIFY(text.waitForFinished(20000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains(QStringLiteral("Чемпионат клуба")), qPrintable(words));
}

void TestE2EJourney::saveCloseAndReopenWithAnotherSkin() {
    QVERIFY(m_document);
    Prompts::ClearAsked();
    const QByteArray before = ReadAll(m_path);
    Main()->Action(Command::FileSave)->trigger();
    QVERIFY(!m_document->IsModified());
    const QByteArray saved = ReadAll(m_path);
    QVERIFY(saved != before);
    QVERIFY(saved.startsWith("Velmora Round Robin 1\n"));
    QVERIFY(Prompts::Asked().isEmpty()); // a save to the known file asks nothing
    QCOMPARE(m_document->GetFrame()->windowTitle(), "Чемпионат " + m_path + "[*]");
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Обычная")));

    // Saved: the window closes without a question.
    CChildFrame* frame = m_document->GetFrame();
    QVERIFY(frame->close());
    QTRY_VERIFY(Main()->ChildFrames().isEmpty());
    QTRY_VERIFY(!m_document);
    QVERIFY(Prompts::Asked().isEmpty());
    QCOMPARE(ReadAll(m_path), saved);

    // The recent list offers it; opening it asks for the system and another skin.
    QCOMPARE(m_app->GetRecentFileList()->Files().value(0), m_path);
    Main()->UpdateRecentFileMenu();
    auto* recent = Main()->findChild<QAction*>("recentFile1");
    QVERIFY(recent);
    QVERIFY2(recent->text().contains("Кубок.trn"), qPrintable(recent->text()));
    // In the File menu in place of "Прошлые чемпионаты", which shows while the list is empty.
    auto* fileMenu = Main()->findChild<QMenu*>("fileMenu128");
    QVERIFY(fileMenu && fileMenu->actions().contains(recent));
    QVERIFY(!Main()->Action(Command::FileMru1)->isVisible());
    QCOMPARE(Main()->Action(Command::FileMru1)->text(), "Прошлые чемпионаты");
    JourneyDriver driver;
    driver.On("CSelectSystemDlg", [](QWidget* dlg) {
        QCOMPARE(Rows(List(dlg, "listSystems")), QStringList({"Круговая система"}));
        // Proposed: the skin it was created with.
        QCOMPARE(List(dlg, "listSkins")->currentItem()->text(), "Обычная");
        QVERIFY(SelectRow(List(dlg, "listSkins"), "Печать"));
        ClickButton(dlg, "btnOpen");
    });
    recent->trigger();
    DRIVER_DONE(driver);
    QCOMPARE(Main()->ChildFrames().size(), 1);
    m_document = ActiveDocument();
    QVERIFY(m_document);
    QCOMPARE(m_document->m_strTournamentPath, m_path);
    QCOMPARE(m_document->GetFrame()->windowTitle(), "Чемпионат " + m_path + "[*]");
    QVERIFY(!m_document->IsModified());
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Печать")));
    // What was entered came back from the file.
    CVelmoraView* view = m_document->GetView();
    QCOMPARE(MatchList(view, Last).size(), 3);
    QCOMPARE(MatchList(view, Nearest).size(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(PageText(m_document).contains("<script>&"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(BodyColour(m_document), "rgb(0, 0, 0)", 20000); // the paper skin
}

void TestE2EJourney::changeTheSkinAgain() {
    QVERIFY(m_document);
    JourneyDriver driver;
    driver.On("selectSkinDlg", [](QWidget* dlg) {
        QCOMPARE(List(dlg, "listSkins")->currentItem()->text(), "Печать");
        QVERIFY(SelectRow(List(dlg, "listSkins"), "Проектор"));
        ClickButton(dlg, "btnOK");
    });
    Main()->Action(Command::ChangeSkin)->trigger();
    DRIVER_DONE(driver);
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Проектор")));
    QCOMPARE(m_document->m_nSkin, 2);
    // A skin is not part of the tournament file.
    QVERIFY(!m_document->IsModified());
    // The same page again, now with the projector's style sheet read from disk.
    QTRY_COMPARE_WITH_TIMEOUT(BodyColour(m_document), "rgb(255, 255, 255)", 20000);
    QVERIFY(PageText(m_document).contains("½"));
}

void TestE2EJourney::saveTwoReports() {
    QVERIFY(m_document);
    Prompts::ClearAsked();
    const QString reports = m_root.filePath(QStringLiteral("Отчёты"));
    QVERIFY(QDir().mkpath(reports));
    QStringList names;
    JourneyDriver driver;
    auto save = [&names](int row, const QString& path) {
        return [&names, row, path](QWidget* dlg) {
            QListWidget* list = List(dlg, "listReports");
            QVERIFY(list->count() >= 2);
            list->setCurrentRow(row);
            names.append(list->item(row)->text());
            Prompts::QueueFileAnswer(path);
            ClickButton(dlg, "btnSaveAs");
        };
    };
    // Two reports, then one into a folder that is not there: the system says why it failed,
    // and the program does not claim it was saved.
    const QString missing = m_root.filePath(QStringLiteral("Нет такой папки/Отчёт"));
    driver.On("reportsDlg", save(0, reports + QStringLiteral("/Отчёт 1")))
        .OnMessage("Отчёт сохранён", QMessageBox::Ok)
        .On("reportsDlg", save(1, reports + QStringLiteral("/Отчёт 2")))
        .OnMessage("Отчёт сохранён", QMessageBox::Ok)
        .On("reportsDlg", save(0, missing))
        .OnMessage("Не удалось записать файл", QMessageBox::Ok)
        .OnMessage("Отчёт не сохранён", QMessageBox::Ok)
        .On("reportsDlg", [](QWidget* dlg) { ClickButton(dlg, "btnCancel"); });
    Main()->Action(Command::Reports)->trigger();
    DRIVER_DONE(driver);
    QCOMPARE(driver.Messages().size(), 4);
    QCOMPARE(driver.Messages().mid(0, 2), QStringList({"Отчёт сохранён", "Отчёт сохранён"}));
    QVERIFY(driver.Messages()[3].startsWith("Отчёт не сохранён в файл «" + missing));
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).absolutePath()));
    QCOMPARE(names.size(), 3);

    // Both files, each with the extension its report asked for.
    const QList<Prompts::Record> files = FileDialogs();
    QCOMPARE(files.size(), 3);
    for (int k = 0; k < 2; ++k) {
        QCOMPARE(files[k].file.initialFolder, m_tournaments + u'/');
        QVERIFY(!files[k].file.defaultSuffix.isEmpty());
        const QString path =
            reports + QStringLiteral("/Отчёт %1.").arg(k + 1) + files[k].file.defaultSuffix;
        const QByteArray content = ReadAll(path);
        QVERIFY2(!content.isEmpty(), qPrintable(path));
    }
    QVERIFY(!m_document->IsModified());
}

void TestE2EJourney::parametersAndInformation() {
    QVERIFY(m_document && !m_document->IsModified());
    // The system's parameters looked at and left as they were: nothing changes.
    {
        JourneyDriver driver;
        driver.On("parametersDialog", [](QWidget* dlg) {
            QCOMPARE(List(dlg, "withdrawn")->count(), kPlayers.size());
            PluginOk(dlg);
        });
        Main()->Action(Command::TournamentParameters)->trigger();
        DRIVER_DONE(driver);
    }
    QVERIFY(!m_document->IsModified());

    // A venue typed into the information: the tournament is changed and its page rewritten
    // and reloaded at once; once saved, the tournament file holds it too.
    const QString venue = kVenue;
    {
        JourneyDriver driver;
        driver.On("infoDialog", [venue](QWidget* dlg) {
            QCOMPARE(dlg->findChild<QLabel*>("playersFigure")->text(), "6");
            TypeText(dlg->findChild<QLineEdit*>("venue"), venue);
            PluginOk(dlg);
        });
        Main()->Action(Command::TournamentInfo)->trigger();
        DRIVER_DONE(driver);
    }
    QVERIFY(m_document->IsModified());
    QVERIFY(QString::fromUtf8(ReadAll(m_document->m_strTablePath))
                .contains(venue.toHtmlEscaped().replace("&quot;", "\"")));
    Main()->Action(Command::FileSave)->trigger();
    QVERIFY(!m_document->IsModified());
    QVERIFY(QString::fromUtf8(ReadAll(m_path)).contains(venue));
}

void TestE2EJourney::openTheSameFileTwice() {
    QVERIFY(m_document);
    Prompts::ClearAsked();
    Prompts::QueueFileAnswer(m_path);
    JourneyDriver driver;
    driver.On("CSelectSystemDlg", [](QWidget* dlg) {
        QVERIFY(SelectRow(List(dlg, "listSkins"), "Проектор"));
        ClickButton(dlg, "btnOpen");
    });
    Main()->Action(Command::FileOpen)->trigger();
    DRIVER_DONE(driver);
    QCOMPARE(Main()->ChildFrames().size(), 2);
    m_second = ActiveDocument();
    QVERIFY(m_second && m_second != m_document);
    QCOMPARE(m_second->m_strTournamentPath, m_path);
    QVERIFY(!m_second->IsModified());
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Проектор")));
    QTRY_VERIFY_WITH_TIMEOUT(PageText(m_second).contains(kVenue), 20000);

    // A change in the second window only.
    CVelmoraView* view = m_second->GetView();
    JourneyDriver result;
    result.On("resultDialog", ChooseResult("resultWhiteWin"));
    view->m_tabLists->setCurrentIndex(Nearest);
    view->m_listMatches->setCurrentRow(0);
    ClickButton(view, "btnResult");
    DRIVER_DONE(result);
    QVERIFY(m_second->IsModified());
    QVERIFY(!m_document->IsModified());
    QCOMPARE(MatchList(view, Current).size(), 1);
    QVERIFY(MatchList(m_document->GetView(), Current).isEmpty());

    // Saved as into a folder that has gone: the system says why, the program says it is not
    // saved, and the window keeps its file, its title and its change.
    {
        const QByteArray before = ReadAll(m_path);
        const QString missing = m_root.filePath(QStringLiteral("Нет такой папки/Кубок.trn"));
        Prompts::ClearAsked();
        Prompts::QueueFileAnswer(missing);
        JourneyDriver driver;
        driver.OnMessage("Не удалось сохранить турнир в файл «" + missing, QMessageBox::Ok)
            .OnMessage("Чемпионат не сохранён в файл «" + missing + "»", QMessageBox::Ok);
        Main()->Action(Command::FileSaveAs)->trigger();
        DRIVER_DONE(driver);
        QVERIFY(m_second->IsModified());
        QCOMPARE(m_second->m_strTournamentPath, m_path);
        QCOMPARE(m_second->GetFrame()->windowTitle(), "Чемпионат " + m_path + "[*]");
        QCOMPARE(ReadAll(m_path), before);
    }
    // With VELMORA_SHOW_MS set, both windows stay on screen that long to be looked at (under
    // Xvfb, say).
    if (const int show = qEnvironmentVariableIntValue("VELMORA_SHOW_MS"); show > 0) {
        Main()->MdiArea()->tileSubWindows();
        QTest::qWait(show);
    }
}

// The changed second window saved over a copy of the tournament on a disk that is full: the
// system cannot write it whole, and the program keeps the changes, its file and its mark, so
// that leaving it still asks.
void TestE2EJourney::saveOntoAFullDiskKeepsTheChanges() {
#if defined(Q_OS_LINUX)
    QVERIFY(m_second && m_second->IsModified());
    const QString disk = m_root.filePath(QStringLiteral("Флешка"));
    QDir().mkpath(disk);
    if (::mount("velmora-journey", QFile::encodeName(disk).constData(), "tmpfs", 0,
                "size=256k") != 0)
        QSKIP("no tmpfs can be mounted here");
    const QString copy = disk + QStringLiteral("/Кубок.trn");
    QVERIFY(QFile::copy(m_path, copy));
    {
        QFile filler(disk + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    // Unmounted however the step ends.
    const auto unmount = qScopeGuard(
        [disk] { ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH); });
    const QByteArray before = ReadAll(copy);
    Main()->MdiArea()->setActiveSubWindow(m_second->GetFrame());
    Prompts::ClearAsked();
    Prompts::QueueFileAnswer(copy);
    JourneyDriver driver;
    driver.OnMessage("Чемпионат не сохранён в файл «" + copy + "»", QMessageBox::Ok);
    Main()->Action(Command::FileSaveAs)->trigger();
    QTRY_VERIFY2_WITH_TIMEOUT(driver.AllDone(),
                              qPrintable(driver.Messages().join(" / ") + " / " +
                                         driver.Unexpected().join(" / ")),
                              20000);
    QVERIFY(m_second->IsModified());
    QCOMPARE(m_second->m_strTournamentPath, m_path);
    QVERIFY(m_second->GetFrame()->isWindowModified());
    // Whatever the system left in the file on the full disk, it is not taken for the save.
    qInfo("on the full disk: %lld bytes before, %lld after", qint64(before.size()),
          qint64(ReadAll(copy).size()));
#else
    QSKIP("Linux only");
#endif
}

// A Swiss of twelve players over five rounds, every round through the pairing dialogs: a
// half-point bye asked for in round 3, a withdrawal before round 4, the table page and the
// TRF report checked at the end. The window is closed again so that the journey goes on
// with the two round-robin windows.
void TestE2EJourney::swissTournamentOfTwelve() {
    Prompts::ClearAsked();
    const QString path = m_tournaments + QStringLiteral("/Швейцарка.trn");
    Prompts::QueueFileAnswer(m_tournaments + QStringLiteral("/Швейцарка"));
    QStringList names;
    for (int k = 1; k <= 12; ++k)
        names << QStringLiteral("Игрок %1").arg(QChar(u'А' + k - 1));
    {
        JourneyDriver driver;
        driver.On("CNewTournamentDlg", [](QWidget* dlg) {
            QVERIFY(SelectRow(List(dlg, "listSystems"), "Швейцарская система"));
            QVERIFY(SelectRow(List(dlg, "listSkins"), "Обычная"));
            TypeText(dlg->findChild<QLineEdit*>("editName"), "Открытое первенство");
            ClickButton(dlg, "btnNext");
        });
        for (int k = 0; k < 12; ++k)
            driver.On("CGetPlayersDlg", [](QWidget* dlg) { ClickButton(dlg, "btnPlayerAdd"); })
                .On("playerDialog", [k, name = names[k]](QWidget* dlg) {
                    TypeText(dlg->findChild<QLineEdit*>(QStringLiteral("name")), name);
                    dlg->findChild<QSpinBox*>(QStringLiteral("rating"))->setValue(2300 - 20 * k);
                    // The Swiss asks for what rating lists need.
                    auto* fideId = dlg->findChild<QLineEdit*>(QStringLiteral("fideId"));
                    QVERIFY(fideId);
                    TypeText(fideId, QString::number(4100100 + k));
                    dlg->findChild<QSpinBox*>(QStringLiteral("birthYear"))->setValue(1990 + k);
                    PluginOk(dlg);
                });
        driver.On("CGetPlayersDlg", [](QWidget* dlg) { ClickButton(dlg, "btnNext"); })
            .On("CChooseSortingDlg",
                [](QWidget* dlg) {
                    QVERIFY(SelectRow(List(dlg, "listSortings"), "В порядке списка"));
                    ClickButton(dlg, "btnNext");
                })
            .On("creationDialog", [](QWidget* dlg) {
                dlg->findChild<QSpinBox*>(QStringLiteral("rounds"))->setValue(5);
                PluginOk(dlg);
            });
        Main()->Action(Command::FileNew)->trigger();
        DRIVER_DONE(driver);
    }
    CVelmoraDoc* swiss = ActiveDocument();
    QVERIFY(swiss && swiss != m_document && swiss != m_second);
    CVelmoraView* view = swiss->GetView();

    auto playRound = [&](int round) {
        // Each board by the result dialog: white wins on odd boards, draws on even ones.
        QStringList nearest = MatchList(view, Nearest);
        // While no result is in, the last line takes the pairing back: not a game.
        nearest.removeIf([](const QString& line) { return line.startsWith("Отменить"); });
        // From round 3 one player is out (the bye asked for, then the withdrawal): 11 play.
        QCOMPARE(nearest.size(), round >= 3 ? 5 : 6);
        for (int k = 0; k < nearest.size(); ++k) {
            JourneyDriver driver;
            driver.On("resultDialog", ChooseResult(k % 2 ? "resultDraw" : "resultWhiteWin"));
            view->m_tabLists->setCurrentIndex(Nearest);
            view->m_listMatches->setCurrentRow(0);
            ClickButton(view, "btnResult");
            DRIVER_DONE(driver);
        }
    };
    auto pairRound = [&](int round, std::function<void(QWidget*)> byes) {
        const QStringList nearest = MatchList(view, Nearest);
        QCOMPARE(nearest, QStringList{QStringLiteral("Жеребьёвка %1 тура").arg(round)});
        JourneyDriver driver;
        driver.On("byesDialog", std::move(byes)).On("pairingPreview", [](QWidget* dlg) {
            QVERIFY(dlg->findChild<QTableWidget*>(QStringLiteral("boards"))->rowCount() >= 5);
            PluginOk(dlg);
        });
        view->m_listMatches->setCurrentRow(0);
        ClickButton(view, "btnResult");
        DRIVER_DONE(driver);
    };
    for (int round = 1; round <= 5; ++round) {
        if (round == 3) {
            // The fifth player asks for a half-point bye: eleven play, one gets the bye.
            pairRound(3, [](QWidget* dlg) {
                auto* choice = dlg->findChild<QComboBox*>(QStringLiteral("choice5"));
                QVERIFY(choice);
                choice->setCurrentIndex(1);
                PluginOk(dlg);
            });
        } else if (round > 1) {
            if (round == 4) {
                // The twelfth player withdraws before round 4.
                JourneyDriver driver;
                driver.On("parametersDialog", [](QWidget* dlg) {
                    QListWidget* list = List(dlg, "withdrawn");
                    QCOMPARE(list->count(), 12);
                    list->item(11)->setCheckState(Qt::Checked);
                    PluginOk(dlg);
                });
                Main()->Action(Command::TournamentParameters)->trigger();
                DRIVER_DONE(driver);
            }
            pairRound(round, PluginOk);
        }
        playRound(round);
    }
    QVERIFY(MatchList(view, Nearest).isEmpty());
    Main()->Action(Command::FileSave)->trigger();
    QVERIFY(!swiss->IsModified());
    QVERIFY(ReadAll(path).startsWith("Velmora Swiss"));

    // The page: five rounds played, the bye and the withdrawal shown, every player listed.
    QTRY_VERIFY_WITH_TIMEOUT(PageText(swiss).contains("Сыграно 5 туров из 5"), 20000);
    const QString text = PageText(swiss);
    for (const QString& name : names)
        QVERIFY2(text.contains(name), qPrintable(name));
    QVERIFY2(text.contains(QStringLiteral("–½")), qPrintable(text));

    // The TRF report: twelve player lines, the half-point bye in round 3, the withdrawn
    // player absent from round 4 on, FIDE IDs and years of birth in their columns.
    const QString report = m_root.filePath(QStringLiteral("Отчёты/Швейцарка"));
    QVERIFY(QDir().mkpath(QFileInfo(report).absolutePath()));
    {
        JourneyDriver driver;
        driver
            .On("reportsDlg",
                [&](QWidget* dlg) {
                    QVERIFY(SelectRow(List(dlg, "listReports"),
                                      "Файл TRF для рейтинга и других программ"));
                    Prompts::QueueFileAnswer(report);
                    ClickButton(dlg, "btnSaveAs");
                })
            .OnMessage("Отчёт сохранён", QMessageBox::Ok)
            .On("reportsDlg", [](QWidget* dlg) { ClickButton(dlg, "btnCancel"); });
        Main()->Action(Command::Reports)->trigger();
        DRIVER_DONE(driver);
    }
    // Columns are counted in bytes: the names are Cyrillic.
    const QByteArray trf = ReadAll(report + QStringLiteral(".trf"));
    QList<QByteArray> players;
    for (const QByteArray& line : trf.split('\n'))
        if (line.startsWith("001 "))
            players << line.trimmed();
    QCOMPARE(players.size(), 12);
    QVERIFY2(players[4].mid(91 + 20, 8) == "0000 - H", players[4].constData());
    QVERIFY2(players[11].endsWith("0000 - Z  0000 - Z"), players[11].constData());
    QVERIFY2(players[0].contains("4100100 1990"), players[0].constData());
    QVERIFY(trf.contains("\r\nXXR 5\r\n"));

    // Closed again: the journey goes on with the round-robin windows.
    swiss->GetFrame()->close();
    QTRY_COMPARE(Main()->ChildFrames().size(), 2);
    Prompts::ClearAsked();
}

void TestE2EJourney::quitAnsweringTheSavePrompts() {
    QVERIFY(m_document && m_second);
    Prompts::ClearAsked();
    const QByteArray before = ReadAll(m_path);
    const QString line = MatchList(m_second->GetView(), Current).value(0);
    QVERIFY(!line.isEmpty());

    // Cancel keeps the program and both windows as they were.
    {
        JourneyDriver driver;
        driver.OnMessage("Save changes to Кубок.trn?", QMessageBox::Cancel);
        QVERIFY(!Main()->close());
        DRIVER_DONE(driver);
        QCOMPARE(Main()->ChildFrames().size(), 2);
        QVERIFY(m_second && m_second->IsModified());
        QVERIFY(Main()->isVisible());
        QCOMPARE(ReadAll(m_path), before);
    }

    // Only the changed window asks; Yes saves it.
    Prompts::ClearAsked();
    JourneyDriver driver;
    driver.OnMessage("Save changes to Кубок.trn?", QMessageBox::Yes);
    QVERIFY(Main()->close());
    DRIVER_DONE(driver);
    QCOMPARE(Messages().size(), 1);
    QCOMPARE(Messages()[0].message.buttons,
             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QTRY_VERIFY(Main()->ChildFrames().isEmpty());
    QTRY_VERIFY(!m_document && !m_second);
    QVERIFY(!Main()->isVisible());

    const QByteArray after = ReadAll(m_path);
    QVERIFY(after != before);
    QVERIFY(after.startsWith("Velmora Round Robin 1\n"));
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Проектор")));
    QCOMPARE(Main()->MessagePaneText(), "Готово");

    // Started again from its folder, the program finds the saved change through its recent list.
    m_app.reset();
    QDir::setCurrent(m_program);
    m_app = std::make_unique<CVelmoraApp>();
    QVERIFY(m_app->InitInstance({}));
    QCOMPARE(m_app->GetRecentFileList()->Files().value(0), m_path);
    JourneyDriver reopen;
    // Enter keeps the style it was last shown in, remembered from the last run.
    reopen.On("CSelectSystemDlg", [](QWidget* dlg) {
        QCOMPARE(List(dlg, "listSkins")->currentItem()->text(), "Проектор");
        ClickButton(dlg, "btnOpen");
    });
    CVelmoraDoc* again = m_app->OpenDocumentFile(m_path);
    DRIVER_DONE(reopen);
    QVERIFY(again);
    QCOMPARE(ReadAll(Beside("style.css")), ReadAll(SkinCss("Проектор")));
    QCOMPARE(MatchList(again->GetView(), Current), QStringList({line}));
    QVERIFY(!again->IsModified());
    QVERIFY(Main()->close());
}

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestE2EJourney test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_journey.moc"
