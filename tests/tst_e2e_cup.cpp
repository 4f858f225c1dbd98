// A cup played to the end through the real program: eight players in the bundled knockout
// system's bracket with two losses to go out, created through the host's wizard and the
// system's own dialogs, every match's result entered in the system's result dialog, the
// grand final won from the lower bracket so that the deciding match is played too; then the
// page's standings, a save, and the file opened again. Each test function is one step of the
// journey and relies on the ones before it.
#include "WizardTestSupport.h"
#include "support/JourneySupport.h"
#include "support/PageEvaluation.h"

#include "app/CRecentFileList.h"
#include "app/Commands.h"
#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "tournament/CWebBrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEngineView>

using namespace journey;

namespace {

// In seed order: the draw keeps the list's order. One name has markup in it.
const QStringList kCup = {QStringLiteral("Анна Белова"), QStringLiteral("Борис"),
                          QStringLiteral("Вера"),        QStringLiteral("Глеб"),
                          QStringLiteral("Дина"),        QStringLiteral("Егор"),
                          QStringLiteral("Жанна"),       QStringLiteral("Зоя & <Ко>")};

// The cup's course when the better seed wins every match but the grand final, which the
// lower bracket's winner takes: the upper winner then wins the deciding match.
const QStringList kPlaces = {"1", "2", "3", "4", "5–6", "5–6", "7–8", "7–8"};

// "Верхняя сетка, раунд 1, матч 2: Глеб — Дина" -> {title, first side, second side}.
QStringList SplitLine(const QString& line) {
    const qsizetype colon = line.indexOf(QStringLiteral(": "));
    const QStringList sides = line.mid(colon + 2).split(QStringLiteral(" — "));
    return {line.left(colon), sides.value(0), sides.value(1)};
}

// A score typed into a spin box as a person would: select, type.
void TypeScore(QSpinBox* box, int value) {
    QVERIFY(box);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
    QCOMPARE(box->value(), value);
}

} // namespace

class TestE2ECup : public journey::ProgramJourney {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void createTheCup();
    void playEveryMatchToTheEnd();
    void thePageShowsTheBracketAndTheStandings();
    void saveCloseAndReopen();

private:
    QStringList MatchList(int tab) const {
        CVelmoraView* view = m_document->GetView();
        view->m_tabLists->setCurrentIndex(tab);
        return Rows(view->m_listMatches);
    }
    QWebEngineView* Engine() const { return m_document->GetView()->m_wndBrowser->GetEngine(); }
    QString PageText() const {
        return Engine() ? EvaluateOnPage(Engine(), QStringLiteral("document.body ? "
                                                                  "document.body.innerText : ''"))
                              .toString()
                        : QString();
    }
    // The standings table as the engine shows it: "place|seed|name|out" per row.
    QStringList Standings() const {
        return EvaluateOnPage(
                   Engine(),
                   QStringLiteral("Array.from(document.querySelectorAll("
                                  "'table.standings tbody tr')).map(r => Array.from("
                                  "r.cells).map(c => c.innerText).join('|')).join('\\n')"))
            .toString()
            .split(u'\n', Qt::SkipEmptyParts);
    }
    void CheckStandings();

    QString m_path;
    QPointer<CVelmoraDoc> m_document;
    QStringList m_played; // the match lines as entered, in order
};

void TestE2ECup::initTestCase() {
    StartProgram();
    m_path = m_tournaments + QStringLiteral("/Кубок.trn");
}

void TestE2ECup::cleanupTestCase() {
    StopProgram();
}

void TestE2ECup::createTheCup() {
    Prompts::ClearAsked();
    Prompts::QueueFileAnswer(m_program + QStringLiteral("/Tournaments/Кубок"));
    JourneyDriver driver;
    NewTournamentSteps(
        driver, "Олимпийская система", "Обычная", "Кубок клуба", kCup,
        [](QWidget* dlg) { QCOMPARE(Rows(List(dlg, "listPlayers")).size(), kCup.size()); },
        "В порядке списка");
    driver.On("creationDialog", [](QWidget* dlg) {
        auto* format = dlg->findChild<QComboBox*>("format");
        QVERIFY(format);
        format->setCurrentIndex(
            format->findText(QStringLiteral("С выбыванием после двух поражений")));
        QVERIFY(format->currentIndex() == 1);
        // Two losses: no third-place match, and the deciding match stays on.
        QVERIFY(!dlg->findChild<QCheckBox*>("thirdPlace")->isEnabled());
        auto* reset = dlg->findChild<QCheckBox*>("reset");
        QVERIFY(reset->isEnabled() && reset->isChecked());
        PluginOk(dlg);
    });
    Main()->Action(Command::FileNew)->trigger();
    DRIVER_DONE(driver);
    QVERIFY(Messages().isEmpty());
    QVERIFY(ReadAll(m_path).startsWith("Velmora Knockout 1\n"));
    m_document = ActiveDocument();
    QVERIFY(m_document);
    QVERIFY(!m_document->IsModified());
    // The first upper round: four matches, the seeds paired 1–8, 4–5, 2–7, 3–6.
    const QStringList nearest = MatchList(Nearest);
    QCOMPARE(nearest.size(), 4);
    QCOMPARE(nearest[0], "Верхняя сетка, раунд 1, матч 1: Анна Белова — Зоя & <Ко>");
    QCOMPARE(nearest[3], "Верхняя сетка, раунд 1, матч 4: Вера — Егор");
}

void TestE2ECup::playEveryMatchToTheEnd() {
    QVERIFY(m_document);
    CVelmoraView* view = m_document->GetView();
    // Seven upper matches, six lower, the grand final and the deciding match.
    for (int played = 0; played < 16; ++played) {
        const QStringList nearest = MatchList(Nearest);
        if (nearest.isEmpty())
            break;
        QVERIFY2(played < 15, qPrintable(nearest.join(u'\n')));
        const QStringList match = SplitLine(nearest[0]);
        const int a = kCup.indexOf(match[1]), b = kCup.indexOf(match[2]);
        QVERIFY2(a >= 0 && b >= 0, qPrintable(nearest[0]));
        const bool firstWins = match[0] == QStringLiteral("Финал") ? false : a < b;
        JourneyDriver driver;
        driver.On("resultDialog", [&](QWidget* dlg) {
            QCOMPARE(dlg->windowTitle(), match[0]);
            TypeScore(dlg->findChild<QSpinBox*>("game1a"), firstWins ? 3 : 1);
            TypeScore(dlg->findChild<QSpinBox*>("game1b"), firstWins ? 1 : 3);
            auto* court = dlg->findChild<QLineEdit*>("court");
            TypeText(court, QString::number(played % 4 + 1));
            PluginOk(dlg);
        });
        view->m_tabLists->setCurrentIndex(Nearest);
        view->m_listMatches->setCurrentRow(0);
        ClickButton(view, "btnResult");
        DRIVER_DONE(driver);
        m_played.append(nearest[0]);
        QVERIFY(m_document->IsModified());
        // The result went from the nearest matches to the past ones.
        const QString entered = nearest[0] + (firstWins ? " 3:1" : " 1:3");
        QVERIFY2(MatchList(Last).contains(entered),
                 qPrintable(entered + " / " + MatchList(Last).join(" / ")));
    }
    QCOMPARE(m_played.size(), 15);
    QVERIFY(MatchList(Nearest).isEmpty());
    QVERIFY(MatchList(Current).isEmpty());
    QCOMPARE(MatchList(Last).size(), 15);
    // The path the results made: Борис dropped from the upper final, won the lower bracket
    // and the grand final, and lost the deciding match.
    QCOMPARE(m_played[13], "Финал: Анна Белова — Борис");
    QCOMPARE(m_played[14], "Суперфинал: Анна Белова — Борис");
    QVERIFY(m_played.contains("Нижняя сетка, финал: Вера — Борис"));
    QVERIFY(m_played.contains("Нижняя сетка, раунд 3: Вера — Глеб"));
}

void TestE2ECup::CheckStandings() {
    QTRY_VERIFY_WITH_TIMEOUT(
        Standings().size() == kCup.size() && Standings().value(0).startsWith("1|"), 20000);
    const QStringList rows = Standings();
    QStringList places;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QStringList cells = rows[k].split(u'|');
        QCOMPARE(cells.size(), 4);
        QCOMPARE(cells[2], kCup.value(k)); // the better seed first among shared places
        places.append(cells[0]);
    }
    QCOMPARE(places, kPlaces);
    QCOMPARE(rows[1].section(u'|', 3), "Суперфинал");
    QCOMPARE(rows[2].section(u'|', 3), "Нижняя сетка, финал");
}

void TestE2ECup::thePageShowsTheBracketAndTheStandings() {
    QVERIFY(m_document);
    const QString page = QString::fromUtf8(ReadAll(m_document->m_strTablePath));
    QVERIFY(page.contains("Зоя &amp; &lt;Ко&gt;"));
    QVERIFY(!page.contains("<Ко>"));
    CheckStandings();
    for (const char* heading : {"Верхняя сетка, финал", "Нижняя сетка, финал", "Суперфинал"})
        QVERIFY2(page.contains(QString::fromUtf8(heading)), heading);
    const QString text = PageText();
    QVERIFY2(text.contains("Кубок клуба") && text.contains("Итоговые места"), qPrintable(text));
    // Nothing left to play.
    QVERIFY(!text.contains("в борьбе"));
    // With VELMORA_SHOW_MS set, the finished cup stays on screen that long to be looked at.
    if (const int show = qEnvironmentVariableIntValue("VELMORA_SHOW_MS"); show > 0) {
        Main()->showMaximized();
        m_document->GetFrame()->showMaximized();
        QTest::qWait(show);
    }
}

void TestE2ECup::saveCloseAndReopen() {
    QVERIFY(m_document);
    Prompts::ClearAsked();
    Main()->Action(Command::FileSave)->trigger();
    QVERIFY(!m_document->IsModified());
    QVERIFY(Prompts::Asked().isEmpty());
    const QByteArray saved = ReadAll(m_path);
    QVERIFY(saved.startsWith("Velmora Knockout 1\n"));
    QVERIFY(m_document->GetFrame()->close());
    QTRY_VERIFY(Main()->ChildFrames().isEmpty());
    QTRY_VERIFY(!m_document);

    JourneyDriver driver;
    driver.On("CSelectSystemDlg", [](QWidget* dlg) {
        QCOMPARE(Rows(List(dlg, "listSystems")), QStringList({"Олимпийская система"}));
        QCOMPARE(List(dlg, "listSkins")->currentItem()->text(), "Обычная");
        QVERIFY(SelectRow(List(dlg, "listSkins"), "Проектор"));
        ClickButton(dlg, "btnOpen");
    });
    CVelmoraDoc* again = m_app->OpenDocumentFile(m_path);
    DRIVER_DONE(driver);
    QVERIFY(again);
    m_document = again;
    QVERIFY(!m_document->IsModified());
    QCOMPARE(ReadAll(m_path), saved); // opening writes nothing into the tournament
    // Every result came back.
    QCOMPARE(MatchList(Last).size(), 15);
    QVERIFY(MatchList(Nearest).isEmpty());
    QVERIFY(MatchList(Last).contains(m_played.last() + " 3:1"));
    QVERIFY(MatchList(Last).contains(m_played[13] + " 1:3"));
    CheckStandings();
    QVERIFY(Main()->close());
}

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestE2ECup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_cup.moc"
