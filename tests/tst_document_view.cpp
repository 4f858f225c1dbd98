// The tournament view: tabs, layout, the match list and the match commands.
#include "DocumentFixture.h"

#include "core/Profile.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextDocument>

namespace {

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text() + u'=' + list->item(i)->data(Qt::UserRole).toString());
    return rows;
}

QStringList Without(const QStringList& names, const QString& name) {
    QStringList rest = names;
    rest.removeAll(name);
    return rest;
}

void Resize(CVelmoraView* view, int width, int height) {
    CChildFrame* frame = view->GetDocument()->GetFrame();
    frame->showNormal();
    frame->resize(width, height);
    QTRY_COMPARE(frame->size(), QSize(width, height));
    QTRY_COMPARE(view->size(), frame->contentsRect().size());
}

} // namespace

class DocumentViewTest : public QObject {
    Q_OBJECT
private slots:

    void initialUpdate() {
        DocumentFixture fixture({QStringLiteral("nearest=a|b")});
        CVelmoraDoc* document = fixture.Open();
        CVelmoraView* view = document->GetView();
        QCOMPARE(view->m_tabLists->count(), 3);
        QCOMPARE(view->m_tabLists->tabText(0), QStringLiteral("Ближайшие"));
        QCOMPARE(view->m_tabLists->tabText(1), QStringLiteral("Текущие"));
        QCOMPARE(view->m_tabLists->tabText(2), QStringLiteral("Прошедшие"));
        QCOMPARE(view->GetSelectedTab(), 0);
        QCOMPARE(view->m_btnResult->text(), QStringLiteral("Добавить результат матча"));
        QVERIFY(view->m_btnDelete->isHidden());
        QCOMPARE(view->m_staticTitle->text(), QStringLiteral("М а т ч и"));
        QCOMPARE(view->m_staticTitle->font().pixelSize(), 20);
        QCOMPARE(view->m_staticTitle->font().weight(), QFont::Weight(600));
        QCOMPARE(document->GetFrame()->windowTitle(), document->GetTitle() + "[*]");
        QCOMPARE(view->m_wndBrowser->GetLocationPath(), document->m_strTablePath);
        QCOMPARE(view->m_wndBrowser->GetNavigateCount(), 1);

        view->m_tabLists->setCurrentIndex(2);
        QCOMPARE(view->m_btnResult->text(), QStringLiteral("Изменить результат матча"));
        QVERIFY(!view->m_btnDelete->isHidden());
        QCOMPARE(view->m_btnDelete->text(), QStringLiteral("Удалить результат матча"));
    }

    // The nearest and current lists are sorted; the last list keeps the plug-in's order, which
    // only the system can give (latest first). Either way the commands pass the plug-in's index.
    void listOrderAndCommandsUseTheMatchIndex_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("rows");
        const QStringList sorted{"Белов=1", "Волков=2", "Орлов=0"};
        QTest::newRow("nearest") << 0 << "OnAddMatchResult" << sorted;
        QTest::newRow("current") << 1 << "OnModifyCurrentMatchResult" << sorted;
        QTest::newRow("last") << 2 << "OnModifyLastMatchResult"
                              << QStringList{"Орлов=0", "Белов=1", "Волков=2"};
    }
    void listOrderAndCommandsUseTheMatchIndex() {
        QFETCH(int, tab);
        QFETCH(QString, command);
        QFETCH(QStringList, rows);
        DocumentFixture fixture({QStringLiteral("nearest=Орлов|Белов|Волков"),
                                 QStringLiteral("current=Орлов|Белов|Волков"),
                                 QStringLiteral("last=Орлов|Белов|Волков")});
        CVelmoraView* view = fixture.Open()->GetView();
        view->m_tabLists->setCurrentIndex(tab);
        QCOMPARE(Rows(view->m_listMatches), rows);
        QCOMPARE(view->m_listMatches->currentRow(), 0);
        view->m_listMatches->setCurrentRow(2);
        fixture.ClearLog();

        QTest::mouseClick(view->m_btnResult, Qt::LeftButton);
        const int third = rows[2].section(u'=', 1).toInt();
        QCOMPARE(fixture.Log().first(), QStringLiteral("%1(h1, %2) -> 0").arg(command).arg(third));
        // A double click anywhere in the list acts on the selected match, the second row.
        fixture.ClearLog();
        view->m_listMatches->setCurrentRow(1);
        QTest::mouseDClick(view->m_listMatches->viewport(), Qt::LeftButton, {},
                           QPoint(5, view->m_listMatches->viewport()->height() - 3));
        const int second = rows[1].section(u'=', 1).toInt();
        QCOMPARE(fixture.Log().first(), QStringLiteral("%1(h1, %2) -> 0").arg(command).arg(second));
    }

    // What each system sends as its last list, latest first: a natural sort would put round 1
    // and the quarter-finals on top.
    void lastListKeepsTheSystemsLatestFirstOrder_data() {
        QTest::addColumn<QString>("lines");
        QTest::newRow("round robin") << "10 тур, доска 1: А — Б 1–0|10 тур, доска 2: В — Г ½–½|"
                                        "9 тур, доска 1: А — В 0–1|1 тур, доска 1: А — Г 1–0";
        QTest::newRow("knockout") << "Финал: А — Б 1–0|1/2 финала, матч 1: А — В 1–0|"
                                     "1/2 финала, матч 2: Б — Г 1–0|1/4 финала, матч 3: Б — Д 1–0";
    }
    void lastListKeepsTheSystemsLatestFirstOrder() {
        QFETCH(QString, lines);
        DocumentFixture fixture(
            {QStringLiteral("nearest=10 тур|2 тур|1 тур"), QStringLiteral("last=") + lines});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(Rows(view->m_listMatches), QStringList({"1 тур=2", "2 тур=1", "10 тур=0"}));
        view->m_tabLists->setCurrentIndex(2);
        const QStringList expected = lines.split(u'|');
        QCOMPARE(view->m_listMatches->count(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(view->m_listMatches->item(i)->text(), expected[i]);
            QCOMPARE(view->m_listMatches->item(i)->data(Qt::UserRole).toInt(), i);
        }
    }

    // The plug-in sends "b", "a": the sorted current list shows its line 1 first, the last
    // list, in the plug-in's order, its line 0.
    void deleteAsksAndCallsTheTabsEntryPoint_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("first");
        QTest::newRow("current") << 1 << "OnDeleteCurrentMatchResult" << 1;
        QTest::newRow("last") << 2 << "OnDeleteLastMatchResult" << 0;
    }
    void deleteAsksAndCallsTheTabsEntryPoint() {
        QFETCH(int, tab);
        QFETCH(QString, command);
        QFETCH(int, first);
        DocumentFixture fixture({QStringLiteral("current=b|a"), QStringLiteral("last=b|a")});
        CVelmoraView* view = fixture.Open()->GetView();
        view->m_tabLists->setCurrentIndex(tab);
        fixture.ClearLog();

        Prompts::QueueMessageAnswer(QMessageBox::No);
        QTest::mouseClick(view->m_btnDelete, Qt::LeftButton);
        QCOMPARE(Prompts::Asked().size(), 1);
        const Prompts::MessageRequest& question = Prompts::Asked().first().message;
        QCOMPARE(question.owner.data(), view);
        QCOMPARE(question.text, QStringLiteral("Удаление этого матча приведёт к удалению всех "
                                               "зависимых матчей.\nВы действительно хотите "
                                               "удалить?"));
        QCOMPARE(question.caption, QStringLiteral("Удаление результата матча"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.icon, Prompts::Icon::Exclamation);
        QVERIFY(fixture.Log().isEmpty()); // No: no call and no refill

        Prompts::QueueMessageAnswer(QMessageBox::Yes);
        QTest::mouseClick(view->m_btnDelete, Qt::LeftButton);
        QCOMPARE(fixture.Log().first(), QStringLiteral("%1(h1, %2) -> 0").arg(command).arg(first));
    }

    void noSelectionDoesNothing() {
        DocumentFixture fixture({QStringLiteral("current=a|b")});
        CVelmoraView* view = fixture.Open()->GetView();
        view->m_tabLists->setCurrentIndex(1);
        view->m_listMatches->clearSelection();
        fixture.ClearLog();
        view->OnMatchResult();
        view->OnDeleteMatchResult();
        QTest::mouseDClick(view->m_listMatches->viewport(), Qt::LeftButton);
        QVERIFY(fixture.Log().isEmpty());
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void refreshAfterChange_data() {
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("tournament");
        QTest::newRow("both") << true << true;
        QTest::newRow("tournament only") << false << true;
        QTest::newRow("table only") << true << false;
        QTest::newRow("neither") << false << false;
    }
    void refreshAfterChange() {
        QFETCH(bool, table);
        QFETCH(bool, tournament);
        DocumentFixture fixture({QStringLiteral("nearest=a|b")});
        CVelmoraDoc* document = fixture.Open();
        CVelmoraView* view = document->GetView();
        fixture.Configure({QStringLiteral("nearest=a|b"),
                           QStringLiteral("table_modified=%1").arg(int(table)),
                           QStringLiteral("tournament_modified=%1").arg(int(tournament))});
        QFile page(document->m_strTablePath);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray before = page.readAll();
        page.close();

        view->OnMatchResult();
        QStringList expected{QStringLiteral("OnAddMatchResult(h1, 0) -> 0"),
                             QStringLiteral("TableWasModified(h1) -> %1").arg(int(table))};
        if (table)
            expected << QStringLiteral("Progress(\"Обновляется турнирная таблица\")")
                     << QStringLiteral("SaveTable(h1, \"%1\") -> 0").arg(document->m_strTablePath)
                     << QStringLiteral("Progress(\"\")")
                     << QStringLiteral("Navigate(\"%1\")").arg(document->m_strTablePath);
        expected << QStringLiteral("TournamentWasModified(h1) -> %1").arg(int(tournament))
                 << QStringLiteral("GetNearestMatchesCount(h1) -> 2")
                 << QStringLiteral("GetNearestMatchesHeaders(h1, 2) -> 0");
        QCOMPARE(fixture.Log(), expected);
        QCOMPARE(document->IsModified(), tournament);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll() != before, table);
        QCOMPARE(view->m_wndBrowser->GetNavigateCount(), table ? 2 : 1);
    }

    void listPositionIsKeptAcrossTabs() {
        DocumentFixture fixture({QStringLiteral("nearest_count=10"),
                                 QStringLiteral("current_count=3"),
                                 QStringLiteral("last_count=10")});
        CVelmoraView* view = fixture.Open()->GetView();
        view->m_listMatches->setCurrentRow(5);
        view->m_tabLists->setCurrentIndex(1);
        QCOMPARE(view->m_listMatches->count(), 3);
        QCOMPARE(view->m_listMatches->currentRow(), 2);
        QVERIFY(view->m_listMatches->currentItem()->isSelected());

        view->m_tabLists->setCurrentIndex(0);
        view->m_listMatches->setCurrentRow(5);
        view->m_tabLists->setCurrentIndex(2);
        QCOMPARE(view->m_listMatches->currentRow(), 5);
        QVERIFY(view->m_listMatches->currentItem()->isSelected());

        // After a command the same position stays selected, whatever match it now holds.
        fixture.Configure({QStringLiteral("last_count=4")});
        view->OnMatchResult();
        QCOMPARE(view->m_listMatches->currentRow(), 3);
    }

    void emptyTabsDisableTheirButtons() {
        DocumentFixture fixture({QStringLiteral("nearest_count=0"),
                                 QStringLiteral("current_count=0"),
                                 QStringLiteral("last_count=2")});
        CVelmoraView* view = fixture.Open()->GetView();
        QVERIFY(!view->m_btnResult->isEnabled());
        view->m_tabLists->setCurrentIndex(1);
        QCOMPARE(view->m_listMatches->count(), 0);
        QVERIFY(!view->m_btnResult->isEnabled());
        QVERIFY(!view->m_btnDelete->isEnabled());
        QVERIFY(!view->m_btnDelete->isHidden());
        view->m_tabLists->setCurrentIndex(2);
        QVERIFY(view->m_btnResult->isEnabled());
        QVERIFY(view->m_btnDelete->isEnabled());
        QCOMPARE(view->m_listMatches->currentRow(), 0);
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("GetCurrentMatchesHeaders")), QStringList());
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("GetLastMatchesHeaders")).size(), 1);
    }

    // No list, or one beyond what the host takes: the plug-in is not asked for its lines; a
    // list too long says so in one line that stands for no match.
    void misbehavingCounts_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("line");
        QTest::newRow("negative") << "-5" << QString();
        QTest::newRow("huge") << "2147483647"
                              << "Матчей в списке: 2 147 483 647 — список слишком длинный, "
                                 "чтобы его показать";
        QTest::newRow("over the limit")
            << QString::number((1 << 20) + 1)
            << "Матчей в списке: 1 048 577 — список слишком длинный, чтобы его показать";
    }
    void misbehavingCounts() {
        QFETCH(QString, count);
        QFETCH(QString, line);
        DocumentFixture fixture({QStringLiteral("nearest_count=") + count});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(view->m_listMatches->count(), line.isEmpty() ? 0 : 1);
        if (!line.isEmpty())
            QCOMPARE(view->m_listMatches->item(0)->text().replace(QChar(0xA0), u' '), line);
        QCOMPARE(view->GetSelectedMatch(), -1);
        QVERIFY(!view->m_btnResult->isEnabled());
        view->OnMatchResult(); // on the line that stands for no match: nothing
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("OnAddMatchResult")), QStringList());
        fixture.ClearLog();
        view->FillMatchList();
        QCOMPARE(CallNames(fixture.Log()), QStringList{QStringLiteral("GetNearestMatchesCount")});
    }

    void unterminatedHeadersAreCutAtTheBuffersEnd() {
        DocumentFixture fixture(
            {QStringLiteral("nearest_count=3"), QStringLiteral("unterminated_headers=1")});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(view->m_listMatches->count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(view->m_listMatches->item(i)->text(), QString(VELMORA_NAME_SIZE - 1, u'x'));
    }

    // Alphabetical without regard to case, as the skin and system lists are; the commands still
    // pass the plug-in's positions.
    void listSortsWithoutRegardToCase() {
        DocumentFixture fixture({QStringLiteral("nearest=бета|Гамма|альфа|Бета")});
        CVelmoraView* view = fixture.Open()->GetView();
        QStringList rows;
        QList<int> values;
        for (int i = 0; i < view->m_listMatches->count(); ++i) {
            rows << view->m_listMatches->item(i)->text();
            values << view->m_listMatches->item(i)->data(Qt::UserRole).toInt();
        }
        QCOMPARE(rows, QStringList({"альфа", "бета", "Бета", "Гамма"}));
        QCOMPARE(values, QList<int>({2, 0, 3, 1}));
    }

    // Rounds and boards by number: a league's 56 matches in the order they are played.
    void listSortsNumbersByValue() {
        DocumentFixture fixture(
            {QStringLiteral("nearest=10 тур, доска 1|2 тур, доска 10|2 тур, доска 2|1 тур")});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(Rows(view->m_listMatches),
                 QStringList({"1 тур=3", "2 тур, доска 2=2", "2 тур, доска 10=1",
                              "10 тур, доска 1=0"}));
    }

    // A line that looks like markup reads as the plug-in wrote it, in the list and its tooltip.
    void matchLinesAreShownAsWritten() {
        const QString line = QStringLiteral("1 тур: <b>Иванов</b> &amp; Пётр  —  1–0");
        DocumentFixture fixture({QStringLiteral("nearest=") + line});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(view->m_listMatches->count(), 1);
        QCOMPARE(view->m_listMatches->item(0)->text(), line);
        QTextDocument tip;
        tip.setHtml(view->m_listMatches->item(0)->toolTip());
        QCOMPARE(tip.toPlainText(), line);
    }

    void layoutBeforeTheInitialUpdateMovesNothing() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Template().CreateNewDocument();
        CVelmoraView view(document);
        const QRect tab = view.m_tabLists->geometry();
        const QRect list = view.m_listMatches->geometry();
        const QRect button = view.m_btnResult->geometry();
        view.resize(900, 700);
        view.show();
        view.resize(1000, 800);
        QTest::qWait(0);
        view.LayoutControls();
        QCOMPARE(view.m_tabLists->geometry(), tab);
        QCOMPARE(view.m_listMatches->geometry(), list);
        QCOMPARE(view.m_btnResult->geometry(), button);
        QVERIFY(!view.m_wndBrowser);
        delete document;
    }

    void layoutNumbers_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QSize>("frame");
        QTest::newRow("nearest, small") << 0 << QSize(700, 500);
        QTest::newRow("nearest, large") << 0 << QSize(1400, 950);
        QTest::newRow("last, small") << 2 << QSize(700, 500);
        QTest::newRow("current, large") << 1 << QSize(1400, 950);
    }
    void layoutNumbers() {
        QFETCH(int, tab);
        QFETCH(QSize, frame);
        Profile::SetMatchPaneWidth(0);
        DocumentFixture fixture(
            {QStringLiteral("nearest=a"), QStringLiteral("current=a"), QStringLiteral("last=a")});
        CVelmoraView* view = fixture.Open()->GetView();
        const int tw = view->m_tabLists->width();
        const int w = view->m_btnResult->width();
        const int h = view->m_btnResult->height();
        view->m_tabLists->setCurrentIndex(tab);
        Resize(view, frame.width(), frame.height());
        const int cw = view->width();
        const int ch = view->height();

        // The controls within the match pane, which starts at the view's left edge.
        QCOMPARE(view->m_paneMatches->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(view->m_tabLists->geometry(), QRect(5, 20, tw, ch - 22));
        QCOMPARE(view->m_btnResult->geometry(), QRect(12, 50, w, h));
        if (tab == 0) {
            QCOMPARE(view->m_listMatches->geometry(), QRect(12, h + 55, w, ch - h - 66));
        } else {
            QCOMPARE(view->m_btnDelete->geometry(), QRect(12, h + 53, w, h));
            QCOMPARE(view->m_listMatches->geometry(), QRect(12, 2 * h + 58, w, ch - 2 * h - 69));
        }
        const QRect browser(view->m_wndBrowser->mapTo(view, QPoint(0, 0)),
                            view->m_wndBrowser->size());
        QCOMPARE(browser, QRect(tw + 7, 5, cw - tw - 10, ch - 9));
        // The list ends 11 pixels above the bottom, the browser 3 from the right edge.
        QCOMPARE(view->m_listMatches->geometry().bottom() + 1, ch - 11);
        QCOMPARE(browser.right() + 1, cw - 3);
    }

    // Dragged wider, the list shows more of each line; the width holds for the next window.
    void theSplitterWidensTheListAndIsRemembered() {
        Profile::SetMatchPaneWidth(0);
        DocumentFixture fixture({QStringLiteral("nearest=a")});
        CVelmoraView* view = fixture.Open(QStringLiteral("A.trn"))->GetView();
        Resize(view, 1200, 800);
        const int list = view->m_listMatches->width();
        const int pane = view->m_paneMatches->width();
        QCOMPARE(pane, view->DefaultMatchPaneWidth());
        view->m_splitter->setSizes({pane + 300, view->m_splitter->width() - pane - 300});
        emit view->m_splitter->splitterMoved(pane + 300, 1);
        QTRY_COMPARE(view->m_listMatches->width(), list + 300);
        QCOMPARE(view->m_wndBrowser->mapTo(view, QPoint(0, 0)).x(),
                 pane + 300 + view->m_splitter->handleWidth());
        QCOMPARE(Profile::MatchPaneWidth(), pane + 300);

        CVelmoraView* next = fixture.Open(QStringLiteral("B.trn"))->GetView();
        Resize(next, 1200, 800);
        QCOMPARE(next->m_paneMatches->width(), pane + 300);
        // A window too narrow for it still leaves the page in view.
        Resize(next, 500, 400);
        QVERIFY(next->m_wndBrowser->width() >= 100);
        Profile::SetMatchPaneWidth(0);
    }

    // A line too long for the pane is shortened in its middle: the score stays in view.
    void longLinesKeepTheirScoreInView() {
        const QString line =
            QStringLiteral("5 тур, доска 3: Орлов-Задунайский Никита — Петрова-Водкина Мария ½–½");
        DocumentFixture fixture({QStringLiteral("nearest=") + line});
        CVelmoraView* view = fixture.Open()->GetView();
        QCOMPARE(view->m_listMatches->textElideMode(), Qt::ElideMiddle);
        QCOMPARE(view->m_listMatches->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QRect item = view->m_listMatches->visualItemRect(view->m_listMatches->item(0));
        QVERIFY(item.right() < view->m_listMatches->viewport()->width());
        QCOMPARE(view->m_listMatches->item(0)->text(), line);
    }
};

QTEST_MAIN(DocumentViewTest)
#include "tst_document_view.moc"
