#pragma once

// What the journeys through the real program share: a driver with the patience of a whole
// program, typing as key presses, the plug-in dialogs' OK, and a program folder of its own
// with a copy of the bundled systems.

#include "../WizardTestSupport.h"

#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CWebBrowser.h"

#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace journey {

// The journey waits longer than the other tests: a page load or a plug-in's work may come
// between two windows.
class JourneyDriver : public ModalDriver {
public:
    JourneyDriver() : ModalDriver(15000) {}
};

// Types text as key presses, letter by letter: QTest's own typing knows only Latin-1.
inline void TypeText(QWidget* widget, const QString& text) {
    QVERIFY(widget);
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The OK of a bundled system's dialog, which must be enabled by what was entered.
inline void PluginOk(QWidget* dialog) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttons"));
    QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
    QVERIFY(ok && ok->isEnabled());
    ok->click();
}

inline ModalDriver::Action TypePlayer(const QString& name) {
    return [name](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("name"));
        QVERIFY(edit);
        TypeText(edit, name);
        QCOMPARE(edit->text(), name);
        PluginOk(dialog);
    };
}

inline ModalDriver::Action ChooseResult(const char* radio) {
    return [radio](QWidget* dialog) {
        auto* button = dialog->findChild<QRadioButton*>(QLatin1String(radio));
        QVERIFY(button);
        button->click();
        PluginOk(dialog);
    };
}

// Selects the list row with the given text.
inline bool SelectRow(QListWidget* list, const QString& text) {
    const auto items = list ? list->findItems(text, Qt::MatchExactly) : QList<QListWidgetItem*>();
    if (items.isEmpty())
        return false;
    list->setCurrentItem(items.first());
    return true;
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The new-tournament wizard's steps up to the system's creation dialog: `system` in `skin`
// named `name`, the players typed one by one, `checkPlayers` run on the players dialog before
// Next, the draw `sorting`.
inline void NewTournamentSteps(ModalDriver& driver, const QString& system, const QString& skin,
                               const QString& name, const QStringList& players,
                               const ModalDriver::Action& checkPlayers, const QString& sorting) {
    driver.On("CNewTournamentDlg", [=](QWidget* dlg) {
        QVERIFY(SelectRow(List(dlg, "listSystems"), system));
        QVERIFY(SelectRow(List(dlg, "listSkins"), skin));
        TypeText(dlg->findChild<QLineEdit*>("editName"), name);
        ClickButton(dlg, "btnNext");
    });
    for (const QString& player : players)
        driver.On("CGetPlayersDlg", [](QWidget* dlg) { ClickButton(dlg, "btnPlayerAdd"); })
            .On("playerDialog", TypePlayer(player));
    driver
        .On("CGetPlayersDlg",
            [checkPlayers](QWidget* dlg) {
                checkPlayers(dlg);
                ClickButton(dlg, "btnNext");
            })
        .On("CChooseSortingDlg", [sorting](QWidget* dlg) {
            QVERIFY(SelectRow(List(dlg, "listSortings"), sorting));
            ClickButton(dlg, "btnNext");
        });
}

// A program folder of its own holding a copy of the bundled systems as built, so that
// nothing is ever written into the build tree.
inline void CopyBundledSystems(const QString& program) {
    const QString source = QStringLiteral(VELMORA_BIN_DIR "/Systems");
    QVERIFY2(QFileInfo(source + QStringLiteral("/RoundRobin")).isDir(), qPrintable(source));
    QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString target =
            program + QStringLiteral("/Systems/") + QDir(source).relativeFilePath(entry.filePath());
        if (entry.isDir())
            QVERIFY(QDir().mkpath(target));
        else
            QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()) &&
                    QFile::copy(entry.filePath(), target));
    }
}

// The program as a journey starts it: a folder of its own with the bundled systems and a
// Tournaments folder, made the current one, and the application running there.
class ProgramJourney : public QObject {
protected:
    // Ends the calling test slot on failure, as QVERIFY does.
    void StartProgram() {
        QVERIFY(m_root.isValid());
        UseTestEnvironment();
        Prompts::SetScriptFileDialogsOnly(true);
        CWebBrowser::UseWebEngine(true);
        // Closing the main window at the end must not end the test's own event loops.
        QApplication::setQuitOnLastWindowClosed(false);
        m_program = m_root.filePath(QStringLiteral("Программа"));
        CopyBundledSystems(m_program);
        if (QTest::currentTestFailed())
            return;
        m_tournaments = m_program + QStringLiteral("/Tournaments");
        QVERIFY(QDir().mkpath(m_tournaments));
        // An ordinary start: the program folder is the current one.
        m_oldFolder = QDir::currentPath();
        QDir::setCurrent(m_program);
        m_app = std::make_unique<CVelmoraApp>();
        QVERIFY(m_app->InitInstance({}));
        QVERIFY(Main());
    }
    void StopProgram() {
        m_app.reset();
        QDir::setCurrent(m_oldFolder);
        Prompts::SetScriptFileDialogsOnly(false);
        Prompts::ClearAsked();
    }

    CMainFrame* Main() const { return m_app->GetMainFrame(); }
    CVelmoraDoc* ActiveDocument() const {
        CChildFrame* frame = Main()->ActiveChildFrame();
        return frame ? frame->GetDocument() : nullptr;
    }

    QTemporaryDir m_root;
    QString m_program;
    QString m_tournaments;
    QString m_oldFolder;
    std::unique_ptr<CVelmoraApp> m_app;
};

} // namespace journey
