#include "CMainFrame.h"

#include "app/CRecentFileList.h"
#include "app/CStartPage.h"
#include "app/CVelmoraApp.h"
#include "live/CLiveDlg.h"
#include "live/CLiveService.h"
#include "live/CPublishDlg.h"
#include "tournament/CChildFrame.h"
#include "tournament/CDocTemplate.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CVelmoraView.h"
#include "wizard/CNewTournamentWizard.h"
#include "wizard/COpenTournamentWizard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <dlfcn.h>
#endif

namespace {

const QString kIdleText = QStringLiteral("Готово");
const QString kCapsText = QStringLiteral("CAP");

// Commands that need a tournament window.
constexpr int kTournamentCommands[] = {Command::FileClose,
                                       Command::FileSave,
                                       Command::FileSaveAs,
                                       Command::Reports,
                                       Command::TournamentParameters,
                                       Command::TournamentInfo,
                                       Command::ChangeSkin,
                                       Command::FilePrint,
                                       Command::FilePrintPreview,
                                       Command::SaveAsPdf,
                                       Command::Live,
                                       Command::Publish,
                                       Command::WindowCascade,
                                       Command::WindowTile};

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_pMdiArea(new QMdiArea(this)) {
    InitResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(ProgramIcon());
    m_pMdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_pMdiArea);
    setAcceptDrops(true);
    setDockNestingEnabled(true);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_pStartPage = new CStartPage(m_pMdiArea->viewport());
    connect(m_pStartPage, &CStartPage::newRequested, m_actions.value(Command::FileNew),
            &QAction::trigger);
    connect(m_pStartPage, &CStartPage::openRequested, m_actions.value(Command::FileOpen),
            &QAction::trigger);
    // Queued: the page's list is refilled when the opening changes the recent files.
    connect(m_pStartPage, &CStartPage::recentChosen, this, &CMainFrame::OnOpenRecentFile,
            Qt::QueuedConnection);

    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandUI(); });
    m_pMdiArea->viewport()->installEventFilter(this);
    qApp->installEventFilter(this);
    if (CVelmoraApp* app = theApp())
        if (CRecentFileList* recent = app->GetRecentFileList())
            connect(recent, &CRecentFileList::changed, this, &CMainFrame::UpdateRecentFileMenu);
    UpdateRecentFileMenu();
    UpdateCommandUI();
    UpdateCapsPane(QueryCapsLock());
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The tournament windows go after this body, when the menus and actions are gone already:
    // they must not call back.
    m_pMdiArea->viewport()->removeEventFilter(this);
    m_pMdiArea->disconnect(this);
    for (QMdiSubWindow* window : m_pMdiArea->findChildren<QMdiSubWindow*>())
        window->disconnect(this);
}

std::function<bool(CVelmoraDoc*)> CMainFrame::s_saveModified;

static void InitVelmoraResources() {
    Q_INIT_RESOURCE(velmora);
}

void CMainFrame::InitResources() {
    static const bool once = [] {
        InitVelmoraResources();
        return true;
    }();
    Q_UNUSED(once)
}

QIcon CMainFrame::ProgramIcon() {
    InitResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon CMainFrame::TournamentIcon() {
    InitResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tournament-%1.png").arg(size), QSize(size, size));
    return icon;
}

QAction* CMainFrame::AddCommand(int command, const QString& text, const QString& prompt,
                                const QString& tooltip, const QString& picture) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setData(command);
    action->setStatusTip(prompt);
    if (!tooltip.isEmpty())
        action->setToolTip(tooltip);
    if (!picture.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(picture)));
    // Pictures belong to the toolbar; the menus keep the plain look of the original.
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    m_actions.insert(command, action);
    // Accelerators work whichever menu is shown.
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    using namespace Command;
    AddCommand(FileNew, QStringLiteral("&Новый\tCtrl+N"), QStringLiteral("Создать новый чемпионат"),
               QStringLiteral("Создать чемпионат"), QStringLiteral("new"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(FileOpen, QStringLiteral("&Открыть...\tCtrl+O"),
               QStringLiteral("Открыть существующий чемпионат"),
               QStringLiteral("Открыть чемпионат"), QStringLiteral("open"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(FileClose, QStringLiteral("&Закрыть"), QStringLiteral("Закрыть текущий чемпионат"),
               QStringLiteral("Закрыть чемпионат"));
    AddCommand(FileSave, QStringLiteral("&Сохранить\tCtrl+S"),
               QStringLiteral("Сохранить текущий чемпионат"), QStringLiteral("Сохранить чемпионат"),
               QStringLiteral("save"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(FileSaveAs, QStringLiteral("Сохранить &как..."),
               QStringLiteral("Сохранить текущий чемпионат как..."),
               QStringLiteral("Сохранить как..."));
    // Ctrl+P, the usual print key, belongs to the parameters.
    AddCommand(FilePrint, QStringLiteral("&Печать...\tCtrl+Shift+P"),
               QStringLiteral("Напечатать турнирную таблицу"), QStringLiteral("Печать"),
               QStringLiteral("print"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    AddCommand(FilePrintPreview, QStringLiteral("Предварительный про&смотр"),
               QStringLiteral("Показать турнирную таблицу так, как она будет напечатана"),
               QStringLiteral("Предварительный просмотр"), QStringLiteral("preview"));
    AddCommand(SaveAsPdf, QStringLiteral("Сохранить как P&DF..."),
               QStringLiteral("Сохранить турнирную таблицу в файл PDF"),
               QStringLiteral("Сохранить как PDF"), QStringLiteral("pdf"));
    AddCommand(Reports, QStringLiteral("О&тчёты\tCtrl+R"),
               QStringLiteral("Создать отчёт на основе чемпионата"),
               QStringLiteral("Создать отчёт"), QStringLiteral("reports"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    AddCommand(TournamentParameters, QStringLiteral("&Параметры\tCtrl+P"),
               QStringLiteral("Просмотреть или изменить доступные параметры чемпионата"),
               QStringLiteral("Параметры чемпионата"), QStringLiteral("parameters"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(TournamentInfo, QStringLiteral("&Информация\tCtrl+I"),
               QStringLiteral("Просмотреть информацию о чемпионате"),
               QStringLiteral("Информация о чемпионате"), QStringLiteral("information"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    AddCommand(ChangeSkin, QStringLiteral("С&кин\tCtrl+K"), QStringLiteral("Изменить текущий скин"),
               QStringLiteral("Изменить скин"), QStringLiteral("skin"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    QAction* live = AddCommand(Live, QStringLiteral("&Трансляция"),
                               QStringLiteral("Показывать таблицы в браузерах на экранах и телефонах"),
                               QStringLiteral("Трансляция"), QStringLiteral("live"));
    live->setCheckable(true);
    connect(CLiveService::Instance(), &CLiveService::runningChanged, live, &QAction::setChecked);
    connect(CLiveService::Instance(), &CLiveService::publishStatus, this, &CMainFrame::SetMessageText);
    AddCommand(Publish, QStringLiteral("Опу&бликовать..."),
               QStringLiteral("Копировать таблицу в папку или на сервер после каждого изменения"),
               QStringLiteral("Опубликовать"), QStringLiteral("publish"));
    QAction* placeholder = AddCommand(FileMru1, QStringLiteral("Прошлые чемпионаты"),
                                      QStringLiteral("Открыть чемпионат"));
    placeholder->setEnabled(false);
    AddCommand(AppExit, QStringLiteral("&Выход"), QStringLiteral("Выйти из программы"),
               QStringLiteral("Выход"));
    QAction* toolbar = AddCommand(ViewToolbar, QStringLiteral("&Панель инструментов"),
                                  QStringLiteral("Показать или скрыть панень инструментов"),
                                  QStringLiteral("Переключить панель инструментов"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    AddCommand(WindowCascade, QStringLiteral("&Каскадом"),
               QStringLiteral("Организовать окна так, чтобы они перекрывались"),
               QStringLiteral("Каскадом"));
    AddCommand(WindowTile, QStringLiteral("&Вплотную"),
               QStringLiteral("Организовать окна так, чтобы они не перекрывались"),
               QStringLiteral("Вплотную"));
    AddCommand(HelpFinder, QStringLiteral("&Справка\tF1"),
               QStringLiteral("Вызвать справочную систему"), QStringLiteral("Справка"))
        ->setShortcut(QKeySequence(Qt::Key_F1));
    AddCommand(AppAbout, QStringLiteral("&О программе ..."),
               QStringLiteral("Информация о программе"), QStringLiteral("О программе"),
               QStringLiteral("about"));
}

void CMainFrame::CreateMenus() {
    using namespace Command;
    auto add = [this](QMenu* menu, std::initializer_list<int> commands) {
        for (int command : commands) {
            if (command == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(command));
        }
    };
    m_pFileMenu128 = new QMenu(QStringLiteral("&Чемпионат"), this);
    m_pFileMenu128->setObjectName(QStringLiteral("fileMenu128"));
    add(m_pFileMenu128, {FileNew, FileOpen, 0, FileMru1, 0, AppExit});

    m_pFileMenu129 = new QMenu(QStringLiteral("&Чемпионат"), this);
    m_pFileMenu129->setObjectName(QStringLiteral("fileMenu129"));
    add(m_pFileMenu129,
        {FileNew, FileOpen, FileClose, FileSave, FileSaveAs, SaveAsPdf, 0, FilePrint,
         FilePrintPreview, 0, Reports, TournamentParameters, TournamentInfo, ChangeSkin, 0, Live,
         Publish, 0, FileMru1, 0, AppExit});

    m_pViewMenu = new QMenu(QStringLiteral("&Вид"), this);
    m_pViewMenu->setObjectName(QStringLiteral("viewMenu"));
    add(m_pViewMenu, {ViewToolbar});

    m_pWindowMenu = new QMenu(QStringLiteral("&Окна"), this);
    m_pWindowMenu->setObjectName(QStringLiteral("windowMenu"));
    add(m_pWindowMenu, {WindowCascade, WindowTile});
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);

    m_pHelpMenu = new QMenu(QStringLiteral("&Помощь"), this);
    m_pHelpMenu->setObjectName(QStringLiteral("helpMenu"));
    add(m_pHelpMenu, {HelpFinder, AppAbout});

    menuBar()->setObjectName(QStringLiteral("menuBar"));
    m_nMenu = MenuResource::Tournament; // so that ShowMenu builds the bar
    ShowMenu(MenuResource::NoTournament);
}

void CMainFrame::ShowMenu(MenuResource menu) {
    if (menu == m_nMenu)
        return;
    m_nMenu = menu;
    QMenuBar* bar = menuBar();
    bar->clear(); // the menus themselves belong to the frame and are only taken off the bar
    if (menu == MenuResource::NoTournament) {
        bar->addMenu(m_pFileMenu128);
        bar->addMenu(m_pViewMenu);
        bar->addMenu(m_pHelpMenu);
    } else {
        bar->addMenu(m_pFileMenu129);
        bar->addMenu(m_pViewMenu);
        bar->addMenu(m_pWindowMenu);
        bar->addMenu(m_pHelpMenu);
    }
}

void CMainFrame::CreateToolBar() {
    using namespace Command;
    m_wndToolBar = new QToolBar(QStringLiteral("Панель инструментов"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int command :
         std::initializer_list<int>{FileNew, FileOpen, FileSave, FilePrint, FilePrintPreview, 0,
                                    Reports, TournamentParameters, TournamentInfo, ChangeSkin, 0,
                                    Live, Publish, 0, AppAbout}) {
        if (command == 0)
            m_wndToolBar->addSeparator();
        else
            m_wndToolBar->addAction(m_actions.value(command));
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    QAction* toggle = m_actions.value(ViewToolbar);
    connect(toggle, &QAction::toggled, m_wndToolBar, &QToolBar::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool) {
        // The frame may be hidden itself (before start-up shows it); only the bar's own flag
        // counts.
        toggle->setChecked(!m_wndToolBar->isHidden());
    });
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    m_pMessagePane = new QLabel(kIdleText, m_wndStatusBar);
    m_pMessagePane->setObjectName(QStringLiteral("messagePane"));
    m_pMessagePane->setTextFormat(Qt::PlainText);
    m_wndStatusBar->addWidget(m_pMessagePane, 1);
    m_pCapsPane = new QLabel(m_wndStatusBar);
    m_pCapsPane->setObjectName(QStringLiteral("capsPane"));
    m_pCapsPane->setAlignment(Qt::AlignCenter);
    m_pCapsPane->setFrameShape(QFrame::StyledPanel);
    m_pCapsPane->setFrameShadow(QFrame::Sunken);
    m_pCapsPane->setMinimumWidth(m_pCapsPane->fontMetrics().horizontalAdvance(kCapsText) + 12);
    m_wndStatusBar->addPermanentWidget(m_pCapsPane);
}

void CMainFrame::AdoptWindow(QMdiSubWindow* window) {
    if (window->property("velmoraAdopted").toBool())
        return;
    window->setProperty("velmoraAdopted", true);
    if (qobject_cast<CChildFrame*>(window)) {
        if (!window->testAttribute(Qt::WA_SetWindowIcon))
            window->setWindowIcon(TournamentIcon());
        SetSystemMenuPrompts(window);
    }
    // Closing the last window must bring back the menus without a tournament: their commands
    // would otherwise act on a window that is gone.
    connect(window, &QObject::destroyed, this, [this] { UpdateCommandUI(); });
    connect(window, &QMdiSubWindow::windowStateChanged, this, [this] {
        if (!m_bUpdatePending) {
            m_bUpdatePending = true;
            QMetaObject::invokeMethod(this, &CMainFrame::UpdateCommandUI, Qt::QueuedConnection);
        }
    });
}

void CMainFrame::SetSystemMenuPrompts(QMdiSubWindow* window) {
    QMenu* menu = window->systemMenu();
    if (!menu)
        return;
    // The window menu's entries, in the order Qt builds them: restore, move, size, minimise,
    // maximise, stay on top, separator, close.
    const QStringList prompts{QStringLiteral("Восстановить окно"),
                              QStringLiteral("Изменить позицию окна"),
                              QStringLiteral("Изменить размер окна"),
                              QStringLiteral("Свернуть окно"),
                              QStringLiteral("Развернуть окно"),
                              QString(),
                              QString(),
                              QStringLiteral("Закрыть программу")};
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size() && i < prompts.size(); ++i)
        if (!prompts[i].isEmpty() && !actions[i]->isSeparator())
            actions[i]->setStatusTip(prompts[i]);
}

void CMainFrame::SetMessageText(const QString& text) {
    m_strMessage = text;
    // A prompt left from the menus would hide the progress text.
    m_wndStatusBar->clearMessage();
    m_pMessagePane->setText(text.isEmpty() ? kIdleText : text);
    m_pMessagePane->repaint();
}

QString CMainFrame::MessagePaneText() const {
    return m_pMessagePane->text();
}

void CMainFrame::UpdateCapsPane(std::optional<bool> capsOn) {
    m_pCapsPane->setText(capsOn.value_or(false) ? kCapsText : QString());
}

std::optional<bool> CMainFrame::QueryCapsLock() {
#if defined(Q_OS_WIN)
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return std::nullopt;
    // Xlib is loaded with the X11 platform plug-in; it is looked up rather than linked, so the
    // program still starts where there is no X11.
    using GetIndicatorState = int (*)(void*, unsigned int, unsigned int*);
    static const auto getState = [] {
        void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        return xlib ? reinterpret_cast<GetIndicatorState>(dlsym(xlib, "XkbGetIndicatorState"))
                    : nullptr;
    }();
    unsigned int state = 0;
    constexpr unsigned int kUseCoreKeyboard = 0x0100;
    if (!getState || getState(x11->display(), kUseCoreKeyboard, &state) != 0)
        return std::nullopt;
    return (state & 1u) != 0; // the first indicator is Caps Lock
#else
    return std::nullopt;
#endif
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    // currentSubWindow stays set while a dialog or another program has the focus, so the menus
    // do not flip back and forth.
    return qobject_cast<CChildFrame*>(m_pMdiArea->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::ChildFrames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(window); frame && !frame->isHidden())
            frames.append(frame);
    return frames;
}

void CMainFrame::UpdateCommandUI() {
    m_bUpdatePending = false;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList())
        AdoptWindow(window);
    CChildFrame* frame = ActiveChildFrame();
    if (frame && frame->isHidden())
        frame = nullptr;
    const bool tournament = frame != nullptr;
    for (int command : kTournamentCommands)
        m_actions.value(command)->setEnabled(tournament);
    ShowMenu(tournament ? MenuResource::Tournament : MenuResource::NoTournament);
    FillWindowMenu();
    UpdateStartPage();
}

void CMainFrame::UpdateStartPage() {
    const bool show = ChildFrames().isEmpty();
    if (show) {
        m_pStartPage->setGeometry(m_pMdiArea->viewport()->rect());
        m_pStartPage->Refresh();
        m_pStartPage->lower();
    }
    m_pStartPage->setVisible(show);
}

void CMainFrame::RetireAction(QAction* action) {
    // The action may be the one whose trigger led here: it goes once that has returned.
    action->setObjectName(QString());
    action->disconnect(this);
    action->deleteLater();
}

void CMainFrame::UpdateRecentFileMenu() {
    for (QAction* action : std::as_const(m_recentActions)) {
        m_pFileMenu128->removeAction(action);
        m_pFileMenu129->removeAction(action);
        RetireAction(action);
    }
    m_recentActions.clear();
    if (m_pStartPage && m_pStartPage->isVisible())
        m_pStartPage->Refresh();
    QAction* placeholder = m_actions.value(Command::FileMru1);
    const CRecentFileList* recent = theApp() ? theApp()->GetRecentFileList() : nullptr;
    const QStringList files = recent ? recent->Files() : QStringList();
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* action = new QAction(CRecentFileList::MenuText(i, path), this);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        action->setData(path);
        action->setStatusTip(QStringLiteral("Открыть чемпионат"));
        connect(action, &QAction::triggered, this, [this, path] { OnOpenRecentFile(path); });
        m_pFileMenu128->insertAction(placeholder, action);
        m_pFileMenu129->insertAction(placeholder, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::FillWindowMenu() {
    for (QAction* action : std::as_const(m_windowActions)) {
        m_pWindowMenu->removeAction(action);
        RetireAction(action);
    }
    m_windowActions.clear();
    const QList<CChildFrame*> frames = ChildFrames();
    if (frames.isEmpty())
        return;
    m_windowActions.append(m_pWindowMenu->addSeparator());
    CChildFrame* active = ActiveChildFrame();
    for (int i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames.at(i);
        QString title = frame->windowTitle();
        // The mark of unsaved changes, as the window's own caption shows it.
        title.replace(QStringLiteral("[*]"),
                      frame->isWindowModified() ? QStringLiteral("*") : QString());
        title.replace(u'&', QStringLiteral("&&"));
        auto* action =
            new QAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : title, this);
        action->setObjectName(QStringLiteral("window%1").arg(i + 1));
        action->setData(Command::WindowListFirst + i);
        action->setStatusTip(QStringLiteral("Активировать этот чемпионат"));
        // Only the active window carries a check mark.
        action->setCheckable(frame == active);
        action->setChecked(frame == active);
        QPointer<CChildFrame> target(frame);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target)
                m_pMdiArea->setActiveSubWindow(target);
            UpdateCommandUI();
        });
        m_pWindowMenu->addAction(action);
        m_windowActions.append(action);
    }
}

void CMainFrame::OnCommand(int command) {
    CVelmoraApp* app = theApp();
    CChildFrame* frame = ActiveChildFrame();
    CVelmoraDoc* document = frame ? frame->GetDocument() : nullptr;
    CVelmoraView* view = document ? document->GetView() : nullptr;
    switch (command) {
    case Command::FileNew:
        if (app)
            CNewTournamentWizard(*app).Run();
        break;
    case Command::FileOpen:
        if (app)
            COpenTournamentWizard(*app).Run();
        break;
    case Command::FileClose:
        if (frame)
            frame->close();
        break;
    case Command::FileSave:
        if (document)
            document->DoFileSave();
        break;
    case Command::FileSaveAs:
        if (document)
            document->DoSaveAs();
        break;
    case Command::Reports:
        if (view)
            view->OnReports();
        break;
    case Command::FilePrint:
        if (view)
            view->OnPrint();
        break;
    case Command::FilePrintPreview:
        if (view)
            view->OnPrintPreview();
        break;
    case Command::SaveAsPdf:
        if (view)
            view->OnSaveAsPdf();
        break;
    case Command::TournamentParameters:
        if (view)
            view->OnTournamentParameters();
        break;
    case Command::TournamentInfo:
        if (view)
            view->OnTournamentInfo();
        break;
    case Command::ChangeSkin:
        if (view)
            view->OnChangeSkin();
        break;
    case Command::Live: {
        m_actions.value(Command::Live)->setChecked(CLiveService::Instance()->IsRunning());
        CLiveDlg(CLiveService::Instance(), this).exec();
        break;
    }
    case Command::Publish:
        if (document && document->m_pEntries)
            CPublishDlg::Run(this, CLiveService::Instance(), document, *document->m_pEntries,
                             document->GetTournament(), document->m_strTournamentPath);
        break;
    case Command::WindowCascade:
        m_pMdiArea->cascadeSubWindows();
        break;
    case Command::WindowTile:
        m_pMdiArea->tileSubWindows();
        break;
    case Command::AppAbout:
        if (app)
            app->OnAppAbout();
        break;
    case Command::AppExit:
        close();
        break;
    case Command::HelpFinder:
        if (app)
            app->ShowHelp();
        break;
    default:
        break;
    }
}

void CMainFrame::OnOpenRecentFile(const QString& path) {
    CVelmoraApp* app = theApp();
    if (!app)
        return;
    // A file that cannot be opened any more leaves the list.
    if (!app->OpenFromShell(path))
        app->GetRecentFileList()->Remove(path);
}

bool CMainFrame::CloseAllTournaments() {
    const QList<CChildFrame*> frames = ChildFrames();
    QList<CVelmoraDoc*> documents;
    for (CChildFrame* frame : frames)
        documents.append(frame->GetDocument());
    if (!CDocTemplate::SaveModifiedDocuments(documents, s_saveModified))
        return false;
    // Every question has been answered: the windows close without asking again.
    for (CChildFrame* frame : frames) {
        QPointer<CChildFrame> guard(frame);
        if (CVelmoraDoc* document = frame->GetDocument())
            document->SetModifiedFlag(false);
        if (guard)
            guard->close();
    }
    return ChildFrames().isEmpty();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!CloseAllTournaments()) {
        event->ignore();
        UpdateCommandUI();
        return;
    }
    // The help window goes with the program.
    for (QWidget* window : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window->isVisible())
            window->close();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList files;
    if (const QMimeData* data = event->mimeData())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.append(url.toLocalFile());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    // Opened once the drag has finished: opening may ask questions in dialogs of its own.
    QMetaObject::invokeMethod(
        this,
        [files] {
            for (const QString& file : files)
                if (CVelmoraApp* app = theApp())
                    app->OpenFromShell(file);
        },
        Qt::QueuedConnection);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        // A window created with the area as its parent is not a subwindow yet while it is
        // being constructed, so it is looked at once construction is over.
        if (watched == m_pMdiArea->viewport()) {
            QPointer<QObject> child(static_cast<QChildEvent*>(event)->child());
            QMetaObject::invokeMethod(
                this,
                [this, child] {
                    if (auto* window = qobject_cast<QMdiSubWindow*>(child.data()))
                        AdoptWindow(window);
                },
                Qt::QueuedConnection);
        }
        break;
    case QEvent::Resize:
        if (watched == m_pMdiArea->viewport() && m_pStartPage)
            m_pStartPage->setGeometry(m_pMdiArea->viewport()->rect());
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_CapsLock)
            UpdateCapsPane(QueryCapsLock());
        break;
    case QEvent::ApplicationActivate:
    case QEvent::WindowActivate:
        if (watched == this || watched == qApp)
            UpdateCapsPane(QueryCapsLock());
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
