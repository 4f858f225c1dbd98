// The installed program's desktop side: the files the package installs say what the program
// registers for itself, and a packaged program leaves the user's data folder alone.
#include "support/TestSupport.h"

#include "app/ShellIntegration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The source tree, found from this file's own path.
QString SourceFile(const QString& relative) {
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../") + relative;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

} // namespace

class TestShipInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTestEnvironment(); }

    // The package installs res/velmora.desktop and res/velmora-mime.xml; a program started
    // from a build tree writes its own copies. Both must describe the same type and command.
    void installedFilesMatchWhatTheProgramRegisters() {
        QCOMPARE(ReadAll(SourceFile("res/velmora.desktop")),
                 ShellIntegration::DesktopEntry(QStringLiteral("velmora")));
        QCOMPARE(ReadAll(SourceFile("res/velmora-mime.xml")), ShellIntegration::MimePackage());
    }

    // A system-wide entry that starts this very program (through a link on the search path, as
    // the package's /usr/bin/velmora is) means the per-user copies are not written; one that
    // starts another program (a build tree beside an installed package) does not.
    void packagedProgramWritesNothingForTheUser() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString program = root.filePath("usr/lib/velmora/velmora");
        QVERIFY(WriteAll(program, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(root.filePath("usr/bin")));
        QVERIFY(QFile::link("../lib/velmora/velmora", root.filePath("usr/bin/velmora")));
        QVERIFY(WriteAll(root.filePath("usr/share/applications/velmora.desktop"),
                         ShellIntegration::DesktopEntry(QStringLiteral("velmora"))));

        ScopedEnv dataDirs("XDG_DATA_DIRS", QFile::encodeName(root.filePath("nowhere") + ':' +
                                                              root.filePath("usr/share")));
        ScopedEnv path("PATH", QFile::encodeName(root.filePath("usr/bin")) + ':' + qgetenv("PATH"));
        const QString home = ShellIntegration::DataHome();
        QDir(home).removeRecursively();

        QVERIFY(!ShellIntegration::EnsureRegistered(program));
        QVERIFY(!QFileInfo::exists(home + "/applications/velmora.desktop"));
        QVERIFY(!QFileInfo::exists(home + "/mime/packages/velmora.xml"));

        const QString other = root.filePath("build/bin/velmora");
        QVERIFY(WriteAll(other, "#!/bin/sh\n"));
        QVERIFY(ShellIntegration::EnsureRegistered(other));
        QVERIFY(ReadAll(home + "/applications/velmora.desktop").contains(other.toUtf8()));
        QDir(home).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestShipInstall)
#include "tst_ship_install.moc"
