// The catalogue of installed systems and the entry table, against real libraries: copies of
// the probe system, a variant lacking one export, and files that only look like libraries.
#include "TestSupport.h"

#include "core/Prompts.h"
#include "systems/SystemCatalogue.h"
#include "systems/SystemEntryTable.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <dlfcn.h>

namespace {

QStringList Names(const SystemCatalogue& catalogue) {
    QStringList names;
    for (int i = 0; i < catalogue.GetCount(); ++i)
        names.append(QFileInfo(catalogue.GetAt(i)->m_strLibraryPath).fileName());
    return names;
}

bool IsLoaded(const QString& path) {
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init() {
        UseTestEnvironment();
        Prompts::ClearAsked();
    }

    void missingSystemsFolderGivesEmptyCatalogueSilently() {
        QTemporaryDir empty;
        SystemCatalogue catalogue(empty.path());
        QCOMPARE(catalogue.GetCount(), 0);
        QVERIFY(catalogue.GetAt(0) == nullptr);
        QVERIFY(Prompts::Asked().isEmpty());
    }

    void packageWithSkinsInListingOrder() {
        ProbeFolder folder;
        const QString lib = folder.AddSystem("Chess", "swiss", {"Green", "Blue"});
        const QString before = QDir::currentPath();
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(catalogue.GetCount(), 1);
        const SystemInfo* info = catalogue.GetAt(0);
        QCOMPARE(info->m_strLibraryPath, QFileInfo(lib).absoluteFilePath());
        QCOMPARE(info->m_skins, QStringList({"Blue", "Green"}));
        QVERIFY(info->m_hLibrary->isLoaded());
        QVERIFY(catalogue.GetAt(-1) == nullptr);
        QVERIFY(catalogue.GetAt(1) == nullptr);
        // Loading alone calls no entry point.
        QVERIFY(folder.Log(lib).isEmpty());
    }

    void twoLibrariesInOnePackageShareItsSkins() {
        ProbeFolder folder;
        folder.AddSystem("Pack", "b_system", {"Red", "Blue"});
        folder.AddSystem("Pack", "a_system", {});
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(Names(catalogue), QStringList({"a_system.so", "b_system.so"}));
        QCOMPARE(catalogue.GetAt(0)->m_skins, QStringList({"Blue", "Red"}));
        QCOMPARE(catalogue.GetAt(1)->m_skins, QStringList({"Blue", "Red"}));
    }

    void packagesInNameOrderAndHiddenSkinsCount() {
        ProbeFolder folder;
        folder.AddSystem("b", "second", {"Skin"});
        folder.AddSystem("a", "first", {".hidden"});
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(Names(catalogue), QStringList({"first.so", "second.so"}));
        QCOMPARE(catalogue.GetAt(0)->m_skins, QStringList({".hidden"}));
    }

    void libraryLackingAnExportIsSkippedSilentlyAndUnloaded() {
        ProbeFolder folder;
        const QString lib =
            folder.AddSystem("Broken", "partial", {"Skin"}, {}, PROBE_NO_TABLE_MODIFIED_LIBRARY);
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(catalogue.GetCount(), 0);
        QVERIFY(Prompts::Asked().isEmpty());
        QCOMPARE(catalogue.Rejections().size(), size_t(1));
        QCOMPARE(catalogue.Rejections()[0].reason, QString("lacks TableWasModified"));
        QVERIFY(!IsLoaded(lib));
    }

    void packageWithoutSkinsAndLooseLibrariesAreNotListed() {
        ProbeFolder folder;
        const QString noSkins = folder.AddSystem("Bare", "bare", {});
        QFile::copy(PROBE_LIBRARY, folder.Path("Systems/loose.so"));
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(catalogue.GetCount(), 0);
        QVERIFY(Prompts::Asked().isEmpty());
        QVERIFY(!IsLoaded(noSkins));
        QVERIFY(!IsLoaded(folder.Path("Systems/loose.so")));
    }

    void librariesInsideSkinFoldersAreNeverLoaded() {
        ProbeFolder folder;
        folder.AddSystem("Pack", "main", {"Skin"});
        QFile::copy(PROBE_LIBRARY, folder.Path("Systems/Pack/Skin/inner.so"));
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(Names(catalogue), QStringList({"main.so"}));
    }

    void unloadableFilesGiveOneMessageEachAndTheRestIsListed() {
        ProbeFolder folder;
        folder.AddSystem("A", "good", {"Skin"});
        folder.Write("Systems/B/fake.so", "this is not a library");
        folder.Write("Systems/B/Skin/style.css", "body{}");
        folder.Write("Systems/C/empty.so", "");
        folder.Write("Systems/C/Skin/x.css", "");
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(Names(catalogue), QStringList({"good.so"}));
        const auto& asked = Prompts::Asked();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].message.caption, QString("Can't load library at: fake.so"));
        QCOMPARE(asked[1].message.caption, QString("Can't load library at: empty.so"));
        for (const auto& record : asked) {
            QCOMPARE(record.kind, Prompts::Record::MessageKind);
            QVERIFY(!record.message.hadOwner);
            QCOMPARE(record.message.icon, Prompts::Icon::Information);
            QCOMPARE(record.message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QVERIFY(!record.message.text.isEmpty());
        }
    }

    void spacesAndCyrillicInNames() {
        ProbeFolder folder;
        const QString lib =
            folder.AddSystem("Круговая система", "круг 1", {"Тёмный скин", "Печать"});
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(catalogue.GetCount(), 1);
        QCOMPARE(catalogue.GetAt(0)->m_strLibraryPath, lib);
        QCOMPARE(catalogue.GetAt(0)->m_skins, QStringList({"Печать", "Тёмный скин"}));
    }

    void destructionUnloadsEveryLibrary() {
        ProbeFolder folder;
        const QString a = folder.AddSystem("A", "a", {"S"});
        const QString b = folder.AddSystem("B", "b", {"S"});
        {
            SystemCatalogue catalogue(folder.Root());
            QVERIFY(IsLoaded(a) && IsLoaded(b));
        }
        QVERIFY(!IsLoaded(a));
        QVERIFY(!IsLoaded(b));
    }

    void resolveFillsEverySlotByName() {
        QLibrary full(PROBE_LIBRARY);
        QVERIFY(full.load());
        SystemEntryTable table;
        table.Resolve(&full);
        for (int slot = 0; slot < VELMORA_ENTRY_POINT_COUNT; ++slot) {
            QVERIFY2(table.Slot(slot), SystemEntryTable::kNames[slot]);
            QCOMPARE(table.Slot(slot),
                     reinterpret_cast<void*>(full.resolve(SystemEntryTable::kNames[slot])));
        }
        QCOMPARE(QString(SystemEntryTable::kNames[36]), QString("GetReportExtention"));
        QCOMPARE(QString(SystemEntryTable::kNames[40]), QString("TableWasModified"));
        QVERIFY(table.Slot(42) == nullptr && table.Slot(-1) == nullptr);

        // A copy is a plain copy of the pointers.
        const SystemEntryTable copy = table;
        QCOMPARE(reinterpret_cast<void*>(copy.SaveTable), reinterpret_cast<void*>(table.SaveTable));

        QLibrary partial(PROBE_NO_TABLE_MODIFIED_LIBRARY);
        QVERIFY(partial.load());
        SystemEntryTable incomplete;
        incomplete.Resolve(&partial);
        QVERIFY(incomplete.TableWasModified == nullptr);
        QVERIFY(incomplete.TournamentWasModified != nullptr);

        SystemEntryTable none;
        none.Resolve(nullptr);
        QVERIFY(none.GetSystemName == nullptr);
    }

    // Each admitted system's table is resolved once, when the catalogue admits it, and every
    // flow and document uses that one table.
    void catalogueKeepsOneResolvedTablePerSystem() {
        ProbeFolder folder;
        folder.AddSystem("A", "a", {"S"});
        folder.AddSystem("B", "b", {"S"});
        SystemCatalogue catalogue(folder.Root());
        QCOMPARE(catalogue.GetCount(), 2);
        for (int i = 0; i < catalogue.GetCount(); ++i) {
            const SystemInfo* system = catalogue.GetAt(i);
            for (int slot = 0; slot < VELMORA_ENTRY_POINT_COUNT; ++slot)
                QCOMPARE(system->m_entries.Slot(slot),
                         reinterpret_cast<void*>(
                             system->m_hLibrary->resolve(SystemEntryTable::kNames[slot])));
        }
        // Two copies of one library are two systems with tables of their own.
        QVERIFY(catalogue.GetAt(0)->m_entries.SaveTable != catalogue.GetAt(1)->m_entries.SaveTable);
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_systems_catalogue.moc"
