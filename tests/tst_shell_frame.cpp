// The main frame: the two menus, the toolbar, the status line, the window list, help, the
// About box, closing with tournaments open, and dropped files.
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/CStartPage.h"
#include "app/CVelmoraApp.h"
#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraDoc.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// The menu bar as text: "Title: item | item | - | item", one line per menu.
QStringList MenuLines(QMenuBar* bar) {
    QStringList lines;
    for (QAction* top : bar->actions()) {
        QStringList items;
        for (QAction* item : top->menu()->actions()) {
            if (!item->isVisible())
                continue;
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        lines.append(top->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | ")));
    }
    return lines;
}

const QStringList kMenu128{
    "&Чемпионат: &Новый\tCtrl+N | &Открыть...\tCtrl+O | - | Прошлые чемпионаты | - | &Выход",
    "&Вид: &Панель инструментов",
    "&Помощь: &Справка\tF1 | &О программе ...",
};

QStringList Menu129(const QStringList& windows) {
    QString windowMenu = "&Окна: &Каскадом | &Вплотную";
    if (!windows.isEmpty())
        windowMenu += " | - | " + windows.join(" | ");
    return {"&Чемпионат: &Новый\tCtrl+N | &Открыть...\tCtrl+O | &Закрыть | &Сохранить\tCtrl+S | "
            "Сохранить &как... | Сохранить как P&DF... | - | &Печать...\tCtrl+Shift+P | "
            "Предварительный про&смотр | - | О&тчёты\tCtrl+R | &Параметры\tCtrl+P | "
            "&Информация\tCtrl+I | "
            "С&кин\tCtrl+K | - | &Трансляция | Опу&бликовать... | - | Прошлые чемпионаты | - | "
            "&Выход",
            "&Вид: &Панель инструментов", windowMenu, "&Помощь: &Справка\tF1 | &О программе ..."};
}

} // namespace

class TestShellFrame : public QObject {
    Q_OBJECT
private:
    ProbeFolder* m_pFolder = nullptr;
    std::unique_ptr<CVelmoraApp> m_pApp;
    QStringList m_opened;
    QList<QPointer<CVelmoraDoc>> m_documents;

    CMainFrame* Frame() const { return m_pApp->GetMainFrame(); }

    // A tournament window as the document type makes it, without a tournament behind it.
    CChildFrame* AddTournamentWindow(const QString& title) {
        auto* document = new CVelmoraDoc;
        m_documents.append(document);
        auto* frame = new CChildFrame(document);
        frame->setWidget(new QLabel(title));
        frame->setWindowTitle(title);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        Frame()->MdiArea()->addSubWindow(frame);
        frame->showMaximized();
        Frame()->MdiArea()->setActiveSubWindow(frame);
        return frame;
    }

private slots:
    void initTestCase() { UseTestEnvironment(); }

    void init() {
        Prompts::ClearAsked();
        m_opened.clear();
        CVelmoraApp::s_shellOpener = [this](const QString& path) -> CVelmoraDoc* {
            m_opened.append(path);
            return nullptr;
        };
        m_pFolder = new ProbeFolder;
        m_pFolder->AddSystem("Probe", "probe", {"Plain"});
        QDir::setCurrent(m_pFolder->Root());
        m_pApp = std::make_unique<CVelmoraApp>();
        m_pApp->SetExecutableFolder(m_pFolder->Root());
        QVERIFY(m_pApp->InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }

    void cleanup() {
        CMainFrame::s_saveModified = nullptr;
        CVelmoraApp::s_shellOpener = nullptr;
        m_pApp.reset();
        for (const QPointer<CVelmoraDoc>& document : std::as_const(m_documents))
            delete document.data();
        m_documents.clear();
        QDir::setCurrent(QDir::tempPath());
        delete m_pFolder;
        m_pFolder = nullptr;
    }

    // While no tournament is open: menu 128 exactly, and the tournament buttons disabled.
    void menuWithoutTournament() {
        QCOMPARE(MenuLines(Frame()->menuBar()), kMenu128);
        QVERIFY(!Frame()->Action(57616)->isEnabled()); // the greyed recent-file placeholder
        for (int command : {57602, 57603, 57604, 57607, 57609, 143, 132, 139, 131, 141, 150, 151})
            QVERIFY2(!Frame()->Action(command)->isEnabled(), qPrintable(QString::number(command)));
        for (int command : {57600, 57601, 57664, 57665, 57670, 59392})
            QVERIFY(Frame()->Action(command)->isEnabled());
    }

    void toolBar() {
        QToolBar* bar = Frame()->ToolBar();
        const QList<QAction*> actions = bar->actions();
        const QList<int> commands{57600, 57601, 57603, 57607, 57609, 0,   132, 139,
                                  131,   141,   0,     150,   151,   0,   57664};
        const QStringList tips{"Создать чемпионат",
                               "Открыть чемпионат",
                               "Сохранить чемпионат",
                               "Печать",
                               "Предварительный просмотр",
                               "",
                               "Создать отчёт",
                               "Параметры чемпионата",
                               "Информация о чемпионате",
                               "Изменить скин",
                               "",
                               "Трансляция",
                               "Опубликовать",
                               "",
                               "О программе"};
        const QStringList prompts{"Создать новый чемпионат",
                                  "Открыть существующий чемпионат",
                                  "Сохранить текущий чемпионат",
                                  "Напечатать турнирную таблицу",
                                  "Показать турнирную таблицу так, как она будет напечатана",
                                  "",
                                  "Создать отчёт на основе чемпионата",
                                  "Просмотреть или изменить доступные параметры чемпионата",
                                  "Просмотреть информацию о чемпионате",
                                  "Изменить текущий скин",
                                  "",
                                  "Показывать таблицы в браузерах на экранах и телефонах",
                                  "Копировать таблицу в папку или на сервер после каждого изменения",
                                  "",
                                  "Информация о программе"};
        QCOMPARE(actions.size(), commands.size());
        for (int i = 0; i < commands.size(); ++i) {
            if (commands[i] == 0) {
                QVERIFY(actions[i]->isSeparator());
                continue;
            }
            QCOMPARE(actions[i]->data().toInt(), commands[i]);
            QCOMPARE(actions[i]->toolTip(), tips[i]);
            QCOMPARE(actions[i]->statusTip(), prompts[i]);
            const QIcon icon = actions[i]->icon();
            QVERIFY(!icon.isNull());
            QCOMPARE(icon.availableSizes().value(0), QSize(16, 15));
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(actions[i]));
            QVERIFY(button);
            QCOMPARE(button->isEnabled(),
                     commands[i] > 200 && commands[i] != 57603 && commands[i] != 57607 &&
                         commands[i] != 57609);
        }
        QCOMPARE(bar->iconSize(), QSize(16, 15));
        QCOMPARE(Frame()->toolBarArea(bar), Qt::TopToolBarArea);
    }

    // Pointing at a button puts its prompt in the first pane; leaving brings the idle text.
    void promptsInStatusLine() {
        QToolBar* bar = Frame()->ToolBar();
        QWidget* openButton = bar->widgetForAction(Frame()->Action(57601));
        QStatusTipEvent tip(openButton->statusTip());
        QApplication::sendEvent(openButton, &tip);
        QCOMPARE(Frame()->statusBar()->currentMessage(),
                 QStringLiteral("Открыть существующий чемпионат"));
        QStatusTipEvent leave(QString{});
        QApplication::sendEvent(openButton, &leave);
        QCOMPARE(Frame()->statusBar()->currentMessage(), QString());
        QCOMPARE(Frame()->MessagePaneText(), QStringLiteral("Готово"));
    }

    void toolBarToggle() {
        QAction* toggle = Frame()->Action(59392);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(Frame()->ToolBar()->isHidden());
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QVERIFY(Frame()->ToolBar()->isVisible());
        QVERIFY(toggle->isChecked());
        // Hidden from its own menu (a right click on the bars) the toggle follows too.
        Frame()->ToolBar()->hide();
        QVERIFY(!toggle->isChecked());
    }

    void progressText() {
        QLabel* pane = Frame()->statusBar()->findChild<QLabel*>("messagePane");
        QVERIFY(pane);
        QCOMPARE(pane->text(), QStringLiteral("Готово"));
        // A prompt still showing from the menus gives way to the progress text.
        Frame()->statusBar()->showMessage("Выйти из программы");
        ShowProgress(QStringLiteral("Загрузка систем…"));
        QCOMPARE(Frame()->statusBar()->currentMessage(), QString());
        QCOMPARE(pane->text(), QStringLiteral("Загрузка систем…"));
        QVERIFY(pane->isVisible());
        QCOMPARE(Frame()->GetMessageText(), QStringLiteral("Загрузка систем…"));
        ShowProgress(QString());
        QCOMPARE(Frame()->GetMessageText(), QString());
        QCOMPARE(pane->text(), QStringLiteral("Готово"));
    }

    void capsLockPane() {
        QLabel* caps = Frame()->statusBar()->findChild<QLabel*>("capsPane");
        QVERIFY(caps);
        Frame()->UpdateCapsPane(true);
        QCOMPARE(caps->text(), QStringLiteral("CAP"));
        Frame()->UpdateCapsPane(false);
        QCOMPARE(caps->text(), QString());
        Frame()->UpdateCapsPane(std::nullopt); // a platform that cannot tell
        QCOMPARE(caps->text(), QString());
        QVERIFY(caps->width() >= caps->fontMetrics().horizontalAdvance("CAP"));
    }

    // A tournament window brings menu 129; the window list names every window by its title;
    // closing the last one brings menu 128 back.
    void menusFollowTournamentWindows() {
        CChildFrame* first = AddTournamentWindow("Чемпионат /tmp/Первый.trn");
        QCOMPARE(Frame()->CurrentMenu(), MenuResource::Tournament);
        QCOMPARE(MenuLines(Frame()->menuBar()), Menu129({"&1 Чемпионат /tmp/Первый.trn"}));
        CChildFrame* second = AddTournamentWindow("Чемпионат /tmp/Второй & третий.trn");
        QCOMPARE(
            MenuLines(Frame()->menuBar()),
            Menu129({"&1 Чемпионат /tmp/Первый.trn", "&2 Чемпионат /tmp/Второй && третий.trn"}));
        QVERIFY(second->isMaximized());
        QCOMPARE(Frame()->ActiveChildFrame(), second);
        QVERIFY(Frame()->findChild<QAction*>("window2")->isChecked());
        QVERIFY(!Frame()->findChild<QAction*>("window1")->isChecked());
        QCOMPARE(Frame()->findChild<QAction*>("window1")->statusTip(),
                 QStringLiteral("Активировать этот чемпионат"));
        QVERIFY(first->windowIcon().cacheKey() != Frame()->windowIcon().cacheKey());
        QCOMPARE(first->systemMenu()->actions().value(3)->statusTip(),
                 QStringLiteral("Свернуть окно"));
        for (int command : {57602, 57603, 57604, 132, 139, 131, 141, 57650, 57651})
            QVERIFY(Frame()->Action(command)->isEnabled());

        // Choosing a window from the list activates it.
        Frame()->findChild<QAction*>("window1")->trigger();
        QCOMPARE(Frame()->ActiveChildFrame(), first);

        // The close command closes the active window.
        Frame()->Action(57602)->trigger();
        QTRY_COMPARE(Frame()->ChildFrames().size(), 1);
        QCOMPARE(Frame()->CurrentMenu(), MenuResource::Tournament);
        Frame()->Action(57602)->trigger();
        QTRY_COMPARE(Frame()->CurrentMenu(), MenuResource::NoTournament);
        QCOMPARE(MenuLines(Frame()->menuBar()), kMenu128);
        QVERIFY(!Frame()->Action(57603)->isEnabled());
    }

    // With no tournament open the window area offers the ways to begin, the recent
    // tournaments and the installed systems; a tournament window covers it, and closing the
    // last brings it back.
    void startPage() {
        m_pApp->AddToRecentFileList(m_pFolder->Path("Кубок.trn"));
        CStartPage* page = Frame()->StartPage();
        QVERIFY(page->isVisible());
        QCOMPARE(page->geometry(), Frame()->MdiArea()->viewport()->rect());
        QCOMPARE(page->m_btnNew->text(), QStringLiteral("Создать чемпионат (Ctrl+N)"));
        QCOMPARE(page->m_btnOpen->text(), QStringLiteral("Открыть (Ctrl+O)"));
        QCOMPARE(page->m_listSystems->count(), 1);
        QCOMPARE(page->m_listRecent->count(), 1);
        QVERIFY(page->m_listRecent->item(0)->text().startsWith(QStringLiteral("Кубок.trn")));
        const QRect line = page->m_listRecent->visualItemRect(page->m_listRecent->item(0));
        QTest::mouseClick(page->m_listRecent->viewport(), Qt::LeftButton, {}, line.center());
        QTRY_COMPARE(m_opened, QStringList{m_pFolder->Path("Кубок.trn")});

        CChildFrame* frame = AddTournamentWindow("Чемпионат A");
        QTRY_VERIFY(!page->isVisible());
        frame->close();
        QTRY_VERIFY(page->isVisible());
        // The buttons are the menu's commands: "New" with no system installed says so.
        delete m_pApp->m_pCatalogue;
        m_pApp->m_pCatalogue = nullptr;
        page->m_btnNew->click();
        QCOMPARE(Prompts::Asked().last().message.text,
                 QStringLiteral("В программе не установлено ни одной турнирной системы"));
    }

    // A tournament with unsaved changes carries the platform's mark in the window list too.
    void windowListMarksUnsavedChanges() {
        CChildFrame* frame = AddTournamentWindow("Чемпионат /tmp/Кубок.trn[*]");
        frame->setWindowModified(true);
        Frame()->UpdateCommandUI();
        QCOMPARE(Frame()->findChild<QAction*>("window1")->text(),
                 QStringLiteral("&1 Чемпионат /tmp/Кубок.trn*"));
        frame->setWindowModified(false);
        Frame()->UpdateCommandUI();
        QCOMPARE(Frame()->findChild<QAction*>("window1")->text(),
                 QStringLiteral("&1 Чемпионат /tmp/Кубок.trn"));
    }

    void cascadeAndTile() {
        CChildFrame* a = AddTournamentWindow("Чемпионат A");
        CChildFrame* b = AddTournamentWindow("Чемпионат B");
        Frame()->Action(57651)->trigger();
        QVERIFY(!a->geometry().intersects(b->geometry()));
        Frame()->Action(57650)->trigger();
        QVERIFY(a->geometry().intersects(b->geometry()));
    }

    void recentFilesInMenus() {
        QMenu* file128 = Frame()->findChild<QMenu*>("fileMenu128");
        m_pApp->AddToRecentFileList(m_pFolder->Path("Кубок.trn"));
        m_pApp->AddToRecentFileList(m_pFolder->Path("Лига.trn"));
        QCOMPARE(MenuLines(Frame()->menuBar())[0],
                 "&Чемпионат: &Новый\tCtrl+N | &Открыть...\tCtrl+O | - | &1 " +
                     m_pFolder->Path("Лига.trn") + " | &2 " + m_pFolder->Path("Кубок.trn") +
                     " | - | &Выход");
        auto* entry = file128->findChild<QAction*>("recentFile2", Qt::FindDirectChildrenOnly);
        if (!entry)
            entry = Frame()->findChild<QAction*>("recentFile2");
        QVERIFY(entry);
        QCOMPARE(entry->statusTip(), QStringLiteral("Открыть чемпионат"));
        // An entry that no longer opens leaves the list.
        entry->trigger();
        QCOMPARE(m_opened, QStringList{m_pFolder->Path("Кубок.trn")});
        QCOMPARE(m_pApp->GetRecentFileList()->Files(), QStringList{m_pFolder->Path("Лига.trn")});
        // One that opens stays.
        CVelmoraApp::s_shellOpener = [this](const QString& path) -> CVelmoraDoc* {
            m_opened.append(path);
            m_documents.append(new CVelmoraDoc);
            return m_documents.last();
        };
        Frame()->findChild<QAction*>("recentFile1")->trigger();
        QCOMPARE(m_pApp->GetRecentFileList()->Files(), QStringList{m_pFolder->Path("Лига.trn")});
        // Very long paths are shortened in the menu, never in the list.
        const QString longPath = m_pFolder->Path(QString(120, u'п') + "/финал.trn");
        m_pApp->AddToRecentFileList(longPath);
        const QString text = Frame()->findChild<QAction*>("recentFile1")->text();
        QVERIFY(text.size() < 80);
        QVERIFY(text.endsWith("/финал.trn"));
        QCOMPARE(m_pApp->GetRecentFileList()->Files().first(), longPath);
    }

    // Closing asks about every modified tournament in turn; Cancel keeps everything open.
    void closeAsksEveryDocument() {
        CChildFrame* a = AddTournamentWindow("Чемпионат A");
        CChildFrame* b = AddTournamentWindow("Чемпионат B");
        CChildFrame* c = AddTournamentWindow("Чемпионат C");
        a->GetDocument()->SetModifiedFlag(true);
        c->GetDocument()->SetModifiedFlag(true);
        QList<CVelmoraDoc*> asked;
        QList<bool> answers{true, true, false}; // the third window refuses
        CMainFrame::s_saveModified = [&](CVelmoraDoc* document) {
            asked.append(document);
            return answers.value(asked.size() - 1, true);
        };
        QVERIFY(!Frame()->close());
        QCOMPARE(asked,
                 (QList<CVelmoraDoc*>{a->GetDocument(), b->GetDocument(), c->GetDocument()}));
        QVERIFY(Frame()->isVisible());
        QCOMPARE(Frame()->ChildFrames().size(), 3);
        QVERIFY(a->GetDocument()->IsModified());

        asked.clear();
        answers = {true, true, true};
        Frame()->Action(57665)->trigger(); // "&Выход"
        QCOMPARE(asked.size(), 3);
        QVERIFY(!Frame()->isVisible());
        QCOMPARE(Frame()->ChildFrames().size(), 0);
    }

    void droppedFilesOpenedInTurn() {
        const QStringList files{m_pFolder->Path("Кубок мира.trn"), m_pFolder->Path("second.trn")};
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1]),
                      QUrl("https://velmora.example/remote.trn")});
        const QPoint at = Frame()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &drop);
        QTRY_COMPARE(m_opened, files);
    }

    void helpShowsFirstPage() {
        m_pFolder->Write("help/index.htm", "<html><head><title>Справка Velmora</title></head>"
                                           "<body><h1>Velmora</h1></body></html>");
        const QString current = QDir::currentPath();
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        QTest::keyClick(Frame(), Qt::Key_F1);
        CHelpWindow* help = m_pApp->GetHelpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->Browser()->source(), QUrl::fromLocalFile(m_pFolder->Path("help/index.htm")));
        QCOMPARE(QDir::currentPath(), current);
        help->close();
        Frame()->Action(57670)->trigger();
        QCOMPARE(m_pApp->GetHelpWindow(), help); // the same window again
        QVERIFY(help->isVisible());
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void helpMissingSaysNothing() {
        Frame()->Action(57670)->trigger();
        QVERIFY(!m_pApp->GetHelpWindow());
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void aboutBox() {
        // Any number of times, and with a tournament window open too.
        for (int round = 0; round < 3; ++round) {
            if (round == 2)
                AddTournamentWindow("Чемпионат A");
            bool checked = false;
            ModalDriver driver;
            driver.On<CAboutDlg>([&](CAboutDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("О программе"));
                QStringList labels;
                for (QLabel* label : dialog->findChildren<QLabel*>())
                    if (!label->text().isEmpty())
                        labels.append(label->text());
                for (const char* text : {"Velmora", "Версия 1.5.0", "Сборка 9 от 20.12.2002",
                                         "Сайт программы:", "Отзывы и предложения отправляйте на"})
                    QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
                QVERIFY(!dialog->findChild<QLabel*>("aboutIcon")->pixmap().isNull());
                for (QLineEdit* field : {dialog->m_editSite, dialog->m_editFeedback}) {
                    QVERIFY(field->isReadOnly());
                    QVERIFY(!field->hasFrame());
                    QCOMPARE(field->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
                    QVERIFY(field->focusPolicy() & Qt::TabFocus);
                    const QString address = field->text();
                    field->selectAll();
                    QCOMPARE(field->selectedText(), address);
                    QTest::keyClicks(field, "x");
                    QTest::keyClick(field, Qt::Key_Backspace);
                    QCOMPARE(field->text(), address); // cannot be changed
                }
                QCOMPARE(dialog->m_editSite->text(), CAboutDlg::SiteAddress());
                QCOMPARE(dialog->m_editFeedback->text(), CAboutDlg::FeedbackAddress());
                auto* ok = dialog->findChild<QPushButton*>("okButton");
                QVERIFY(ok && ok->isDefault());
                // Each round closes it another way: OK, Enter in a field, Esc.
                if (round == 0)
                    ok->click();
                else if (round == 1)
                    QTest::keyClick(dialog->m_editSite, Qt::Key_Return);
                else
                    QTest::keyClick(dialog, Qt::Key_Escape);
                checked = true;
            });
            Frame()->Action(Command::AppAbout)->trigger();
            QVERIFY(driver.AllDone());
            QVERIFY(checked);
            QVERIFY(!QApplication::activeModalWidget());
        }
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestShellFrame test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell_frame.moc"
