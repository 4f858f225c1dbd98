// Copying a skin beside a table page: unchanged files are left alone, changed ones copied,
// and odd trees (links, unreadable files, unwritable targets) are passed over.
#include "TestSupport.h"

#include "systems/PathHelpers.h"
#include "systems/SkinFiles.h"
#include "systems/SystemCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path P(const QString& path) {
    return fs::path(path.toStdString());
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAt(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QString Slash(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

class TestSkins : public QObject {
    Q_OBJECT
private slots:
    void init() { UseTestEnvironment(); }

    void nestedTreeIsCopiedWithTimesKept() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("style.css"), "a");
        WriteAt(src.filePath("img/flags/ru.png"), "png");
        WriteAt(src.filePath(".hidden"), "h");
        QDir().mkpath(src.filePath("empty/deeper"));
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
        QCOMPARE(Read(dst.filePath("style.css")), QByteArray("a"));
        QCOMPARE(Read(dst.filePath("img/flags/ru.png")), QByteArray("png"));
        QCOMPARE(Read(dst.filePath(".hidden")), QByteArray("h"));
        QVERIFY(QFileInfo(dst.filePath("empty/deeper")).isDir());
        QCOMPARE(fs::last_write_time(P(dst.filePath("img/flags/ru.png"))),
                 fs::last_write_time(P(src.filePath("img/flags/ru.png"))));
    }

    void unchangedFilesAreNotCopiedChangedOnesAre() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("style.css"), "original");
        QVERIFY(CopyFileIfChanged(src.filePath("style.css"), dst.filePath("style.css")));

        // Same time: left alone even though the content differs, which proves no copy ran.
        const auto time = fs::last_write_time(P(dst.filePath("style.css")));
        WriteAt(dst.filePath("style.css"), "edited");
        fs::last_write_time(P(dst.filePath("style.css")), time);
        QVERIFY(!CopyFileIfChanged(src.filePath("style.css"), dst.filePath("style.css")));
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
        QCOMPARE(Read(dst.filePath("style.css")), QByteArray("edited"));

        // An edit of the copy later changes its time: copied again.
        fs::last_write_time(P(dst.filePath("style.css")), time + std::chrono::seconds(5));
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
        QCOMPARE(Read(dst.filePath("style.css")), QByteArray("original"));

        // An older source still overwrites a newer copy.
        WriteAt(dst.filePath("style.css"), "newer");
        fs::last_write_time(P(src.filePath("style.css")), time - std::chrono::hours(24));
        QVERIFY(CopyFileIfChanged(src.filePath("style.css"), dst.filePath("style.css")));
        QCOMPARE(Read(dst.filePath("style.css")), QByteArray("original"));
    }

    void linksAndSpecialFilesAreSkipped() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("a/file.txt"), "x");
        fs::create_directory_symlink(P(src.path()), P(src.filePath("a/loop")));
        fs::create_symlink(P(src.filePath("a/file.txt")), P(src.filePath("a/link.txt")));
        QVERIFY(mkfifo(QFile::encodeName(src.filePath("a/pipe")).constData(), 0600) == 0);
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
        QCOMPARE(Read(dst.filePath("a/file.txt")), QByteArray("x"));
        QVERIFY(!QFileInfo::exists(dst.filePath("a/loop")));
        QVERIFY(!QFileInfo::exists(dst.filePath("a/link.txt")));
        QVERIFY(!QFileInfo::exists(dst.filePath("a/pipe")));
    }

    void unwritableTargetsArePassedOver() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("a.css"), "a");
        WriteAt(src.filePath("b.css"), "b");
        WriteAt(src.filePath("sub/c.css"), "c");
        WriteAt(src.filePath("z.css"), "z");
        QDir().mkpath(dst.filePath("b.css/occupied")); // a folder where a file should go
        WriteAt(dst.filePath("sub"), "a file where a folder should go");
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
        QCOMPARE(Read(dst.filePath("a.css")), QByteArray("a"));
        QCOMPARE(Read(dst.filePath("z.css")), QByteArray("z"));
        QVERIFY(QFileInfo(dst.filePath("b.css")).isDir());
        QVERIFY(QFileInfo(dst.filePath("sub")).isFile());

        // A destination that does not exist at all: nothing happens, nothing breaks.
        CopyFolderTree(Slash(src.path()), dst.filePath("missing/deeper/"), {});
        QVERIFY(!QFileInfo::exists(dst.filePath("missing")));
    }

    void unreadableFileIsSkippedAndTheRestCopied() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("a.css"), "a");
        WriteAt(src.filePath("secret.css"), "s");
        WriteAt(src.filePath("z.css"), "z");
        QFile::setPermissions(src.filePath("secret.css"), QFileDevice::Permissions());
        // Root reads everything, so the copy runs as an ordinary user in a child process.
        const bool root = geteuid() == 0;
        if (root) {
            for (const QString& dir : {src.path(), dst.path()})
                QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
        }
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (root && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(2);
            CopyFolderTree(Slash(src.path()), Slash(dst.path()), {});
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(Read(dst.filePath("a.css")), QByteArray("a"));
        QCOMPARE(Read(dst.filePath("z.css")), QByteArray("z"));
        QVERIFY(!QFileInfo::exists(dst.filePath("secret.css")));
    }

    void excludedFilesAreNotCopied() {
        QTemporaryDir src, dst;
        WriteAt(src.filePath("system.so"), "lib");
        WriteAt(src.filePath("style.css"), "a");
        CopyFolderTree(Slash(src.path()), Slash(dst.path()), {src.filePath("system.so")});
        QVERIFY(!QFileInfo::exists(dst.filePath("system.so")));
        QVERIFY(QFileInfo::exists(dst.filePath("style.css")));
    }

    void copySkinFilesCopiesTheNamedSkinOnly() {
        ProbeFolder folder;
        folder.AddSystem("Пакет с пробелами", "probe", {"Blue", "Green"});
        folder.Write("Systems/Пакет с пробелами/Green/img/бланк.png", "g");
        QTemporaryDir target;
        const QString dest = Slash(target.filePath("Турниры 2026"));
        QDir().mkpath(dest);
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(catalogue.GetCount(), 1);
        const QString before = QDir::currentPath();
        catalogue.CopySkinFiles(catalogue.GetAt(0), "Green", dest);
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(Read(dest + "style.css"), QByteArray("/* Green */\nbody { color: black; }\n"));
        QCOMPARE(Read(dest + "img/бланк.png"), QByteArray("g"));
        QCOMPARE(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"img", "style.css"}));
        // A skin name that does not exist, or no system: nothing happens.
        catalogue.CopySkinFiles(catalogue.GetAt(0), "Missing", dest);
        catalogue.CopySkinFiles(nullptr, "Green", dest);
    }

    void pathHelpers() {
        const QString cwd = QDir::currentPath();
        QCOMPARE(GetCurrentFolder(), cwd);
        QVERIFY(cwd == "/" || !GetCurrentFolder().endsWith('/'));
        QCOMPARE(GetFullPath("x/../y.trn"), cwd + "/y.trn");
        QCOMPARE(GetFullPath("/a/b/./c/"), QString("/a/b/c/"));
        QCOMPARE(GetFullPath("/a/b"), QString("/a/b"));
        QCOMPARE(GetPathFolder("/a/b/Cup.trn"), QString("/a/b/"));
        QCOMPARE(GetPathFolder("Cup.trn"), cwd + "/");
        QCOMPARE(GetPathFolder("/Cup.trn"), QString("/"));
        const QString longName = QString(200, QChar(u'я')) + ".trn";
        QCOMPARE(GetPathFolder("/tmp/Папка с пробелом/" + longName),
                 QString("/tmp/Папка с пробелом/"));
    }

    void tablePagePathRule() {
        QCOMPARE(TablePagePath("/T/Cup.trn"), QString("/T/Cup.htm"));
        QCOMPARE(TablePagePath("/T/Cup.tr"), QString("/T/Cuphtm"));
        QCOMPARE(TablePagePath("/T/Cup.c"), QString("/T/Cuhtm"));
        QCOMPARE(TablePagePath("/T/Кубок.TRN"), QString("/T/Кубок.htm"));
        // The page may never be the tournament file itself.
        QCOMPARE(TablePagePath("/T/Cup.htm"), QString("/T/Cup.htm.htm"));
        QCOMPARE(TablePagePath("/T/Cuphtm"), QString("/T/Cuphtm.htm"));
        QCOMPARE(TablePagePath("/T/Cup.HTM"), QString("/T/Cup.htm"));
    }
};

QTEST_MAIN(TestSkins)
#include "tst_systems_skins.moc"
