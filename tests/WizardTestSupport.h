#pragma once

// Helpers shared by the wizard's and the opening's tests: a program started on a probe folder,
// a driver for the real modal dialogs, and small widget helpers.

#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "app/Prompts.h"
#include "support/TestSupport.h"
#include "systems/SystemCatalogue.h"
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
        SetWizardProgressObserver({});
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

// Acts on the program's real modal dialogs from a timer, in order: each step waits until the
// active modal widget has the step's object name and then runs its action. A modal widget that
// no step expects is closed after a while and reported, so a test never hangs on it.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget*)>;

    explicit ModalDriver(int patienceMs = 5000) : m_patienceMs(patienceMs) {
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::Poll);
        m_timer.start(5);
    }
    ModalDriver& On(const QString& objectName, Action action) {
        m_steps.append({objectName, std::move(action)});
        return *this;
    }
    bool AllDone() const { return m_next == m_steps.size(); }
    // Object names of modal widgets that appeared, in order (each once).
    QStringList Seen() const { return m_seen; }
    QStringList Unexpected() const { return m_unexpected; }

private:
    struct Step {
        QString name;
        Action action;
    };
    void Poll() {
        if (m_busy)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            m_waiting.invalidate();
            return;
        }
        if (modal != m_lastSeen) {
            m_lastSeen = modal;
            m_seen.append(modal->objectName());
        }
        if (m_next < m_steps.size() && modal->objectName() == m_steps[m_next].name) {
            m_waiting.invalidate();
            m_busy = true;
            Action action = m_steps[m_next++].action;
            action(modal);
            m_busy = false;
            return;
        }
        if (!m_waiting.isValid())
            m_waiting.start();
        if (m_waiting.elapsed() > m_patienceMs) {
            m_unexpected.append(modal->objectName());
            m_waiting.invalidate();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    QList<Step> m_steps;
    int m_next = 0;
    int m_patienceMs;
    bool m_busy = false;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QPointer<QWidget> m_lastSeen;
    QStringList m_seen;
    QStringList m_unexpected;
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
