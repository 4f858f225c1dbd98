#pragma once

#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;

namespace kit::ui {

// Every window the system opens goes through here, so that tests and scripted runs can
// answer them instead of a person. Without hooks the real modal windows run.

// Runs a modal dialog; returns QDialog::Accepted or Rejected. Without an application
// object there is nobody to ask, and the dialog counts as cancelled.
int RunDialog(QDialog& dialog);
// OK and Cancel in Russian whatever translations the host has loaded, wired to accept and
// reject, named "buttons" for tests.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
// Tells the user about a failure ("Ошибка", warning icon, OK).
void ShowError(const QString& text);

// For tests: the hook sees the dialog and returns its result instead of a person.
void SetDialogHook(std::function<int(QDialog&)> hook);
// For tests: messages go to the hook (caption, text). The environment variable
// VELMORA_NO_MESSAGES=1 (or the round robin's older VELMORA_RR_NO_MESSAGES=1) does the same
// for a whole process: messages go to standard error.
void SetMessageHook(std::function<bool(const QString& caption, const QString& text)> hook);

} // namespace kit::ui
