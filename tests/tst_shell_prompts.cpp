// The seam for message boxes and file dialogs, as tests and the program rely on it.
#include "ModalDriver.h"
#include "TestSupport.h"

#include "core/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class TestPrompts : public QObject {
    Q_OBJECT
private slots:
    void init() {
        UseTestEnvironment();
        Prompts::ClearAsked();
    }

    void messagesTakeQueuedAnswersThenDefaults() {
        Prompts::QueueMessageAnswer(QMessageBox::Yes);
        QCOMPARE(Prompts::Message(nullptr, "t", "c", Prompts::Icon::Exclamation,
                                  QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::Yes);
        // Unanswered: the safe choice, and the record says nobody answered.
        QCOMPARE(Prompts::Message(nullptr, "t", "c", Prompts::Icon::None,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::No);
        QCOMPARE(Prompts::Asked().size(), 2);
        QVERIFY(Prompts::Asked()[0].answered);
        QVERIFY(!Prompts::Asked()[1].answered);
        QCOMPARE(Prompts::Asked()[0].message.icon, Prompts::Icon::Exclamation);
    }

    // A file name that looks like markup is shown as it is, in the real message box.
    void messageTextIsPlain() {
        Prompts::SetTestMode(false);
        const QString text = QStringLiteral("<b>Кубок</b> & «<i>x</i>.trn»");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        bool clicked = false;
        ModalDriver driver;
        driver.On<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            format = box->textFormat();
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                ok->click();
                clicked = true;
            }
        });
        const auto answer =
            Prompts::Message(nullptr, text, "c", Prompts::Icon::Error, QMessageBox::Ok);
        Prompts::SetTestMode(true);
        QVERIFY(clicked);
        QCOMPARE(answer, QMessageBox::Ok);
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    void fileDialogAddsTheSuffixAndMovesTheCurrentFolder() {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        Prompts::QueueFileAnswer(dir.filePath("Кубок 2026"));
        Prompts::FileRequest save;
        save.save = true;
        save.defaultSuffix = "trn";
        QCOMPARE(Prompts::FileDialog(save), dir.filePath("Кубок 2026.trn"));
        QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                 QFileInfo(dir.path()).canonicalFilePath());

        // A name with an extension keeps it; a cancelled dialog changes nothing.
        Prompts::QueueFileAnswer(dir.filePath("a.t"));
        QCOMPARE(Prompts::FileDialog(save), dir.filePath("a.t"));
        QDir::setCurrent(before);
        QCOMPARE(Prompts::FileDialog(save), QString());
        QCOMPARE(QDir::currentPath(), before);
        QVERIFY(!Prompts::Asked().last().answered);
    }

    // Only the file dialogs scripted: the message box is a real one that a user (here a
    // timer) answers, and it is still recorded; the file answer still comes from the queue.
    void scriptFileDialogsOnlyShowsRealMessageBoxes() {
        QTemporaryDir dir;
        Prompts::SetScriptFileDialogsOnly(true);
        ModalDriver driver;
        driver.OnMessage("Сохранить?", QMessageBox::No);
        const auto answer = Prompts::Message(nullptr, "Сохранить?", "c", Prompts::Icon::Question,
                                             QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(driver.Seen(), QStringList{"promptMessageBox"});
        QCOMPARE(driver.Messages(), QStringList{"Сохранить?"});
        QCOMPARE(answer, QMessageBox::No);
        QCOMPARE(Prompts::Asked().size(), 1);
        QCOMPARE(Prompts::Asked()[0].message.text, "Сохранить?");

        const QString before = QDir::currentPath();
        Prompts::QueueFileAnswer(dir.filePath("a.trn"));
        Prompts::FileRequest open;
        QCOMPARE(Prompts::FileDialog(open), dir.filePath("a.trn"));
        QDir::setCurrent(before);
        Prompts::SetScriptFileDialogsOnly(false);
        QVERIFY(!Prompts::ScriptFileDialogsOnly());
        // Back to the queue: an unanswered message gets its default without a window.
        QCOMPARE(Prompts::Message(nullptr, "t", "c", Prompts::Icon::None, QMessageBox::Ok),
                 QMessageBox::Ok);
    }

    // The tests' modal driver: a dialog that a test meant to drive but that never came is a
    // failure, not a pass.
    void modalDriverThatNeverActedFailsTheTest() {
        QEXPECT_FAIL("", "the awaited dialog never came", Continue);
        {
            ModalDriver driver(50);
            driver.On("noSuchDialog", [](QWidget*) {});
        }
        ModalDriver quiet(50);
        quiet.ExpectNone();
    }

    // "Отчёт сохранён" under "Создание отчёта": a short text, yet the whole caption shows.
    void aBoxIsWideEnoughForItsCaption() {
        Prompts::SetTestMode(false);
        const QString caption = QStringLiteral("Создание отчёта");
        int width = 0, needed = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            width = box->width();
            needed = Prompts::MinimumWidthForCaption(caption, box->font());
            box->button(QMessageBox::Ok)->click();
        });
        Prompts::Message(nullptr, QStringLiteral("Отчёт сохранён"), caption,
                         Prompts::Icon::Information, QMessageBox::Ok);
        Prompts::SetTestMode(true);
        QVERIFY(needed > QFontMetrics(QApplication::font()).horizontalAdvance(caption));
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    // The real save dialog: choosing a file that exists asks before overwriting it, "No" keeps
    // the dialog open and gives no file, "Yes" gives the file. Nothing is written either way.
    void theRealSaveDialogAsksBeforeOverwriting_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void theRealSaveDialogAsksBeforeOverwriting() {
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString existing = dir.filePath("Кубок.trn");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old\n");
        }
        const QString before = QDir::currentPath();
        Prompts::SetTestMode(false);
        QString question;
        bool dialogStillOpen = false;
        int ticks = 0;
        QString stuck;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (question.isEmpty() && ticks > 2000) {
                    // No question in 20 s: say where the dialog stood, and fail below rather
                    // than hang.
                    stuck = dialog->directory().path() + " | " + dialog->selectedFiles().join(", ");
                    dialog->reject();
                } else if (question.isEmpty() && ticks % 50 == 1) {
                    // Again every half second until the question comes: a busy machine may
                    // not have filled the dialog's folder yet when the first accept arrives.
                    // Typed into the name field, as a user does: selectFile() leaves the field
                    // alone while it has the focus, and then the dialog accepts its folder.
                    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                        edit->setText(QStringLiteral("Кубок.trn"));
                    else
                        dialog->selectFile(QStringLiteral("Кубок.trn"));
                    // As the dialog's own button does; queued, as it waits for the question.
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                } else if (!question.isEmpty()) {
                    dialogStillOpen = true;
                    dialog->reject();
                }
            }
        });
        timer.start(10);
        Prompts::FileRequest request;
        request.save = true;
        request.title = QStringLiteral("Сохранение чемпионата");
        request.filters = {QStringLiteral("Tournament Files (*.trn)")};
        request.defaultSuffix = QStringLiteral("trn");
        request.initialFolder = dir.path();
        request.confirmOverwrite = true;
        const QString chosen = Prompts::FileDialog(request);
        timer.stop();
        Prompts::SetTestMode(true);
        QDir::setCurrent(before);
        QVERIFY2(question.contains(QStringLiteral("Кубок.trn")), qPrintable(question + stuck));
        QCOMPARE(dialogStillOpen, !replace);
        QCOMPARE(chosen, replace ? existing : QString());
        QFile file(existing);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old\n"));
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_shell_prompts.moc"
