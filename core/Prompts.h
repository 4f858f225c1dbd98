#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// Every message box and file dialog of the program goes through here, so that tests can
// answer them in advance and read what was asked. Outside test mode the real windows run.
namespace Prompts {

enum class Icon { None, Information, Exclamation, Error, Question };

struct MessageRequest {
    QPointer<QWidget> owner;
    bool hadOwner = false;
    QString text;
    QString caption;
    Icon icon = Icon::None;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    bool taskModal = false;
};

struct FileRequest {
    bool save = false;
    QPointer<QWidget> owner;
    QString title;
    QStringList filters;          // each "Name (*.ext)"
    QString defaultSuffix;        // without the dot; added to a typed name that has none
    QString initialFolder;        // the folder the dialog starts in, if any
    QString initialName;          // a proposed name or pattern, e.g. "*.trn" or a full path
    bool mustExist = false;       // open dialogs: the chosen file must exist
    bool confirmOverwrite = true; // save dialogs: ask before overwriting
};

// Shows a message box and returns the button pressed.
QMessageBox::StandardButton Message(QWidget* owner, const QString& text, const QString& caption,
                                    Icon icon, QMessageBox::StandardButtons buttons,
                                    bool taskModal = false);

// The width a message box needs so that its title bar shows the whole caption.
int MinimumWidthForCaption(const QString& caption, const QFont& font);

// Runs a file dialog; returns the chosen absolute path, or an empty string when cancelled.
// A confirmed dialog makes the chosen file's folder the current one, as the platform's own
// dialogs do.
QString FileDialog(const FileRequest& request);

// --- For tests ----------------------------------------------------------------------------
// In test mode no window is shown: answers come from the queues below, in order. A message
// with no queued answer gets its default (the first of Ok, No, Cancel that it offers) and a
// file dialog with no queued answer is cancelled; both are recorded all the same.
struct Record {
    enum Kind { MessageKind, FileKind } kind;
    MessageRequest message;
    FileRequest file;
    bool answered = false; // false when no answer was queued
};

void SetTestMode(bool on);
bool TestMode();
// With test mode on: message boxes run for real (a QMessageBox named "promptMessageBox",
// driven by the test from a timer) and are still recorded, while file dialogs keep coming
// from the queue. For a journey through the real program where only the platform's file
// dialogs are out of reach.
void SetScriptFileDialogsOnly(bool on);
bool ScriptFileDialogsOnly();
void QueueMessageAnswer(QMessageBox::StandardButton answer);
void QueueFileAnswer(const QString& path); // empty: cancel
// A hook called with each request before it is answered (test mode only), e.g. to check the
// state of the program at that moment.
void SetObserver(std::function<void(const Record&)> observer);
const QList<Record>& Asked();
void ClearAsked(); // forgets the records and any unused answers

} // namespace Prompts
