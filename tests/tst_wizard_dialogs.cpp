// The wizard's first and third dialogs and the opening's system dialog, driven directly.
#include "WizardTestSupport.h"

#include "systems/SystemCatalogue.h"
#include "wizard/CChooseSortingDlg.h"
#include "wizard/CNewTournamentDlg.h"
#include "wizard/CSelectSystemDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

namespace {

QStringList System(const QString& name, const QString& description = {}) {
    return {QStringLiteral("name=") + name,
            QStringLiteral("description=") +
                (description.isEmpty() ? name + " rules" : description)};
}

// Shows a dialog and waits until it has the keyboard, as after a real start.
void ShowActive(QDialog* dialog) {
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
}

} // namespace

class TestWizardDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTestEnvironment(); }
    void init() { Prompts::ClearAsked(); }

    void newTournamentListsSortedByNameWithCatalogueIndexes();
    void newTournamentSecondRowGivesCatalogueEntryZero();
    void newTournamentSkinRowKeptAndClamped();
    void newTournamentSkinPositionThroughItemValue();
    void newTournamentFocusAndTabOrder();
    void newTournamentEnterInNameAcceptsAndNameLimit();
    void newTournamentEmptyNameAndDoubleClickSkin();
    void newTournamentCancelEscCloseGiveTwo();
    void newTournamentNoSystemSelected();

    void sortingOneMethodEnter();
    void sortingDoubleClickThirdInPluginOrder();
    void sortingCancelLeavesChoice();
    void sortingNamesWithoutTerminator();

    void selectSystemBetaAlpha();
    void selectSystemSkinsRedBlueGreen();
    void selectSystemSkinRowKeptAndClamped();
    void selectSystemDoubleClickEnterCancel();
    void systemAndSkinListsSortNumbersByValue();
};

// "9 туров" before "10 туров", in the systems and in the skins.
void TestWizardDialogs::systemAndSkinListsSortNumbersByValue() {
    ProbeProgram program;
    program.Add("a", {"Зал 10", "Зал 9"}, System("Швейцарка 10 туров"));
    program.Add("b", {"Зал 1"}, System("швейцарка 9 туров"));
    program.Start();
    program.App()->m_pCatalogue->GetAt(0)->m_skins = QStringList({"Зал 10", "Зал 9"});
    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    QCOMPARE(Rows(List(&dlg, "listSystems")),
             QStringList({"швейцарка 9 туров", "Швейцарка 10 туров"}));
    List(&dlg, "listSystems")->setCurrentRow(1);
    QCOMPARE(Rows(List(&dlg, "listSkins")), QStringList({"Зал 9", "Зал 10"}));
    QCOMPARE(ItemValues(List(&dlg, "listSkins")), QList<int>({1, 0}));
}

void TestWizardDialogs::newTournamentListsSortedByNameWithCatalogueIndexes() {
    ProbeProgram program;
    const QString zeta = program.Add("a_zeta", {"Plain"}, System("Zeta", "Zeta rules"));
    program.Add("b_alpha", {"Wood", "Stone"}, System("alpha", "Alpha rules"));
    program.Start();
    // The catalogue lists skin folders in name order; give this system its skins in the
    // other order, so that list rows and skin positions differ.
    program.App()->m_pCatalogue->GetAt(1)->m_skins = QStringList({"Wood", "Stone"});

    CNewTournamentDlg dlg(program.App()->Catalogue());
    QSignalSpy finished(&dlg, &QDialog::finished);
    ShowActive(&dlg);
    auto* systems = List(&dlg, "listSystems");
    auto* skins = List(&dlg, "listSkins");
    // Case does not decide the order: "alpha" comes before "Zeta".
    QCOMPARE(Rows(systems), QStringList({"alpha", "Zeta"}));
    QCOMPARE(ItemValues(systems), QList<int>({1, 0}));
    QCOMPARE(systems->currentRow(), 0);
    QCOMPARE(dlg.findChild<QPlainTextEdit*>("editDescription")->toPlainText(), "Alpha rules");
    QVERIFY(dlg.findChild<QPlainTextEdit*>("editDescription")->isReadOnly());
    QCOMPARE(Rows(skins), QStringList({"Stone", "Wood"}));
    QCOMPARE(skins->currentRow(), 0);
    // Only names and descriptions are asked for while the dialog is up.
    QCOMPARE(CallNames(program.Log(zeta)), QStringList({"GetSystemName"}));

    QVERIFY(ClickButton(&dlg, "btnNext"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), 3);
    QCOMPARE(dlg.m_nSystem, 1);
    QCOMPARE(dlg.m_nSkin, 1); // "Stone" is the second skin of its system
}

void TestWizardDialogs::newTournamentSecondRowGivesCatalogueEntryZero() {
    ProbeProgram program;
    program.Add("a_zeta", {"Zeta skin"}, System("Zeta", "Zeta rules"));
    program.Add("b_alpha", {"Alpha skin"}, System("Alpha", "Alpha rules"));
    program.Start();

    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    auto* systems = List(&dlg, "listSystems");
    systems->setCurrentRow(1);
    QCOMPARE(dlg.findChild<QPlainTextEdit*>("editDescription")->toPlainText(), "Zeta rules");
    QCOMPARE(Rows(List(&dlg, "listSkins")), QStringList({"Zeta skin"}));
    QVERIFY(ClickButton(&dlg, "btnNext"));
    QCOMPARE(dlg.result(), 3);
    QCOMPARE(dlg.m_nSystem, 0);
    QCOMPARE(dlg.m_nSkin, 0);
}

void TestWizardDialogs::newTournamentSkinRowKeptAndClamped() {
    ProbeProgram program;
    program.Add("five_a", {"a1", "a2", "a3", "a4", "a5"}, System("A five"));
    program.Add("two", {"b1", "b2"}, System("B two"));
    program.Add("five_c", {"c1", "c2", "c3", "c4", "c5"}, System("C five"));
    program.Start();

    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    auto* systems = List(&dlg, "listSystems");
    auto* skins = List(&dlg, "listSkins");
    skins->setCurrentRow(2);
    systems->setCurrentRow(2); // C, five skins: row 2 stays
    QCOMPARE(skins->currentRow(), 2);
    QCOMPARE(skins->currentItem()->text(), "c3");
    systems->setCurrentRow(1); // B, two skins: the last row
    QCOMPARE(skins->currentRow(), 1);
    QCOMPARE(skins->currentItem()->text(), "b2");
    QVERIFY(ClickButton(&dlg, "btnNext"));
    QVERIFY(program.App()->m_pCatalogue->GetAt(dlg.m_nSystem)->m_strLibraryPath.endsWith("two.so"));
    QCOMPARE(dlg.m_nSkin, 1);
}

void TestWizardDialogs::newTournamentSkinPositionThroughItemValue() {
    ProbeProgram program;
    // The list sorts "Ыдва" before "Юодин" whatever order the skin list has.
    program.Add("sys", {"Юодин", "Ыдва"}, System("Система"));
    program.Start();
    program.App()->m_pCatalogue->GetAt(0)->m_skins = QStringList({"Юодин", "Ыдва"});
    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    auto* skins = List(&dlg, "listSkins");
    QCOMPARE(Rows(skins), QStringList({"Ыдва", "Юодин"}));
    QCOMPARE(ItemValues(skins), QList<int>({1, 0}));
    QVERIFY(ClickButton(&dlg, "btnNext"));
    QCOMPARE(dlg.m_nSkin, 1);
}

void TestWizardDialogs::newTournamentFocusAndTabOrder() {
    ProbeProgram program;
    program.Add("sys", {"Skin"}, System("System"));
    program.Start();
    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    QCOMPARE(dlg.windowTitle(), "Параметры нового чемпионата");
    QCOMPARE(QApplication::focusWidget(), List(&dlg, "listSystems"));
    const QStringList order = {"listSkins", "editName",        "btnNext",
                               "btnCancel", "editDescription", "listSystems"};
    for (const QString& expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), expected);
    }
    QVERIFY(dlg.findChild<QPushButton*>("btnNext")->isDefault());
}

void TestWizardDialogs::newTournamentEnterInNameAcceptsAndNameLimit() {
    ProbeProgram program;
    program.Add("sys", {"Skin"}, System("System"));
    program.Start();
    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    auto* name = dlg.findChild<QLineEdit*>("editName");
    name->setFocus();
    const QString typed = QString(254, QChar(u'x')) + QStringLiteral("Ж");
    QTest::keyClicks(name, QString(254, QChar(u'x')));
    // The last two characters are typed as a Russian keyboard sends them.
    for (const QString& letter : {QStringLiteral("Ж"), QStringLiteral("Я")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letter);
        QApplication::sendEvent(name, &press);
    }
    QCOMPARE(name->text(), typed); // the 256th character is refused
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(dlg.result(), 3);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.m_strName, typed);
}

void TestWizardDialogs::newTournamentEmptyNameAndDoubleClickSkin() {
    ProbeProgram program;
    program.Add("sys", {"Alpha", "Beta", "Gamma"}, System("System"));
    program.Start();
    CNewTournamentDlg dlg(program.App()->Catalogue());
    ShowActive(&dlg);
    DoubleClickRow(List(&dlg, "listSkins"), 2);
    QCOMPARE(dlg.result(), 3);
    QCOMPARE(dlg.m_nSkin, 2);
    QCOMPARE(dlg.m_strName, QString());
}

void TestWizardDialogs::newTournamentCancelEscCloseGiveTwo() {
    ProbeProgram program;
    program.Add("sys", {"Skin"}, System("System"));
    program.Start();
    for (int way = 0; way < 3; ++way) {
        CNewTournamentDlg dlg(program.App()->Catalogue());
        QSignalSpy finished(&dlg, &QDialog::finished);
        ShowActive(&dlg);
        if (way == 0)
            QVERIFY(ClickButton(&dlg, "btnCancel"));
        else if (way == 1)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            dlg.close();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), 2);
    }
}

void TestWizardDialogs::newTournamentNoSystemSelected() {
    ProbeProgram program;
    program.Add("sys", {"Skin"}, System("System"));
    program.Start();
    CNewTournamentDlg dlg(program.App()->Catalogue());
    QSignalSpy finished(&dlg, &QDialog::finished);
    ShowActive(&dlg);
    List(&dlg, "listSystems")->clearSelection();
    QVERIFY(ClickButton(&dlg, "btnNext"));
    QCOMPARE(finished.count(), 0);
    QVERIFY(dlg.isVisible());
    const auto messages = Messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].message.text, "Не выбрана турнирная система");
    QCOMPARE(messages[0].message.caption, "Ошибка");
    QCOMPARE(messages[0].message.icon, Prompts::Icon::None);
    QCOMPARE(messages[0].message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(messages[0].message.owner.data(), &dlg);
}

namespace {
// The catalogue's table of a probe system configured with the given draw methods.
struct SortingSystem {
    explicit SortingSystem(const QString& sortings) {
        folder.AddSystem("sys", "sys", {"Skin"}, {"sortings=" + sortings});
        catalogue = std::make_unique<SystemCatalogue>(folder.Root());
        entries = &catalogue->GetAt(0)->m_entries;
    }
    ProbeFolder folder;
    std::unique_ptr<SystemCatalogue> catalogue;
    const SystemEntryTable* entries = nullptr;
};
} // namespace

void TestWizardDialogs::sortingOneMethodEnter() {
    SortingSystem system("Жребий");
    CChooseSortingDlg dlg(system.entries);
    ShowActive(&dlg);
    QCOMPARE(dlg.windowTitle(), "Параметры нового чемпионата");
    auto* list = List(&dlg, "listSortings");
    QCOMPARE(Rows(list), QStringList({"Жребий"}));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dlg.result(), 1);
    QCOMPARE(dlg.m_nSorting, 0);
}

void TestWizardDialogs::sortingDoubleClickThirdInPluginOrder() {
    SortingSystem system("Zeta|Alpha|Mid");
    CChooseSortingDlg dlg(system.entries);
    ShowActive(&dlg);
    auto* list = List(&dlg, "listSortings");
    QCOMPARE(Rows(list), QStringList({"Zeta", "Alpha", "Mid"}));
    DoubleClickRow(list, 2);
    QCOMPARE(dlg.result(), 1);
    QCOMPARE(dlg.m_nSorting, 2);
}

void TestWizardDialogs::sortingCancelLeavesChoice() {
    SortingSystem system("A|B");
    for (int way = 0; way < 2; ++way) {
        CChooseSortingDlg dlg(system.entries);
        dlg.m_nSorting = 77;
        ShowActive(&dlg);
        List(&dlg, "listSortings")->setCurrentRow(1);
        if (way == 0)
            QVERIFY(ClickButton(&dlg, "btnCancel"));
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(dlg.result(), 2);
        QCOMPARE(dlg.m_nSorting, 77);
    }
}

void TestWizardDialogs::sortingNamesWithoutTerminator() {
    ProbeFolder folder;
    folder.AddSystem("sys", "sys", {"Skin"}, {"sortings=A|B", "unterminated_headers=1"});
    SystemCatalogue catalogue(folder.Root());
    CChooseSortingDlg dlg(&catalogue.GetAt(0)->m_entries);
    ShowActive(&dlg);
    // Each buffer is cut at its last byte: 255 characters, nothing read beyond it.
    QCOMPARE(Rows(List(&dlg, "listSortings")), QStringList({QString(255, 'x'), QString(255, 'x')}));
}

namespace {
// The lists the opening hands to CSelectSystemDlg, for every system of a folder.
struct Compatible {
    explicit Compatible(ProbeFolder& folder) : catalogue(folder.Root()) {
        for (int i = 0; i < catalogue.GetCount(); ++i) {
            tables.push_back(catalogue.GetAt(i)->m_entries);
            systems.push_back(catalogue.GetAt(i));
        }
    }
    SystemCatalogue catalogue;
    std::vector<SystemEntryTable> tables;
    std::vector<SystemInfo*> systems;
};
} // namespace

void TestWizardDialogs::selectSystemBetaAlpha() {
    ProbeFolder folder;
    folder.AddSystem("a", "a", {"Skin"}, {"name=Beta"});
    folder.AddSystem("b", "b", {"Skin"}, {"name=Alpha"});
    Compatible lists(folder);
    CSelectSystemDlg dlg(&lists.tables, &lists.systems);
    ShowActive(&dlg);
    QCOMPARE(dlg.windowTitle(), "Параметры загрузки чемпионата");
    auto* systems = List(&dlg, "listSystems");
    QCOMPARE(Rows(systems), QStringList({"Alpha", "Beta"}));
    QCOMPARE(ItemValues(systems), QList<int>({1, 0}));
    QCOMPARE(systems->currentRow(), 0);
    QVERIFY(dlg.findChild<QPushButton*>("btnOpen")->isDefault());
    QVERIFY(ClickButton(&dlg, "btnOpen"));
    QCOMPARE(dlg.result(), 1);
    QCOMPARE(dlg.m_pSystem, lists.systems[1]);
    QCOMPARE(reinterpret_cast<void*>(dlg.m_entries.OnLoadTournament),
             reinterpret_cast<void*>(lists.tables[1].OnLoadTournament));
    QVERIFY(dlg.m_entries.OnLoadTournament != lists.tables[0].OnLoadTournament);
}

void TestWizardDialogs::selectSystemSkinsRedBlueGreen() {
    ProbeFolder folder;
    // Folder listings come in name order, so the skin list is Red, Blue, Green only when the
    // names sort that way on disk: prefix them.
    folder.AddSystem("a", "a", {"1 Red", "2 Blue", "3 Green"}, {"name=Colours"});
    Compatible lists(folder);
    QCOMPARE(lists.systems[0]->m_skins, QStringList({"1 Red", "2 Blue", "3 Green"}));
    // Rename in memory to the plain colour names, as the skin list would hold them.
    lists.systems[0]->m_skins = QStringList({"Red", "Blue", "Green"});
    CSelectSystemDlg dlg(&lists.tables, &lists.systems);
    ShowActive(&dlg);
    auto* skins = List(&dlg, "listSkins");
    QCOMPARE(Rows(skins), QStringList({"Blue", "Green", "Red"}));
    QCOMPARE(ItemValues(skins), QList<int>({1, 2, 0}));
    skins->setCurrentRow(2);
    QVERIFY(ClickButton(&dlg, "btnOpen"));
    QCOMPARE(dlg.m_nSkin, 0);
}

void TestWizardDialogs::selectSystemSkinRowKeptAndClamped() {
    ProbeFolder folder;
    folder.AddSystem("a", "a", {"a1", "a2", "a3", "a4", "a5"}, {"name=A"});
    folder.AddSystem("b", "b", {"b1", "b2"}, {"name=B"});
    folder.AddSystem("c", "c", {"c1", "c2", "c3", "c4", "c5"}, {"name=C"});
    Compatible lists(folder);
    CSelectSystemDlg dlg(&lists.tables, &lists.systems);
    ShowActive(&dlg);
    auto* systems = List(&dlg, "listSystems");
    auto* skins = List(&dlg, "listSkins");
    skins->setCurrentRow(2);
    systems->setCurrentRow(2);
    QCOMPARE(skins->currentItem()->text(), "c3");
    systems->setCurrentRow(1);
    QCOMPARE(skins->currentRow(), 1);
    QCOMPARE(skins->currentItem()->text(), "b2");
}

void TestWizardDialogs::selectSystemDoubleClickEnterCancel() {
    ProbeFolder folder;
    folder.AddSystem("a", "a", {"s1", "s2"}, {"name=A"});
    folder.AddSystem("b", "b", {"t1", "t2", "t3"}, {"name=B"});
    Compatible lists(folder);
    {
        CSelectSystemDlg dlg(&lists.tables, &lists.systems);
        ShowActive(&dlg);
        List(&dlg, "listSystems")->setCurrentRow(1);
        DoubleClickRow(List(&dlg, "listSkins"), 2);
        QCOMPARE(dlg.result(), 1);
        QCOMPARE(dlg.m_pSystem, lists.systems[1]);
        QCOMPARE(dlg.m_nSkin, 2);
    }
    {
        CSelectSystemDlg dlg(&lists.tables, &lists.systems);
        ShowActive(&dlg);
        DoubleClickRow(List(&dlg, "listSystems"), 0);
        QCOMPARE(dlg.result(), 1);
        QCOMPARE(dlg.m_pSystem, lists.systems[0]);
    }
    {
        CSelectSystemDlg dlg(&lists.tables, &lists.systems);
        ShowActive(&dlg);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dlg.result(), 1);
        QCOMPARE(dlg.m_pSystem, lists.systems[0]);
    }
    for (int way = 0; way < 3; ++way) {
        CSelectSystemDlg dlg(&lists.tables, &lists.systems);
        ShowActive(&dlg);
        if (way == 0)
            QVERIFY(ClickButton(&dlg, "btnCancel"));
        else if (way == 1)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            dlg.close();
        QCOMPARE(dlg.result(), 2);
        QCOMPARE(dlg.m_pSystem, nullptr);
    }
}

QTEST_MAIN(TestWizardDialogs)
#include "tst_wizard_dialogs.moc"
