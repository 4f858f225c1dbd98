#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Answers the next modal dialog the code under test opens: polls until a modal dialog is
// active, hands it to the action (which fills it and accepts or rejects it), once. A dialog
// that never came fails the running test when the driver goes out of scope, since whatever
// the action was to check was then never checked.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(QDialog&)> action)
        : m_state(std::make_shared<State>()) {
        m_state->action = std::move(action);
        // Weak: the timer belongs to the state, so a strong capture would keep both alive forever.
        std::weak_ptr<State> weak = m_state;
        m_state->timer.setInterval(5);
        QObject::connect(&m_state->timer, &QTimer::timeout, [weak] {
            const std::shared_ptr<State> state = weak.lock();
            if (!state)
                return;
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || state->done)
                return;
            state->done = true;
            state->timer.stop();
            state->objectName = dialog->objectName();
            state->action(*dialog);
        });
        m_state->timer.start();
    }
    ~ModalDriver() {
        m_state->timer.stop();
        if (!m_state->done && QTest::currentTestFunction())
            QTest::qFail("the dialog this driver was to answer never opened", __FILE__, __LINE__);
    }
    bool Done() const { return m_state->done; }
    QString DialogName() const { return m_state->objectName; }

private:
    struct State {
        std::function<void(QDialog&)> action;
        QTimer timer;
        bool done = false;
        QString objectName;
    };
    std::shared_ptr<State> m_state;
};
