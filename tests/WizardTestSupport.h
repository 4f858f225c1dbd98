#pragma once

// Helpers shared by the wizard's and the opening's tests: a program started on a probe folder
// and small widget helpers.

#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"
#include "systems/SystemCatalogue.h"
#include "wizard/CNewTournamentWizard.h"
#include "wizard/COpenTournamentWizard.h"
#include "wizard/WizardHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// A started program whose folder holds probe systems. Systems are added before Start(); the
// current folder is the program folder while it runs, as after an ordinary start.
class ProbeProgram {
public:
    ProbeProgram() : m_oldFolder(QDir::currentPath()) { Prompts::ClearAsked(); }
    ~ProbeProgram() {
        SetProgressObserver({});
        m_app.reset(); // unloads the libraries before the folder goes
        QDir::setCurrent(m_oldFolder);
        Prompts::ClearAsked();
    }

    QString Add(const QString& package, const QStringList& skins, const QStringList& config) {
        return m_folder.AddSystem(package, package, skins, config);
    }
    // An ordinary start: the program folder is the current one.
    void Start() {
        QDir::setCurrent(m_folder.Root());
        m_app = std::make_unique<CVelmoraApp>();
        m_app->InitInstance({});
    }
    // An application object with its catalogue but without the rest of start-up: no main
    // window and, as long as start-up makes it, no document type.
    void StartWithoutDocumentType() {
        QDir::setCurrent(m_folder.Root());
        m_app = std::make_unique<CVelmoraApp>();
        m_app->m_strProgramFolder = m_folder.Root();
        m_app->m_pCatalogue = new SystemCatalogue(m_folder.Root());
    }
    CVelmoraApp* App() const { return m_app.get(); }
    // The File menu's New and Open, as the main window runs them.
    void RunNewWizard() { CNewTournamentWizard(*m_app).Run(); }
    void RunOpenCommand() { COpenTournamentWizard(*m_app).Run(); }
    ProbeFolder& Folder() { return m_folder; }
    QStringList Log(const QString& library) const { return m_folder.Log(library); }
    // Every window of an open tournament in the main window.
    QList<QMdiSubWindow*> Windows() const {
        CMainFrame* main = m_app ? m_app->GetMainFrame() : nullptr;
        return main ? main->MdiArea()->subWindowList() : QList<QMdiSubWindow*>();
    }
    void Stop() { m_app.reset(); }

private:
    ProbeFolder m_folder;
    QString m_oldFolder;
    std::unique_ptr<CVelmoraApp> m_app;
};

// Clicks a named, visible and enabled button of a window; a test failure when there is none.
inline bool ClickButton(QWidget* window, const char* name) {
    auto* button = window ? window->findChild<QPushButton*>(QLatin1String(name)) : nullptr;
    if (!button || !button->isVisible() || !button->isEnabled()) {
        QTest::qFail(qPrintable(QStringLiteral("no clickable button %1").arg(QLatin1String(name))),
                     __FILE__, __LINE__);
        return false;
    }
    button->click();
    return true;
}

inline QListWidget* List(QWidget* window, const char* name) {
    return window ? window->findChild<QListWidget*>(QLatin1String(name)) : nullptr;
}

inline QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; list && i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

inline QList<int> ItemValues(const QListWidget* list) {
    QList<int> values;
    for (int i = 0; list && i < list->count(); ++i)
        values.append(list->item(i)->data(Qt::UserRole).toInt());
    return values;
}

// Double-clicks a row as a user would.
inline void DoubleClickRow(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

inline QList<Prompts::Record> Messages() {
    QList<Prompts::Record> messages;
    for (const Prompts::Record& record : Prompts::Asked())
        if (record.kind == Prompts::Record::MessageKind)
            messages.append(record);
    return messages;
}

inline QList<Prompts::Record> FileDialogs() {
    QList<Prompts::Record> files;
    for (const Prompts::Record& record : Prompts::Asked())
        if (record.kind == Prompts::Record::FileKind)
            files.append(record);
    return files;
}

// Lines of a log without the calls the dialogs make to show names and descriptions.
inline QStringList WithoutNameCalls(const QStringList& log) {
    QStringList calls;
    for (const QString& line : log)
        if (!line.startsWith(QLatin1String("GetSystemName(")) &&
            !line.startsWith(QLatin1String("GetSystemDescription(")))
            calls.append(line);
    return calls;
}
