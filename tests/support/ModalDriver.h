#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>

class QDialog;
class QWidget;

// Acts on the program's real modal windows from a timer, the way a user would, for every test,
// the host's and the plug-ins' alike. Three ways to use it:
//  - steps, in order: each waits until the active modal window matches it (by object name,
//    by a message box's words, or by a test of its own) and then runs its action. A modal
//    window that no step expects is closed after `patienceMs` and reported in Unexpected(),
//    so a test never hangs on it;
//  - Every(): one action for each modal dialog that appears while the driver lives;
//  - the constructor that takes an action: the next modal dialog, whatever it is, once; for a
//    call that opens exactly one dialog.
// An action runs from the event loop, not from inside the timer, so that it may open further
// modal windows that later steps drive.
//
// A driver that never acted fails the test when it is destroyed: a dialog that a test meant
// to drive but that never came is a fault, not a pass. A test that checks that no dialog
// appears says so with ExpectNone().
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget*)>;
    using Match = std::function<bool(QWidget*)>;

    explicit ModalDriver(int patienceMs = 5000);
    explicit ModalDriver(std::function<void(QDialog&)> next, int patienceMs = 5000);
    ~ModalDriver() override;

    // The next modal window with this object name.
    ModalDriver& On(const QString& objectName, Action action);
    // The next modal window that `match` accepts; `label` names it in failures.
    ModalDriver& On(const QString& label, Match match, Action action);
    // The next message box whose text contains `words`: its text is recorded in Messages()
    // and `button` clicked.
    ModalDriver& OnMessage(const QString& words, QMessageBox::StandardButton button);
    // The next modal window of type T.
    template <typename T> ModalDriver& On(std::function<void(T*)> action) {
        return On(
            QString::fromLatin1(T::staticMetaObject.className()),
            [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
            [action](QWidget* w) { action(static_cast<T*>(w)); });
    }
    // Every modal dialog that appears, each once; one that the action leaves open is closed
    // after `patienceMs`.
    ModalDriver& Every(std::function<void(QDialog*)> action);
    // No modal window is expected: the destructor does not require an action.
    ModalDriver& ExpectNone();

    // Every step has acted and returned.
    bool AllDone() const;
    // The step waited for, if any.
    QString Waiting() const;
    // How many times an action ran.
    int Acted() const { return m_acted; }
    // Object names of the modal windows that appeared, in order, each once.
    QStringList Seen() const { return m_seen; }
    QStringList Unexpected() const { return m_unexpected; }
    QStringList Messages() const { return m_messages; }

private:
    struct Step {
        QString label;
        Match match;
        Action action;
    };
    void Poll();
    void Run(QWidget* target, const Action& action);
    void GiveUp(QWidget* modal);

    QList<Step> m_steps;
    qsizetype m_next = 0;
    std::function<void(QDialog*)> m_every;
    int m_patienceMs;
    bool m_scheduled = false;
    bool m_expectNone = false;
    int m_acted = 0;
    QSet<QWidget*> m_running;
    QSet<QWidget*> m_handled;
    QPointer<QWidget> m_lastSeen;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QStringList m_seen;
    QStringList m_unexpected;
    QStringList m_messages;
};

// Waits until the driver has acted on every step, then checks that nothing unexpected came.
#define DRIVER_DONE(driver)                                                                        \
    do {                                                                                           \
        QTRY_VERIFY2_WITH_TIMEOUT((driver).AllDone(),                                              \
                                  qPrintable("waiting for " + (driver).Waiting()), 20000);         \
        QVERIFY2((driver).Unexpected().isEmpty(), qPrintable((driver).Unexpected().join(", ")));   \
    } while (false)
