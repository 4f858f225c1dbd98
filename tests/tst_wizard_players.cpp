// The players dialog against the probe system: the list follows the plug-in, the limit of
// 4096 players, the players list files.
#include "WizardTestSupport.h"

#include "systems/SystemCatalogue.h"
#include "wizard/CGetPlayersDlg.h"
#include "wizard/CPlayersListBox.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

// A started program with one probe system, its table and a fresh players handle, as the
// wizard has them when it opens the players dialog.
struct PlayersFixture {
    explicit PlayersFixture(const QStringList& config = {}) {
        library = program.Add("sys", {"Skin"}, config);
        program.Start();
        entries = program.App()->Catalogue()->GetAt(0)->m_entries;
        hPlayers = entries.CreatePlayers();
        program.Folder().ClearLog(library);
    }
    // The players still held are given back, as the wizard would.
    ~PlayersFixture() { entries.FreePlayers(hPlayers); }
    QStringList Log() const { return program.Log(library); }
    void Configure(const QStringList& config) { program.Folder().Configure(library, config); }
    QString File(const QString& name) { return program.Folder().Path(name); }

    ProbeProgram program;
    QString library;
    SystemEntryTable entries;
    VelmoraPlayers hPlayers = 0;
};

struct ShownDialog {
    explicit ShownDialog(PlayersFixture& f) : dlg(&f.entries, &f.hPlayers) {
        dlg.m_strProgramFolder = f.program.App()->ProgramFolder();
        dlg.show();
        dlg.activateWindow();
        active = QTest::qWaitForWindowActive(&dlg);
    }
    QListWidget* list() { return List(&dlg, "listPlayers"); }
    QPushButton* button(const char* name) { return dlg.findChild<QPushButton*>(name); }
    QString count() { return dlg.findChild<QLabel*>("labelCount")->text(); }
    void AddPlayers(int n) {
        for (int i = 0; i < n; ++i)
            button("btnPlayerAdd")->click();
    }
    CGetPlayersDlg dlg;
    bool active = false;
};

} // namespace

class TestWizardPlayers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTestEnvironment(); }
    void init() { Prompts::ClearAsked(); }

    void startsEmpty();
    void nextNeedsThreePlayers();
    void cancelEscCloseGiveTwo();
    void addKeepsSelection();
    void limitOf4096Players();
    void loadOf5000KeepsTheLast4096();
    void mergeOf100Into4000();
    void modifyReplacesTheLine();
    void deleteSelectsNeighbour();
    void deleteKeyAsksTheSameQuestion();
    void enterInListAddsAPlayer();
    void saveRemembersTheFile();
    void saveAfterLoadAndAfterMerge();
    void loadCancelledChangesNothing();
    void loadThatFailsKeepsThePlayers();
    void mergeThatFailsMergesNothing();
    void systemThatNeverDeletesCannotHangTheDialog();
};

// The filters of "Загрузить" and "Добавить".
const QStringList kOpenFilters{"Players List Files (*.plr)", "Таблицы (*.csv *.tsv *.txt)",
                               "Все файлы (*)"};

void TestWizardPlayers::startsEmpty() {
    PlayersFixture f;
    ShownDialog d(f);
    QVERIFY(d.active);
    QCOMPARE(d.dlg.windowTitle(), "Параметры нового чемпионата");
    QCOMPARE(d.list()->count(), 0);
    QVERIFY(!d.button("btnPlayerModify")->isEnabled());
    QVERIFY(!d.button("btnPlayerDelete")->isEnabled());
    QVERIFY(d.button("btnPlayerAdd")->isEnabled());
    QVERIFY(d.button("btnPlayerAdd")->isDefault());
    QCOMPARE(d.count(), "0");
    QCOMPARE(QApplication::focusWidget(), d.list());
    QVERIFY(f.Log().isEmpty()); // the dialog does not read the players at the start
    // The Delete key in an empty list does nothing and asks nothing.
    QTest::keyClick(d.list(), Qt::Key_Delete);
    QVERIFY(Prompts::Asked().isEmpty());
    // The tab order of the dialog.
    const QStringList order = {"btnPlayerAdd", "btnListAdd", "btnListSave", "btnListSaveAs",
                               "btnListLoad",  "btnNext",    "btnCancel",   "listPlayers"};
    for (const QString& expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), expected);
    }
}

void TestWizardPlayers::nextNeedsThreePlayers() {
    PlayersFixture f;
    ShownDialog d(f);
    QSignalSpy finished(&d.dlg, &QDialog::finished);
    for (int players = 0; players < 3; ++players) {
        Prompts::ClearAsked();
        QVERIFY(ClickButton(&d.dlg, "btnNext"));
        QCOMPARE(finished.count(), 0);
        QVERIFY(d.dlg.isVisible());
        const auto messages = Messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].message.text, "Количество игроков должно быть больше двух");
        QCOMPARE(messages[0].message.caption, "Ошибка");
        QCOMPARE(messages[0].message.icon, Prompts::Icon::None);
        QCOMPARE(messages[0].message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        d.AddPlayers(1);
    }
    QVERIFY(ClickButton(&d.dlg, "btnNext"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), 1);
}

void TestWizardPlayers::cancelEscCloseGiveTwo() {
    PlayersFixture f;
    for (int way = 0; way < 3; ++way) {
        ShownDialog d(f);
        d.dlg.accept(); // the OK command does nothing here
        QVERIFY(d.dlg.isVisible());
        if (way == 0)
            QVERIFY(ClickButton(&d.dlg, "btnCancel"));
        else if (way == 1)
            QTest::keyClick(d.list(), Qt::Key_Escape);
        else
            d.dlg.close();
        QCOMPARE(d.dlg.result(), 2);
    }
}

void TestWizardPlayers::addKeepsSelection() {
    PlayersFixture f({"add_player=0,0,-1"});
    ShownDialog d(f);
    d.AddPlayers(1);
    QCOMPARE(Rows(d.list()), QStringList({"New 0"}));
    QCOMPARE(d.list()->currentRow(), 0);
    QVERIFY(d.list()->item(0)->isSelected());
    d.AddPlayers(1); // the plug-in puts the new player first
    QCOMPARE(Rows(d.list()), QStringList({"New 1", "New 0"}));
    QCOMPARE(d.list()->currentItem()->text(), "New 0");
    QCOMPARE(d.count(), "2");
    QVERIFY(d.button("btnPlayerModify")->isEnabled());
    d.AddPlayers(1); // nothing added
    QCOMPARE(Rows(d.list()), QStringList({"New 1", "New 0"}));
    QCOMPARE(CallNames(f.Log()), QStringList({"OnAddPlayer", "GetPlayerHeader", "OnAddPlayer",
                                              "GetPlayerHeader", "OnAddPlayer"}));
    QCOMPARE(QApplication::focusWidget(), d.list());
}

void TestWizardPlayers::limitOf4096Players() {
    PlayersFixture f({"load_players=4095"});
    ShownDialog d(f);
    Prompts::QueueFileAnswer(f.File("many.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));
    QCOMPARE(d.list()->count(), 4095);
    QVERIFY(d.button("btnPlayerAdd")->isEnabled());
    d.AddPlayers(1);
    QCOMPARE(d.list()->count(), 4096);
    QCOMPARE(d.count(), "4096");
    QVERIFY(!d.button("btnPlayerAdd")->isEnabled());
    // Enter, which would press "Добавить", adds nobody now.
    f.program.Folder().ClearLog(f.library);
    QTest::keyClick(d.list(), Qt::Key_Return);
    QVERIFY(Calls(f.Log(), "OnAddPlayer").isEmpty());
    QCOMPARE(d.dlg.result(), 0);
}

void TestWizardPlayers::loadOf5000KeepsTheLast4096() {
    PlayersFixture f({"load_players=5000"});
    ShownDialog d(f);
    d.AddPlayers(1);
    const VelmoraPlayers before = f.hPlayers;
    QStringList progress;
    SetProgressObserver([&](const QString& text) { progress.append(text); });
    Prompts::QueueFileAnswer(f.File("big.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));

    const auto files = FileDialogs();
    QCOMPARE(files.size(), 1);
    QCOMPARE(files[0].file.title, "Загрузить список игроков");
    QVERIFY(!files[0].file.save);
    QVERIFY(files[0].file.mustExist);
    // A spreadsheet's export can be chosen too; the list files stay the first choice.
    QCOMPARE(files[0].file.filters, kOpenFilters);
    QCOMPARE(files[0].file.defaultSuffix, "plr");
    QCOMPARE(files[0].file.initialName, "*.plr");
    QCOMPARE(progress, QStringList({"Загрузка списка игроков", ""}));

    const QStringList log = f.Log();
    // Read first, then the old players go, then the list is trimmed at the front.
    QCOMPARE(CallNames(log).mid(2, 3),
             QStringList({"OnLoadPlayers", "FreePlayers", "GetPlayersCount"}));
    QCOMPARE(Calls(log, "FreePlayers"), QStringList({"FreePlayers(h1) -> 0"}));
    const QStringList deletions = Calls(log, "OnDeletePlayer");
    QCOMPARE(deletions.size(), 904);
    QCOMPARE(deletions.count("OnDeletePlayer(h2, 0) -> 0"), 904);
    QVERIFY(f.hPlayers != before);
    QCOMPARE(d.list()->count(), 4096);
    QCOMPARE(d.list()->item(0)->text(), "Loaded 904");
    QCOMPARE(d.list()->item(4095)->text(), "Loaded 4999");
    QCOMPARE(d.list()->currentRow(), 0);
    QVERIFY(!d.button("btnPlayerAdd")->isEnabled());
    QCOMPARE(d.count(), "4096");
    SetProgressObserver({});
}

void TestWizardPlayers::mergeOf100Into4000() {
    PlayersFixture f({"load_players=4000"});
    ShownDialog d(f);
    Prompts::QueueFileAnswer(f.File("first.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));
    QCOMPARE(d.list()->count(), 4000);
    f.Configure({"load_players=100"});
    f.program.Folder().ClearLog(f.library);
    QStringList progress;
    SetProgressObserver([&](const QString& text) { progress.append(text); });
    Prompts::ClearAsked();
    Prompts::QueueFileAnswer(f.File("more.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListAdd"));
    SetProgressObserver({});

    QCOMPARE(FileDialogs().size(), 1);
    QCOMPARE(FileDialogs()[0].file.title, "Добавить список игроков");
    QCOMPARE(FileDialogs()[0].file.filters, kOpenFilters);
    QVERIFY(FileDialogs()[0].file.mustExist);
    QCOMPARE(FileDialogs()[0].file.initialFolder, f.program.Folder().Root() + "/");
    QCOMPARE(progress, QStringList({"Добавление списка игроков", ""}));
    const QStringList log = f.Log();
    QCOMPARE(CallNames(log).mid(0, 3),
             QStringList({"OnLoadPlayers", "OnAddPlayerList", "FreePlayers"}));
    QCOMPARE(Calls(log, "OnAddPlayerList"), QStringList({"OnAddPlayerList(h2, h3) -> 0"}));
    QCOMPARE(Calls(log, "FreePlayers"), QStringList({"FreePlayers(h3) -> 0"}));
    QCOMPARE(Calls(log, "OnDeletePlayer").count("OnDeletePlayer(h2, 0) -> 0"), 4);
    QCOMPARE(Calls(log, "OnDeletePlayer").size(), 4);
    QCOMPARE(d.list()->count(), 4096);
    QCOMPARE(d.list()->currentRow(), 0);
    QCOMPARE(d.list()->item(0)->text(), "Loaded 4");
    QVERIFY(!d.button("btnPlayerAdd")->isEnabled());
}

void TestWizardPlayers::modifyReplacesTheLine() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(5);
    d.list()->setCurrentRow(2);
    f.program.Folder().ClearLog(f.library);
    QVERIFY(ClickButton(&d.dlg, "btnPlayerModify"));
    QCOMPARE(d.list()->item(2)->text(), "New 2 (changed)");
    QCOMPARE(d.list()->currentRow(), 2);
    QCOMPARE(d.list()->count(), 5);
    QCOMPARE(f.Log(), QStringList({"OnModifyPlayer(h1, 2) -> 1", "GetPlayerHeader(h1, 2) -> 0"}));

    // A double-click on a row is "Изменить" for that row.
    f.program.Folder().ClearLog(f.library);
    DoubleClickRow(d.list(), 3);
    QCOMPARE(Calls(f.Log(), "OnModifyPlayer"), QStringList({"OnModifyPlayer(h1, 3) -> 1"}));
    QCOMPARE(d.list()->item(3)->text(), "New 3 (changed)");

    // A plug-in that reports no change leaves the line alone.
    f.Configure({"modify_player=0"});
    f.program.Folder().ClearLog(f.library);
    d.list()->setCurrentRow(0);
    QVERIFY(ClickButton(&d.dlg, "btnPlayerModify"));
    QCOMPARE(CallNames(f.Log()), QStringList({"OnModifyPlayer"}));
    QCOMPARE(d.list()->item(0)->text(), "New 0");
}

void TestWizardPlayers::deleteSelectsNeighbour() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(5);
    d.list()->setCurrentRow(4);
    Prompts::QueueMessageAnswer(QMessageBox::Yes);
    QVERIFY(ClickButton(&d.dlg, "btnPlayerDelete"));
    const auto messages = Messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].message.text, "Вы действительно хотите удалить этого игрока?");
    QCOMPARE(messages[0].message.caption, "Удаление игрока");
    QCOMPARE(messages[0].message.icon, Prompts::Icon::None);
    QCOMPARE(messages[0].message.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(messages[0].message.owner.data(), &d.dlg);
    QCOMPARE(Calls(f.Log(), "OnDeletePlayer"), QStringList({"OnDeletePlayer(h1, 4) -> 0"}));
    QCOMPARE(d.list()->count(), 4);
    QCOMPARE(d.list()->currentRow(), 3);
    QCOMPARE(d.count(), "4");

    d.list()->setCurrentRow(1);
    Prompts::QueueMessageAnswer(QMessageBox::Yes);
    QVERIFY(ClickButton(&d.dlg, "btnPlayerDelete"));
    QCOMPARE(Rows(d.list()), QStringList({"New 0", "New 2", "New 3"}));
    QCOMPARE(d.list()->currentRow(), 1);

    // "Нет" deletes nothing.
    f.program.Folder().ClearLog(f.library);
    Prompts::QueueMessageAnswer(QMessageBox::No);
    QVERIFY(ClickButton(&d.dlg, "btnPlayerDelete"));
    QCOMPARE(d.list()->count(), 3);
    QVERIFY(f.Log().isEmpty());
}

void TestWizardPlayers::deleteKeyAsksTheSameQuestion() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(2);
    d.list()->setCurrentRow(1);
    d.list()->setFocus();
    Prompts::QueueMessageAnswer(QMessageBox::Yes);
    QTest::keyClick(d.list(), Qt::Key_Delete);
    QCOMPARE(Messages().size(), 1);
    QCOMPARE(Messages()[0].message.caption, "Удаление игрока");
    QCOMPARE(Rows(d.list()), QStringList({"New 0"}));
    QCOMPARE(Calls(f.Log(), "OnDeletePlayer"), QStringList({"OnDeletePlayer(h1, 1) -> 0"}));
    // Other keys keep their list behaviour.
    d.AddPlayers(1);
    d.list()->setCurrentRow(0);
    QTest::keyClick(d.list(), Qt::Key_Down);
    QCOMPARE(d.list()->currentRow(), 1);
}

void TestWizardPlayers::enterInListAddsAPlayer() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(3);
    d.list()->setFocus();
    QTest::keyClick(d.list(), Qt::Key_Return);
    QCOMPARE(d.list()->count(), 4);
    QVERIFY(d.dlg.isVisible()); // not "Далее"
    QCOMPARE(d.dlg.result(), 0);
}

void TestWizardPlayers::saveRemembersTheFile() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(2);
    Prompts::QueueFileAnswer(f.File("Мои игроки/list"));
    QVERIFY(ClickButton(&d.dlg, "btnListSave"));
    auto files = FileDialogs();
    QCOMPARE(files.size(), 1);
    QCOMPARE(files[0].file.title, "Сохранить список игроков");
    QVERIFY(files[0].file.save);
    QVERIFY(files[0].file.confirmOverwrite);
    QCOMPARE(files[0].file.filters, QStringList({"Players List Files (*.plr)"}));
    QCOMPARE(files[0].file.defaultSuffix, "plr");
    QCOMPARE(files[0].file.initialName, "*.plr");
    QCOMPARE(files[0].file.initialFolder, f.program.App()->m_strProgramFolder);
    const QString saved = f.File("Мои игроки/list.plr");
    QCOMPARE(Calls(f.Log(), "OnSavePlayers"),
             QStringList({"OnSavePlayers(h1, \"" + saved + "\") -> 0"}));

    // Known now: saved again without a dialog.
    Prompts::ClearAsked();
    f.program.Folder().ClearLog(f.library);
    QVERIFY(ClickButton(&d.dlg, "btnListSave"));
    QVERIFY(Prompts::Asked().isEmpty());
    QCOMPARE(f.Log(), QStringList({"OnSavePlayers(h1, \"" + saved + "\") -> 0"}));

    // "Сохранить как ..." always asks, starting where the last file is.
    Prompts::QueueFileAnswer(f.File("other.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListSaveAs"));
    files = FileDialogs();
    QCOMPARE(files.size(), 1);
    QCOMPARE(files[0].file.title, "Сохранить список игроков");
    QCOMPARE(files[0].file.initialFolder, f.File("Мои игроки") + "/");
    QCOMPARE(d.dlg.m_strListPath, f.File("other.plr"));
}

void TestWizardPlayers::saveAfterLoadAndAfterMerge() {
    PlayersFixture f;
    ShownDialog d(f);
    const QString a = f.program.Folder().Write("A.plr", "x\n");
    const QString b = f.program.Folder().Write("B.plr", "y\n");
    Prompts::QueueFileAnswer(a);
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));
    f.program.Folder().ClearLog(f.library);
    QVERIFY(ClickButton(&d.dlg, "btnListSave"));
    QCOMPARE(FileDialogs().size(), 1); // only the load's
    QCOMPARE(f.Log(), QStringList({"OnSavePlayers(h2, \"" + a + "\") -> 0"}));

    Prompts::QueueFileAnswer(b);
    QVERIFY(ClickButton(&d.dlg, "btnListAdd"));
    QCOMPARE(FileDialogs()[1].file.initialFolder, f.program.Folder().Root() + "/");
    f.program.Folder().ClearLog(f.library);
    QVERIFY(ClickButton(&d.dlg, "btnListSave"));
    QCOMPARE(FileDialogs().size(), 2);
    QCOMPARE(f.Log(), QStringList({"OnSavePlayers(h2, \"" + b + "\") -> 0"}));
    QCOMPARE(f.program.Folder().Log(f.library).size(), 1);
}

void TestWizardPlayers::loadCancelledChangesNothing() {
    PlayersFixture f;
    ShownDialog d(f);
    d.AddPlayers(3);
    f.program.Folder().ClearLog(f.library);
    const VelmoraPlayers before = f.hPlayers;
    QVERIFY(ClickButton(&d.dlg, "btnListLoad")); // no answer queued: cancelled
    QVERIFY(ClickButton(&d.dlg, "btnListAdd"));
    QCOMPARE(FileDialogs().size(), 2);
    QVERIFY(f.Log().isEmpty());
    QCOMPARE(f.hPlayers, before);
    QCOMPARE(d.list()->count(), 3);
    QVERIFY(d.dlg.m_strListPath.isEmpty());
}

void TestWizardPlayers::loadThatFailsKeepsThePlayers() {
    PlayersFixture f({"load_players=0"});
    ShownDialog d(f);
    d.AddPlayers(3);
    f.program.Folder().ClearLog(f.library);
    const VelmoraPlayers before = f.hPlayers;
    const QString unreadable = f.program.Folder().Write("broken.plr", "\x01\x02");
    Prompts::QueueFileAnswer(unreadable);
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));
    // The players typed so far are still there, behind the same handle.
    QCOMPARE(f.Log(), QStringList({"OnLoadPlayers(\"" + unreadable + "\") -> 0"}));
    QCOMPARE(f.hPlayers, before);
    QCOMPARE(Rows(d.list()), QStringList({"New 0", "New 1", "New 2"}));
    // The unreadable file is not remembered, so "Сохранить" cannot overwrite it unasked.
    Prompts::ClearAsked();
    QVERIFY(ClickButton(&d.dlg, "btnListSave"));
    QCOMPARE(FileDialogs().size(), 1);
    QCOMPARE(d.button("btnPlayerAdd")->isEnabled(), true);
}

void TestWizardPlayers::mergeThatFailsMergesNothing() {
    PlayersFixture f({"load_players=0"});
    ShownDialog d(f);
    d.AddPlayers(3);
    f.program.Folder().ClearLog(f.library);
    Prompts::QueueFileAnswer(f.File("none.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListAdd"));
    const QStringList names = CallNames(f.Log());
    QVERIFY(!names.contains("OnAddPlayerList"));
    QVERIFY(!names.contains("FreePlayers"));
    QCOMPARE(Rows(d.list()), QStringList({"New 0", "New 1", "New 2"}));
    QCOMPARE(d.list()->currentRow(), 0);
}

void TestWizardPlayers::systemThatNeverDeletesCannotHangTheDialog() {
    PlayersFixture f({"load_players=5000", "ignore_delete=1"});
    ShownDialog d(f);
    Prompts::QueueFileAnswer(f.File("big.plr"));
    QVERIFY(ClickButton(&d.dlg, "btnListLoad"));
    QCOMPARE(Calls(f.Log(), "OnDeletePlayer").size(), 904);
    QCOMPARE(d.list()->count(), 4096); // never more rows than the limit
    QVERIFY(!d.button("btnPlayerAdd")->isEnabled());
}

QTEST_MAIN(TestWizardPlayers)
#include "tst_wizard_players.moc"
