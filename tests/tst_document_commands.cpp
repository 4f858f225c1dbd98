// The tournament commands: parameters, information, skin change and reports, with the skin
// and reports dialogs driven as a user would.
#include "DocumentFixture.h"
#include "support/ModalDriver.h"

#include "tournament/CReportsDlg.h"
#include "tournament/CSelectSkinDlg.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

void SelectText(QListWidget* list, const QString& text) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    list->setCurrentItem(items.first());
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::unique_ptr<SystemInfo> SkinsOnly(const QStringList& skins) {
    return std::make_unique<SystemInfo>(QStringLiteral("/nowhere/probe.so"), nullptr, skins);
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private slots:

    void skinDialogListsSortedWithTheCurrentSelected_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("selected");
        QTest::newRow("sorts last") << 0 << "Red";
        QTest::newRow("sorts first") << 1 << "Blue";
        QTest::newRow("sorts between") << 2 << "Green";
    }
    void skinDialogListsSortedWithTheCurrentSelected() {
        QFETCH(int, current);
        QFETCH(QString, selected);
        auto system = SkinsOnly({"Red", "Blue", "Green"});
        CSelectSkinDlg dialog;
        dialog.m_pSystem = system.get();
        dialog.m_nSkin = current;
        dialog.OnInitDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Выберите скин"));
        QCOMPARE(Rows(dialog.m_listSkins), QStringList({"Blue", "Green", "Red"}));
        QCOMPARE(dialog.m_listSkins->currentItem()->text(), selected);
        QVERIFY(dialog.m_listSkins->currentItem()->isSelected());
    }

    void skinDialogSortsAsTheWizardDoesCaseIgnored() {
        // The same skins must stand in the same order here as in the wizard's skin list.
        auto system = SkinsOnly({"blue", "Green", "alpha", "Red"});
        CSelectSkinDlg dialog;
        dialog.m_pSystem = system.get();
        dialog.m_nSkin = 1;
        dialog.OnInitDialog();
        QCOMPARE(Rows(dialog.m_listSkins), QStringList({"alpha", "blue", "Green", "Red"}));
        QCOMPARE(dialog.m_listSkins->currentItem()->text(), QStringLiteral("Green"));
        dialog.m_listSkins->setCurrentRow(1);
        dialog.OnOK();
        QCOMPARE(dialog.m_nSkin, 0);
    }

    void skinDialogEndings_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("pick");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("skin");
        QTest::newRow("OK") << "ok"
                            << "Blue" << int(QDialog::Accepted) << 1;
        QTest::newRow("Enter") << "enter"
                               << "Green" << int(QDialog::Accepted) << 2;
        QTest::newRow("double click") << "double"
                                      << "Blue" << int(QDialog::Accepted) << 1;
        QTest::newRow("current again") << "ok"
                                       << "Red" << int(QDialog::Accepted) << 0;
        QTest::newRow("Cancel") << "cancel"
                                << "Blue" << int(QDialog::Rejected) << 0;
        QTest::newRow("Esc") << "esc"
                             << "Green" << int(QDialog::Rejected) << 0;
    }
    void skinDialogEndings() {
        QFETCH(QString, how);
        QFETCH(QString, pick);
        QFETCH(int, result);
        QFETCH(int, skin);
        auto system = SkinsOnly({"Red", "Blue", "Green"});
        CSelectSkinDlg dialog;
        dialog.m_pSystem = system.get();
        dialog.m_nSkin = 0;
        bool driven = false;
        ModalDriver driver(3000);
        driver.Every([&](QDialog* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("listSkins"));
            SelectText(list, pick);
            list->setFocus();
            driven = true;
            if (how == QLatin1String("ok"))
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOK")),
                                  Qt::LeftButton);
            else if (how == QLatin1String("cancel"))
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnCancel")),
                                  Qt::LeftButton);
            else if (how == QLatin1String("enter"))
                QTest::keyClick(list, Qt::Key_Return);
            else if (how == QLatin1String("esc"))
                QTest::keyClick(list, Qt::Key_Escape);
            else {
                const QPoint at = list->visualItemRect(list->currentItem()).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            }
        });
        QCOMPARE(dialog.exec(), result);
        QVERIFY(driven);
        QCOMPARE(dialog.m_nSkin, skin);
    }

    void skinChange() {
        DocumentFixture fixture({}, {QStringLiteral("Classic"), QStringLiteral("Modern")});
        CVelmoraDoc* document = fixture.Open();
        const QString css = GetPathFolder(document->m_strTournamentPath) + "style.css";
        const QByteArray page = ReadAll(document->m_strTablePath).toUtf8();
        ModalDriver driver(3000);
        driver.Every([](QDialog* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("listSkins"));
            SelectText(list, QStringLiteral("Modern"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOK")),
                              Qt::LeftButton);
        });
        document->GetView()->OnChangeSkin();
        QCOMPARE(driver.Acted(), 1);
        QCOMPARE(fixture.Log(),
                 QStringList({QStringLiteral("Progress(\"Обновляется скин\")"),
                              QStringLiteral("Navigate(\"%1\")").arg(document->m_strTablePath),
                              QStringLiteral("Progress(\"\")")}));
        QCOMPARE(document->m_nSkin, 1);
        QVERIFY(ReadAll(css).contains(QStringLiteral("Modern")));
        QCOMPARE(ReadAll(document->m_strTablePath).toUtf8(), page); // reloaded, not rewritten
        QVERIFY(!document->IsModified());

        // Closing asks nothing: the skin is not the tournament's business.
        QPointer<CChildFrame> frame = document->GetFrame();
        frame->close();
        QTRY_VERIFY(frame.isNull());
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void skinUnchanged_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("current skin again") << false;
        QTest::newRow("cancel") << true;
    }
    void skinUnchanged() {
        QFETCH(bool, cancel);
        DocumentFixture fixture({}, {QStringLiteral("Classic"), QStringLiteral("Modern")});
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Tournaments/Cup.trn"), 1);
        const QString css = GetPathFolder(document->m_strTournamentPath) + "style.css";
        ModalDriver driver(3000);
        driver.Every([cancel](QDialog* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("listSkins"));
            SelectText(list, QStringLiteral("Classic"));
            SelectText(list, QStringLiteral("Modern"));
            QTest::mouseClick(modal->findChild<QPushButton*>(cancel ? QStringLiteral("btnCancel")
                                                                    : QStringLiteral("btnOK")),
                              Qt::LeftButton);
        });
        document->GetView()->OnChangeSkin();
        QCOMPARE(driver.Acted(), 1);
        QVERIFY(fixture.Log().isEmpty()); // no progress text, no reload
        QCOMPARE(document->m_nSkin, 1);
        QVERIFY(!QFile::exists(css));
    }

    // The parameters and the information refresh alike: a changed table is rewritten and
    // reloaded, a changed tournament marked, and the list refilled.
    void parametersAndInformation_data() {
        QTest::addColumn<bool>("information");
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("tournament");
        for (bool information : {false, true}) {
            const char* command = information ? "information" : "parameters";
            QTest::addRow("%s, table only", command) << information << true << false;
            QTest::addRow("%s, tournament only", command) << information << false << true;
        }
    }
    void parametersAndInformation() {
        QFETCH(bool, information);
        QFETCH(bool, table);
        QFETCH(bool, tournament);
        DocumentFixture fixture({QStringLiteral("nearest=a|b")});
        CVelmoraDoc* document = fixture.Open();
        CVelmoraView* view = document->GetView();
        // The plug-in's parameters change which matches are due: the list shows the new ones,
        // so a command on the selected line reaches the match it names.
        fixture.Configure({QStringLiteral("nearest=x|y|z"),
                           QStringLiteral("table_modified=%1").arg(int(table)),
                           QStringLiteral("tournament_modified=%1").arg(int(tournament))});
        if (information)
            view->OnTournamentInfo();
        else
            view->OnTournamentParameters();
        QStringList expected{information ? QStringLiteral("OnTournamentInfo(h1) -> 0")
                                         : QStringLiteral("OnTournamentParameters(h1) -> 0"),
                             QStringLiteral("TableWasModified(h1) -> %1").arg(int(table))};
        if (table)
            expected << QStringLiteral("Progress(\"Обновляется турнирная таблица\")")
                     << QStringLiteral("SaveTable(h1, \"%1\") -> 0").arg(document->m_strTablePath)
                     << QStringLiteral("Progress(\"\")")
                     << QStringLiteral("Navigate(\"%1\")").arg(document->m_strTablePath);
        expected << QStringLiteral("TournamentWasModified(h1) -> %1").arg(int(tournament))
                 << QStringLiteral("GetNearestMatchesCount(h1) -> 3")
                 << QStringLiteral("GetNearestMatchesHeaders(h1, 3) -> 0");
        QCOMPARE(fixture.Log(), expected);
        QCOMPARE(document->IsModified(), tournament);
        QCOMPARE(view->m_listMatches->count(), 3);
        QCOMPARE(view->m_listMatches->item(0)->text(), QStringLiteral("x"));
    }

    void noReportsGivesAMessageAndNoDialog() {
        DocumentFixture fixture({QStringLiteral("reports=")});
        CVelmoraView* view = fixture.Open()->GetView();
        ModalDriver driver(3000);
        driver.ExpectNone().Every([](QDialog* modal) { modal->reject(); });
        view->OnReports();
        QTest::qWait(30);
        QCOMPARE(driver.Acted(), 0);
        QCOMPARE(CallNames(fixture.Log()), QStringList{QStringLiteral("GetReportsCount")});
        QCOMPARE(Prompts::Asked().size(), 1);
        const Prompts::MessageRequest& message = Prompts::Asked().first().message;
        QCOMPARE(message.owner.data(), view);
        QCOMPARE(message.text, QStringLiteral("Данная турнирная система не содержит отчётов"));
        QCOMPARE(message.caption, QStringLiteral("Ошибка"));
        QCOMPARE(message.icon, Prompts::Icon::None);
        QCOMPARE(message.buttons, QMessageBox::Ok);
        QVERIFY(message.taskModal);
    }

    void twoReportsInOneVisit() {
        DocumentFixture fixture({QStringLiteral("reports=Таблица:htm|Протокол:txt|Итоги:csv")});
        CVelmoraDoc* document = fixture.Open();
        const QString folder = GetPathFolder(document->m_strTournamentPath);
        Prompts::QueueFileAnswer(folder + QStringLiteral("Отчёт 1"));
        Prompts::QueueFileAnswer(folder + QStringLiteral("Итоги.csv"));
        QStringList rows;
        bool openAfterEnter = false;
        QPointer<QDialog> reports;
        ModalDriver driver(3000);
        driver.Every([&](QDialog* modal) {
            reports = modal;
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("listReports"));
            rows = Rows(list);
            QCOMPARE(list->currentRow(), 0);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnSaveAs")),
                              Qt::LeftButton);
            list->setCurrentRow(2);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return); // saves; never closes
            openAfterEnter = modal->isVisible();
            QCOMPARE(list->currentRow(), 2);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnCancel")),
                              Qt::LeftButton);
        });
        document->GetView()->OnReports();
        QCOMPARE(driver.Acted(), 1);
        QVERIFY(openAfterEnter);
        QCOMPARE(rows, QStringList({"Таблица", "Протокол", "Итоги"}));
        const QString first = folder + QStringLiteral("Отчёт 1.htm");
        const QString second = folder + QStringLiteral("Итоги.csv");
        QCOMPARE(fixture.Log(),
                 QStringList({QStringLiteral("GetReportsCount() -> 3"),
                              QStringLiteral("GetReportsCount() -> 3"),
                              QStringLiteral("GetReportsNames(3) -> 0"),
                              QStringLiteral("GetReportExtention(0) -> 0"),
                              QStringLiteral("SaveReport(h1, 0, \"%1\") -> 0").arg(first),
                              QStringLiteral("GetReportExtention(2) -> 0"),
                              QStringLiteral("SaveReport(h1, 2, \"%1\") -> 0").arg(second)}));
        QCOMPARE(ReadAll(first), QStringLiteral("report 0\n"));

        const QList<Prompts::Record>& asked = Prompts::Asked();
        QCOMPARE(asked.size(), 4);
        const Prompts::FileRequest& request = asked.at(0).file;
        QVERIFY(request.save);
        QCOMPARE(request.title, QStringLiteral("Сохранить отчёт"));
        QCOMPARE(request.filters, QStringList{QStringLiteral("Tournament Report (*.htm)")});
        QCOMPARE(request.initialName, QStringLiteral("*.htm"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("htm"));
        QCOMPARE(request.initialFolder, folder);
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(request.owner.data(), reports.data());
        QCOMPARE(asked.at(2).file.filters,
                 QStringList{QStringLiteral("Tournament Report (*.csv)")});
        for (int k : {1, 3}) {
            const Prompts::MessageRequest& message = asked.at(k).message;
            QCOMPARE(message.text, QStringLiteral("Отчёт сохранён"));
            QCOMPARE(message.caption, QStringLiteral("Создание отчёта"));
            QCOMPARE(message.icon, Prompts::Icon::Information);
            QCOMPARE(message.buttons, QMessageBox::Ok);
            QCOMPARE(message.owner.data(), reports.data());
        }
    }

    void cancelledSaveWritesAndShowsNothing() {
        DocumentFixture fixture({QStringLiteral("reports=Таблица:htm")});
        CVelmoraDoc* document = fixture.Open();
        bool stillOpen = false;
        ModalDriver driver(3000);
        driver.Every([&](QDialog* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnSaveAs")),
                              Qt::LeftButton);
            stillOpen = modal->isVisible();
            modal->reject();
        });
        document->GetView()->OnReports();
        QVERIFY(stillOpen);
        QCOMPARE(Prompts::Asked().size(), 1); // the file dialog only, no message
        QVERIFY(Calls(fixture.Log(), QStringLiteral("SaveReport")).isEmpty());
    }

    // A report the plug-in could not write (its folder is gone) is not announced as saved;
    // one written over an older file is.
    void unwrittenReportIsNotAnnouncedAsSaved() {
        DocumentFixture fixture({QStringLiteral("reports=Таблица:htm")});
        CVelmoraDoc* document = fixture.Open();
        const QString missing = fixture.Folder().Path(QStringLiteral("Нет такой папки/Отчёт.htm"));
        const QString older = fixture.Folder().Path(QStringLiteral("Старый.htm"));
        {
            QFile file(older);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        Prompts::QueueFileAnswer(missing);
        Prompts::QueueFileAnswer(older);
        ModalDriver driver(3000);
        driver.Every([&](QDialog* modal) {
            auto* save = modal->findChild<QPushButton*>(QStringLiteral("btnSaveAs"));
            QTest::mouseClick(save, Qt::LeftButton);
            QTest::mouseClick(save, Qt::LeftButton);
            modal->reject();
        });
        document->GetView()->OnReports();
        QCOMPARE(driver.Acted(), 1);
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("SaveReport")).size(), 2);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(ReadAll(older), QStringLiteral("report 0\n"));
        const QList<Prompts::Record>& asked = Prompts::Asked();
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked.at(1).message.text,
                 QStringLiteral("Отчёт не сохранён в файл «%1»").arg(missing));
        QCOMPARE(asked.at(1).message.caption, QStringLiteral("Создание отчёта"));
        QCOMPARE(asked.at(1).message.icon, Prompts::Icon::Error);
        QCOMPARE(asked.at(3).message.text, QStringLiteral("Отчёт сохранён"));
    }

    void safeExtension_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("used");
        QTest::newRow("plain") << "htm"
                               << "htm";
        QTest::newRow("cyrillic") << "отч"
                                  << "отч";
        QTest::newRow("with its dot") << ".txt"
                                      << "txt";
        QTest::newRow("blanks around") << " csv "
                                       << "csv";
        QTest::newRow("c++") << "c++"
                             << "c++";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only dots") << ".."
                                   << "";
        QTest::newRow("wildcard") << "*"
                                  << "";
        QTest::newRow("pattern") << "*.*"
                                 << "";
        QTest::newRow("inner dot") << "tar.gz"
                                   << "";
        QTest::newRow("space inside") << "h tm"
                                      << "";
        QTest::newRow("separator") << "../x"
                                   << "";
        QTest::newRow("backslash") << "a\\b"
                                   << "";
        QTest::newRow("filter syntax") << "x);(y"
                                       << "";
        QTest::newRow("invalid utf-8") << QString(QChar::ReplacementCharacter) << "";
    }
    void safeExtension() {
        QFETCH(QString, given);
        QFETCH(QString, used);
        QCOMPARE(CReportsDlg::SafeExtension(given), used);
    }

    void oddExtensionsGiveAFilterThatMatches_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("wildcards") << "Bad:*.*"
                                   << "Tournament Report (*)"
                                   << "";
        QTest::newRow("empty") << "Bad:"
                               << "Tournament Report (*)"
                               << "";
        QTest::newRow("unterminated") << "Long:<unterminated>"
                                      << "Tournament Report (*.eeeeeeeeeee)"
                                      << "eeeeeeeeeee";
    }
    void oddExtensionsGiveAFilterThatMatches() {
        QFETCH(QString, report);
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        DocumentFixture fixture({QStringLiteral("reports=") + report});
        CVelmoraDoc* document = fixture.Open();
        const QString path = GetPathFolder(document->m_strTournamentPath) + "report.out";
        Prompts::QueueFileAnswer(path);
        CReportsDlg dialog(document->GetTournament(), document->m_pEntries,
                           &document->m_strTournamentPath);
        dialog.OnInitDialog();
        dialog.OnSaveAs();
        QCOMPARE(Prompts::Asked().first().file.filters, QStringList{filter});
        QCOMPARE(Prompts::Asked().first().file.defaultSuffix, suffix);
        QCOMPARE(ReadAll(path), QStringLiteral("report 0\n"));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "tst_document_commands.moc"
