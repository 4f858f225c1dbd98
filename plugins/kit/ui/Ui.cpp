#include "Ui.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace kit::ui {

namespace {
std::function<int(QDialog&)>& DialogHook() {
    static std::function<int(QDialog&)> hook;
    return hook;
}
std::function<bool(const QString&, const QString&)>& MessageHook() {
    static std::function<bool(const QString&, const QString&)> hook;
    return hook;
}
bool Silent() {
    return qEnvironmentVariableIntValue("VELMORA_NO_MESSAGES") == 1 ||
           qEnvironmentVariableIntValue("VELMORA_RR_NO_MESSAGES") == 1;
}
bool HaveGui() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}
// The texts hold file and player names, which must read as typed, never as markup.
QMessageBox::StandardButton PlainMessage(QMessageBox::Icon icon, const QString& caption,
                                         const QString& text, QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, caption, text, buttons);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

int RunDialog(QDialog& dialog) {
    if (DialogHook())
        return DialogHook()(dialog);
    if (!HaveGui())
        return QDialog::Rejected;
    return dialog.exec();
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void ShowError(const QString& text) {
    const QString caption = QStringLiteral("Ошибка");
    if (MessageHook()) {
        MessageHook()(caption, text);
    } else if (Silent() || !HaveGui()) {
        std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    } else {
        PlainMessage(QMessageBox::Warning, caption, text, QMessageBox::Ok, QMessageBox::Ok);
    }
}

void SetDialogHook(std::function<int(QDialog&)> hook) {
    DialogHook() = std::move(hook);
}
void SetMessageHook(std::function<bool(const QString&, const QString&)> hook) {
    MessageHook() = std::move(hook);
}

} // namespace kit::ui
