// The tournament document: attaching, the table page path, Save, Save As, the close prompt
// and the freeing of the tournament.
#include "DocumentFixture.h"
#include "app/CVelmoraApp.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTranslator>

#if defined(Q_OS_LINUX)
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QStringList WithoutProgress(const QStringList& names) {
    QStringList calls;
    for (const QString& name : names)
        if (name != QLatin1String("Progress") && name != QLatin1String("Navigate"))
            calls.append(name);
    return calls;
}

// Every file under a folder with its size and last-write time.
QStringList Snapshot(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files.append(QStringLiteral("%1 %2 %3")
                         .arg(info.filePath())
                         .arg(info.size())
                         .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    files.sort();
    return files;
}

QString FirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

// A modified tournament whose save did not reach the disk: it keeps its path, title and
// changes, the user was told, and closing would still ask.
void VerifyUnsaved(CVelmoraDoc* document, const QString& path) {
    QVERIFY(document->IsModified());
    QCOMPARE(document->m_strTournamentPath, path);
    QCOMPARE(document->GetTitle(), QStringLiteral("Чемпионат ") + path);
    QVERIFY(!Prompts::Asked().isEmpty());
    const Prompts::MessageRequest& message = Prompts::Asked().last().message;
    QCOMPARE(message.text, QStringLiteral("Чемпионат не сохранён в файл «%1»").arg(path));
    QCOMPARE(message.caption, QStringLiteral("Ошибка"));
}

#if defined(Q_OS_LINUX)
// A small file system of its own, unmounted again whatever the test's outcome.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : m_folder(folder) {
        QDir().mkpath(folder);
        m_bMounted = ::mount("velmora-test", QFile::encodeName(folder).constData(), "tmpfs", 0,
                             "size=256k") == 0;
    }
    ~SmallFileSystem() {
        if (m_bMounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_bMounted; }
    // Takes up every free block.
    void Fill() const {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

private:
    QString m_folder;
    bool m_bMounted = false;
};
#endif

} // namespace

class DocumentSaveTest : public QObject {
    Q_OBJECT
private slots:

    void tablePagePath_data() {
        QTest::addColumn<QString>("tournament");
        QTest::addColumn<QString>("page");
        QTest::newRow("trn") << "/t/Cup.trn"
                             << "/t/Cup.htm";
        QTest::newRow("two-letter extension") << "/t/Cup.tr"
                                              << "/t/Cuphtm";
        QTest::newRow("no extension") << "/t/Cup"
                                      << "/t/htm";
        QTest::newRow("cyrillic, spaces") << "/т т/Кубок мира.trn"
                                          << "/т т/Кубок мира.htm";
        // Dropping "htm" and adding it again would name the tournament file itself.
        QTest::newRow("name ends in htm") << "/t/Cup.htm"
                                          << "/t/Cup.htm.htm";
        QTest::newRow("ends in xhtm") << "/t/Cupxhtm"
                                      << "/t/Cupxhtm.htm";
        QTest::newRow("ends in HTM") << "/t/Cup.HTM"
                                     << "/t/Cup.htm";
    }
    void tablePagePath() {
        QFETCH(QString, tournament);
        QFETCH(QString, page);
        QCOMPARE(TablePagePath(tournament), page);
    }

    void savingATournamentNamedHtmKeepsIt() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open(QStringLiteral("T/Cup.htm"));
        QVERIFY(document);
        QCOMPARE(document->m_strTablePath, fixture.Folder().Path(QStringLiteral("T/Cup.htm.htm")));
        QVERIFY(document->DoFileSave());
        QCOMPARE(FirstLine(document->m_strTournamentPath), QStringLiteral("PROBE"));
        QVERIFY(QFile::exists(fixture.Folder().Path(QStringLiteral("T/Cup.htm.htm"))));
    }

    void attachSetsTitleFrameAndPaths() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Tournaments/Кубок 2024.trn"), 1);
        const QString path = fixture.Folder().Path(QStringLiteral("Tournaments/Кубок 2024.trn"));
        const QString title = QStringLiteral("Чемпионат ") + path;
        QCOMPARE(document->GetTitle(), title);
        QCOMPARE(document->GetPathName(), path);
        QCOMPARE(document->GetFrame()->windowTitle(), title + "[*]");
        QCOMPARE(document->m_nSkin, 1);
        QCOMPARE(document->m_pSystem, fixture.System());
        QVERIFY(!document->IsModified());
    }

    // The entry table is the system's, resolved once in the catalogue; each document still
    // owns and frees its own tournament.
    void twoDocumentsShareTheSystemsTableAndFreeTheirOwnTournaments() {
        DocumentFixture fixture;
        CVelmoraDoc* first = fixture.Open(QStringLiteral("A.trn"));
        CVelmoraDoc* second = fixture.Open(QStringLiteral("B.trn"));
        QCOMPARE(first->m_pEntries, &fixture.System()->m_entries);
        QCOMPARE(second->m_pEntries, first->m_pEntries);
        QPointer<CChildFrame> frame = second->GetFrame();
        frame->close();
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("FreeTournament")),
                 QStringList{QStringLiteral("FreeTournament(h2) -> 0")});
        fixture.ClearLog();
        frame = first->GetFrame();
        frame->close();
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("FreeTournament")),
                 QStringList{QStringLiteral("FreeTournament(h1) -> 0")});
    }

    void saveWritesEverythingInOrderEvenWhenUnmodified() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        const QString folder = fixture.Folder().Path(QStringLiteral("Tournaments/"));
        QVERIFY(!QFile::exists(folder + QStringLiteral("style.css")));
        QVERIFY(document->DoFileSave());
        const QString path = folder + QStringLiteral("Cup.trn");
        QCOMPARE(fixture.Log(),
                 QStringList({QStringLiteral("OnSaveTournament(h1, \"%1\") -> 0").arg(path),
                              QStringLiteral("Progress(\"Обновляется турнирная таблица\")"),
                              QStringLiteral("SaveTable(h1, \"%1\") -> 0")
                                  .arg(folder + QStringLiteral("Cup.htm")),
                              QStringLiteral("Progress(\"\")"),
                              QStringLiteral("Progress(\"Обновляются дополнительные файлы\")"),
                              QStringLiteral("Progress(\"\")")}));
        QVERIFY(QFile::exists(folder + QStringLiteral("style.css")));
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void onlyASaveClearsTheModifiedFlag() {
        DocumentFixture fixture(
            {QStringLiteral("nearest=a|b"), QStringLiteral("tournament_modified=1")});
        CVelmoraDoc* document = fixture.Open();
        CVelmoraView* view = document->GetView();
        view->OnMatchResult();
        QVERIFY(document->IsModified());
        fixture.Configure({QStringLiteral("nearest=a|b"), QStringLiteral("tournament_modified=0")});
        view->OnMatchResult();
        QVERIFY(document->IsModified());
        QVERIFY(document->DoFileSave());
        QVERIFY(!document->IsModified());
        QCOMPARE(document->GetTitle(),
                 QStringLiteral("Чемпионат ") + document->m_strTournamentPath);
    }

    void saveAsIntoAnotherFolder() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        const QString oldFolder = fixture.Folder().Path(QStringLiteral("Tournaments"));
        const QString oldPage = document->m_strTablePath;
        const QStringList before = Snapshot(oldFolder);
        const QString newFolder = fixture.Folder().Path(QStringLiteral("Архив 2/"));
        QDir().mkpath(newFolder);

        Prompts::QueueFileAnswer(newFolder + QStringLiteral("Final")); // suffix added
        QVERIFY(document->DoSaveAs());

        QCOMPARE(Prompts::Asked().size(), 1);
        const Prompts::FileRequest& request = Prompts::Asked().first().file;
        QVERIFY(request.save);
        QCOMPARE(request.title, QStringLiteral("Save As"));
        QCOMPARE(request.filters, QStringList({QStringLiteral("Velmora Files (*.trn)"),
                                               QStringLiteral("All Files (*.*)")}));
        QCOMPARE(request.defaultSuffix, QStringLiteral("trn"));
        QCOMPARE(request.initialName, oldFolder + QStringLiteral("/Cup.trn"));
        QVERIFY(request.confirmOverwrite);

        const QString path = newFolder + QStringLiteral("Final.trn");
        QCOMPARE(FirstLine(path), QStringLiteral("PROBE"));
        QVERIFY(QFile::exists(newFolder + QStringLiteral("Final.htm")));
        QVERIFY(QFile::exists(newFolder + QStringLiteral("style.css")));
        QCOMPARE(Snapshot(oldFolder), before);
        QCOMPARE(document->m_strTournamentPath, path);
        QCOMPARE(document->m_strTablePath, newFolder + QStringLiteral("Final.htm"));
        QCOMPARE(document->GetPathName(), path);
        QCOMPARE(document->GetTitle(), QStringLiteral("Чемпионат ") + path);
        QCOMPARE(document->GetFrame()->windowTitle(), QStringLiteral("Чемпионат ") + path + "[*]");
        // The program's recent files hear of the new name, through the host's services.
        QCOMPARE(fixture.Host().m_recentFiles.value(0), path);

        // The page shown stays the old one until the view next reloads it.
        CWebBrowser* browser = document->GetView()->m_wndBrowser;
        QCOMPARE(browser->GetLocationPath(), oldPage);
        document->GetView()->ReloadTablePage();
        QCOMPARE(browser->GetLocationPath(), newFolder + QStringLiteral("Final.htm"));
    }

    // A save that leaves no tournament file (its folder has gone) is no save: the document
    // keeps its path, title and changes, and closing still asks.
    void aSaveThatWritesNoFileKeepsPathAndChanges() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        document->SetModifiedFlag(true);
        const QString path = document->m_strTournamentPath;
        const QString page = document->m_strTablePath;
        const QString missing = fixture.Folder().Path(QStringLiteral("Нет такой папки/Cup.trn"));
        Prompts::QueueFileAnswer(missing);
        QVERIFY(!document->DoSaveAs());
        QVERIFY(document->IsModified());
        QCOMPARE(document->m_strTournamentPath, path);
        QCOMPARE(document->m_strTablePath, page);
        QCOMPARE(document->GetTitle(), QStringLiteral("Чемпионат ") + path);
        QVERIFY(Calls(fixture.Log(), QStringLiteral("SaveTable")).isEmpty());
        const QList<Prompts::Record>& asked = Prompts::Asked();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.at(1).message.text,
                 QStringLiteral("Чемпионат не сохранён в файл «%1»").arg(missing));
        QCOMPARE(asked.at(1).message.caption, QStringLiteral("Ошибка"));
        QCOMPARE(asked.at(1).message.icon, Prompts::Icon::Error);
        QVERIFY(!fixture.Host().m_recentFiles.contains(missing));

        // Its own file gone too: Yes to the close question ends in the same failed save, and
        // the window stays.
        QVERIFY(QFile::remove(path));
        Prompts::ClearAsked();
        Prompts::QueueMessageAnswer(QMessageBox::Yes);
        Prompts::QueueFileAnswer(missing);
        QVERIFY(!document->SaveModified());
        QVERIFY(document->IsModified());
    }

    // The system says nothing about a file it did not write; the old file, untouched, is
    // no save of the changes.
    void aSaveTheSystemDeclinesKeepsTheChanges() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        document->SetModifiedFlag(true);
        fixture.Configure({QStringLiteral("save_tournament=0")});
        const QString path = document->m_strTournamentPath;
        QVERIFY(!document->DoFileSave());
        VerifyUnsaved(document, path);
        QVERIFY(Calls(fixture.Log(), QStringLiteral("SaveTable")).isEmpty());

        // Closing asks; Yes tries again and, the system writing now, closes.
        fixture.Configure({});
        Prompts::ClearAsked();
        Prompts::QueueMessageAnswer(QMessageBox::Yes);
        QVERIFY(document->SaveModified());
        QVERIFY(!document->IsModified());
    }

    void aSaveOntoAFullFileSystemKeepsTheChanges() {
#if defined(Q_OS_LINUX)
        DocumentFixture fixture;
        SmallFileSystem disk(fixture.Folder().Path(QStringLiteral("Диск")));
        if (!disk.Mounted())
            QSKIP("no tmpfs can be mounted here");
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Диск/Cup.trn"));
        const QString path = document->m_strTournamentPath;
        document->SetModifiedFlag(true);
        disk.Fill();
        // A system that saves carefully leaves the old file as it was.
        fixture.Configure({QStringLiteral("save_tournament=2")});
        QVERIFY(!document->DoFileSave());
        VerifyUnsaved(document, path);
        QCOMPARE(FirstLine(path), QStringLiteral("PROBE"));
#else
        QSKIP("Linux only");
#endif
    }

    // Past the file-size limit the write fails; the program lives on and says so.
    void aWritePastTheFileSizeLimitKeepsTheChanges() {
#if defined(Q_OS_LINUX)
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        document->SetModifiedFlag(true);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            CVelmoraApp::IgnoreFileSizeSignal();
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 3; // "PRO" of the format identifier, no more
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool saved = document->DoFileSave();
            const bool told = !Prompts::Asked().isEmpty() &&
                              Prompts::Asked().last().message.text.startsWith(
                                  QStringLiteral("Чемпионат не сохранён"));
            _exit(!saved && document->IsModified() && told ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the save ended the program");
        QCOMPARE(WEXITSTATUS(status), 0);
#else
        QSKIP("Linux only");
#endif
    }

    // Unsaved changes show in the window's caption the platform's way, until saved.
    void unsavedChangesShowInTheCaption() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        CChildFrame* frame = document->GetFrame();
        QVERIFY(frame->windowTitle().endsWith(QStringLiteral("[*]")));
        QVERIFY(!frame->isWindowModified());
        document->SetModifiedFlag(true);
        QVERIFY(frame->isWindowModified());
        // A failed save keeps the mark.
        fixture.Configure({QStringLiteral("save_tournament=0")});
        QVERIFY(!document->DoFileSave());
        QVERIFY(frame->isWindowModified());
        fixture.Configure({});
        QVERIFY(document->DoFileSave());
        QVERIFY(!frame->isWindowModified());
    }

    void saveAsCancelledSavesNothing() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        document->SetModifiedFlag(true);
        const QString path = document->m_strTournamentPath;
        QVERIFY(!document->DoSaveAs());
        QVERIFY(fixture.Log().isEmpty());
        QVERIFY(document->IsModified());
        QCOMPARE(document->m_strTournamentPath, path);
    }

    void saveFallsBackToSaveAs_data() {
        QTest::addColumn<bool>("remove");
        QTest::newRow("read-only") << false;
        QTest::newRow("gone") << true;
    }
    void saveFallsBackToSaveAs() {
        QFETCH(bool, remove);
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        const QString path = document->m_strTournamentPath;
        if (remove)
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const QString other = fixture.Folder().Path(QStringLiteral("Tournaments/Copy.trn"));
        Prompts::QueueFileAnswer(other);
        QVERIFY(document->DoFileSave());
        QCOMPARE(Prompts::Asked().size(), 1);
        QCOMPARE(Prompts::Asked().first().file.title, QStringLiteral("Save As"));
        QCOMPARE(document->m_strTournamentPath, other);
        QCOMPARE(CallNames(Calls(fixture.Log(), QStringLiteral("OnSaveTournament"))).size(), 1);
        QVERIFY(Calls(fixture.Log(), QStringLiteral("OnSaveTournament")).first().contains(other));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void closingUnmodifiedAsksNothingAndFreesOnce() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        QPointer<CVelmoraDoc> watch = document;
        QPointer<CChildFrame> frame = document->GetFrame();
        QPointer<CVelmoraView> view = document->GetView();
        QVERIFY(frame->close());
        QTRY_VERIFY(frame.isNull());
        QVERIFY(view.isNull());
        QVERIFY(watch.isNull());
        QVERIFY(Prompts::Asked().isEmpty());
        QCOMPARE(CallNames(fixture.Log()), QStringList{QStringLiteral("FreeTournament")});
    }

    void closePrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("fileGone");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("yes") << int(QMessageBox::Yes) << false << true
                             << QStringList{"OnSaveTournament", "SaveTable", "FreeTournament"};
        QTest::newRow("no") << int(QMessageBox::No) << false << true
                            << QStringList{"FreeTournament"};
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false << QStringList{};
        // Yes on a file that is gone opens Save As; cancelling it keeps the window.
        QTest::newRow("yes, save as cancelled")
            << int(QMessageBox::Yes) << true << false << QStringList{};
    }
    void closePrompt() {
        QFETCH(int, answer);
        QFETCH(bool, fileGone);
        QFETCH(bool, closed);
        QFETCH(QStringList, calls);
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open();
        document->SetModifiedFlag(true);
        if (fileGone)
            QFile::remove(document->m_strTournamentPath);
        QPointer<CChildFrame> frame = document->GetFrame();
        Prompts::QueueMessageAnswer(QMessageBox::StandardButton(answer));
        frame->close();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_COMPARE(frame.isNull(), closed);

        QVERIFY(!Prompts::Asked().isEmpty());
        const Prompts::MessageRequest& message = Prompts::Asked().first().message;
        QCOMPARE(message.text, QStringLiteral("Save changes to Cup.trn?"));
        QCOMPARE(message.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(WithoutProgress(CallNames(fixture.Log())), calls);
        if (!closed) {
            QVERIFY(frame->isVisible());
            QVERIFY(document->IsModified());
        }
    }

    // The framework's strings speak the program's language through its translation, and
    // the original ones come back without it.
    void theFrameworksStringsAreTranslated() {
        DocumentFixture fixture;
        CVelmoraDoc* document = fixture.Open(QStringLiteral("Tournaments/Кубок.trn"));
        document->SetModifiedFlag(true);
        QTranslator russian;
        QVERIFY(russian.load(QStringLiteral("velmora_ru"),
                             QStringLiteral(VELMORA_BIN_DIR "/translations")));
        QCoreApplication::installTranslator(&russian);
        Prompts::QueueMessageAnswer(QMessageBox::Cancel);
        QVERIFY(!document->SaveModified());
        QVERIFY(!document->DoSaveAs());
        QCoreApplication::removeTranslator(&russian);
        QCOMPARE(Prompts::Asked().at(0).message.text,
                 QStringLiteral("Сохранить изменения в «Кубок.trn»?"));
        QCOMPARE(Prompts::Asked().at(1).file.title, QStringLiteral("Сохранить как"));
        Prompts::ClearAsked();
        Prompts::QueueMessageAnswer(QMessageBox::Cancel);
        QVERIFY(!document->SaveModified());
        QCOMPARE(Prompts::Asked().at(0).message.text, QStringLiteral("Save changes to Кубок.trn?"));
    }

    void leavingTheProgramAsksAboutEachModifiedDocument() {
        DocumentFixture fixture;
        CVelmoraDoc* first = fixture.Open(QStringLiteral("A.trn"));
        CVelmoraDoc* second = fixture.Open(QStringLiteral("B.trn"));
        CVelmoraDoc* third = fixture.Open(QStringLiteral("C.trn"));
        first->SetModifiedFlag(true);
        third->SetModifiedFlag(true);
        Prompts::QueueMessageAnswer(QMessageBox::No);
        Prompts::QueueMessageAnswer(QMessageBox::Cancel);
        QVERIFY(!fixture.Template().SaveAllModified());
        QCOMPARE(Prompts::Asked().size(), 2);
        QCOMPARE(Prompts::Asked().at(1).message.text, QStringLiteral("Save changes to C.trn?"));
        QVERIFY(Calls(fixture.Log(), QStringLiteral("FreeTournament")).isEmpty());

        Prompts::ClearAsked();
        Prompts::QueueMessageAnswer(QMessageBox::No);
        Prompts::QueueMessageAnswer(QMessageBox::No);
        QVERIFY(fixture.Template().SaveAllModified());
        fixture.Template().CloseAllDocuments();
        QCOMPARE(Calls(fixture.Log(), QStringLiteral("FreeTournament")).size(), 3);
        Q_UNUSED(second)
    }
};

QTEST_MAIN(DocumentSaveTest)
#include "tst_document_save.moc"
