#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>

ModalDriver::ModalDriver(int patienceMs) : m_patienceMs(patienceMs) {
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::Poll);
    m_timer.start(5);
}

ModalDriver::ModalDriver(std::function<void(QDialog&)> next, int patienceMs)
    : ModalDriver(patienceMs) {
    On(
        QStringLiteral("a dialog"), [](QWidget* w) { return qobject_cast<QDialog*>(w) != nullptr; },
        [next = std::move(next)](QWidget* w) { next(*static_cast<QDialog*>(w)); });
}

ModalDriver::~ModalDriver() {
    m_timer.stop();
    if (m_acted == 0 && !m_expectNone) {
        const QString expected =
            m_steps.isEmpty() ? QStringLiteral("a dialog") : m_steps.first().label;
        const QString message =
            QStringLiteral("the modal driver never acted (expected %1)").arg(expected);
        // A program that drives dialogs outside a test (a screenshot run) has no test to fail.
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        else
            qCritical("%s", qPrintable(message));
    }
}

ModalDriver& ModalDriver::On(const QString& objectName, Action action) {
    return On(
        objectName, [objectName](QWidget* w) { return w->objectName() == objectName; },
        std::move(action));
}

ModalDriver& ModalDriver::On(const QString& label, Match match, Action action) {
    m_steps.append({label, std::move(match), std::move(action)});
    return *this;
}

ModalDriver& ModalDriver::OnMessage(const QString& words, QMessageBox::StandardButton button) {
    return On(
        QStringLiteral("message \"%1\"").arg(words),
        [words](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            return box && box->text().contains(words);
        },
        [this, button](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            m_messages.append(box->text());
            if (QAbstractButton* b = box->button(button))
                b->click();
        });
}

ModalDriver& ModalDriver::Every(std::function<void(QDialog*)> action) {
    m_every = std::move(action);
    return *this;
}

ModalDriver& ModalDriver::ExpectNone() {
    m_expectNone = true;
    return *this;
}

bool ModalDriver::AllDone() const {
    return m_next == m_steps.size() && !m_scheduled && m_running.isEmpty();
}

QString ModalDriver::Waiting() const {
    return m_next < m_steps.size() ? m_steps[m_next].label : QString();
}

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || m_scheduled || m_running.contains(modal)) {
        m_waiting.invalidate();
        return;
    }
    if (modal != m_lastSeen) {
        m_lastSeen = modal;
        m_seen.append(modal->objectName());
    }
    if (m_every) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog || m_handled.contains(modal))
            return;
        m_handled.insert(modal);
        const auto every = m_every;
        Run(modal, [every](QWidget* w) { every(static_cast<QDialog*>(w)); });
        // A dialog that the action failed to close must not hang the test.
        QTimer::singleShot(m_patienceMs, dialog, [dialog] {
            if (dialog->isVisible())
                dialog->done(-1);
        });
        return;
    }
    if (m_next < m_steps.size() && m_steps[m_next].match(modal)) {
        m_waiting.invalidate();
        Run(modal, m_steps[m_next++].action);
        return;
    }
    if (!m_waiting.isValid())
        m_waiting.start();
    if (m_waiting.elapsed() > m_patienceMs)
        GiveUp(modal);
}

void ModalDriver::Run(QWidget* target, const Action& action) {
    m_scheduled = true;
    QPointer<QWidget> guard(target);
    QTimer::singleShot(0, this, [this, guard, action] {
        m_scheduled = false;
        if (!guard)
            return;
        QWidget* widget = guard.data();
        m_running.insert(widget);
        ++m_acted;
        action(widget);
        m_running.remove(widget);
    });
}

void ModalDriver::GiveUp(QWidget* modal) {
    const auto* box = qobject_cast<QMessageBox*>(modal);
    m_unexpected.append(modal->objectName() + (box ? u' ' + box->text() : QString()));
    m_waiting.invalidate();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}
