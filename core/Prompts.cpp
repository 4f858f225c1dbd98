#include "Prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QQueue>

namespace Prompts {
namespace {

struct TestState {
    bool on = false;
    bool fileDialogsOnly = false;
    QQueue<QMessageBox::StandardButton> messageAnswers;
    QQueue<QString> fileAnswers;
    QList<Record> asked;
    std::function<void(const Record&)> observer;
};

TestState& State() {
    static TestState state;
    return state;
}

QMessageBox::Icon ToQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton DefaultAnswer(QMessageBox::StandardButtons buttons) {
    for (auto b : {QMessageBox::Ok, QMessageBox::No, QMessageBox::Cancel})
        if (buttons & b)
            return b;
    return QMessageBox::NoButton;
}

// A confirmed file dialog leaves the process in the chosen file's folder, so the next
// proposal of a "Tournaments" folder follows where the user last went.
QString Chosen(const QString& answer) {
    if (answer.isEmpty())
        return answer;
    const QFileInfo chosen(answer);
    QDir::setCurrent(chosen.absolutePath());
    return chosen.absoluteFilePath();
}

QMessageBox::StandardButton RunMessageBox(QWidget* owner, const QString& text,
                                          const QString& caption, Icon icon,
                                          QMessageBox::StandardButtons buttons, bool taskModal) {
    QMessageBox box(ToQt(icon), caption, text, buttons, owner);
    box.setObjectName(QStringLiteral("promptMessageBox"));
    // Texts carry file names and plug-in text, which must read as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(taskModal || !owner ? Qt::ApplicationModal : Qt::WindowModal);
    // A short text makes a narrow box, whose title bar then cuts the caption; the box is made
    // wide enough for it, through its own layout, which otherwise sets the width itself.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(MinimumWidthForCaption(caption, box.font()), 0,
                                      QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

int MinimumWidthForCaption(const QString& caption, const QFont& font) {
    // Title bars often use a larger or bolder font than the box; beside the caption they hold
    // the window's icon and its buttons.
    QFont title = font;
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) * 6 / 5 + 140;
}

QMessageBox::StandardButton Message(QWidget* owner, const QString& text, const QString& caption,
                                    Icon icon, QMessageBox::StandardButtons buttons,
                                    bool taskModal) {
    TestState& state = State();
    if (state.on) {
        Record record{Record::MessageKind,
                      {owner, owner != nullptr, text, caption, icon, buttons, taskModal},
                      {}};
        // Scripting only the file dialogs: a real box, answered by whoever drives
        // it; the record says what was asked.
        if (state.fileDialogsOnly) {
            record.answered = true;
            state.asked.append(record);
            if (state.observer)
                state.observer(record);
            return RunMessageBox(owner, text, caption, icon, buttons, taskModal);
        }
        QMessageBox::StandardButton answer = DefaultAnswer(buttons);
        if (!state.messageAnswers.isEmpty()) {
            answer = state.messageAnswers.dequeue();
            record.answered = true;
        }
        state.asked.append(record);
        if (state.observer)
            state.observer(record);
        return answer;
    }
    return RunMessageBox(owner, text, caption, icon, buttons, taskModal);
}

QString FileDialog(const FileRequest& request) {
    TestState& state = State();
    if (state.on) {
        Record record{Record::FileKind, {}, request};
        QString answer;
        if (!state.fileAnswers.isEmpty()) {
            answer = state.fileAnswers.dequeue();
            record.answered = true;
        }
        state.asked.append(record);
        if (state.observer)
            state.observer(record);
        if (!answer.isEmpty() && request.save && !request.defaultSuffix.isEmpty() &&
            QFileInfo(answer).suffix().isEmpty())
            answer += u'.' + request.defaultSuffix;
        return Chosen(answer);
    }

    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // A start given as a file path opens its folder with the name proposed; a start that is
    // missing falls back to where the dialog would go anyway.
    QString folder = request.initialFolder;
    QString name = request.initialName;
    const QFileInfo initial(name);
    if (!name.isEmpty() && (initial.isAbsolute() || name.contains(u'/'))) {
        if (initial.isDir()) {
            folder = initial.absoluteFilePath();
            name.clear();
        } else {
            folder = initial.absolutePath();
            name = initial.fileName();
        }
    }
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    // A wildcard is a filter, not a name: the filter already shows it.
    if (!name.isEmpty() && !name.contains(u'*'))
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return Chosen(dialog.selectedFiles().first());
}

void SetTestMode(bool on) {
    State().on = on;
}
bool TestMode() {
    return State().on;
}
void SetScriptFileDialogsOnly(bool on) {
    State().fileDialogsOnly = on;
}
bool ScriptFileDialogsOnly() {
    return State().fileDialogsOnly;
}
void QueueMessageAnswer(QMessageBox::StandardButton answer) {
    State().messageAnswers.enqueue(answer);
}
void QueueFileAnswer(const QString& path) {
    State().fileAnswers.enqueue(path);
}
void SetObserver(std::function<void(const Record&)> observer) {
    State().observer = std::move(observer);
}
const QList<Record>& Asked() {
    return State().asked;
}
void ClearAsked() {
    State().asked.clear();
    State().messageAnswers.clear();
    State().fileAnswers.clear();
}

} // namespace Prompts
