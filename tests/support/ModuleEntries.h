#pragma once

// A bundled system's module as the host sees it: its entry points, resolved by name.

#include "velmora_system.h"

#include <QLibrary>
#include <QTest>

struct ModuleEntries {
#define MODULE_ENTRY_MEMBER(slot, ret, name, params) VelmoraFn_##name name = nullptr;
    VELMORA_ENTRY_POINTS(MODULE_ENTRY_MEMBER)
#undef MODULE_ENTRY_MEMBER
};

// Loads the module and resolves every entry point; a missing one fails the calling test as
// QVERIFY does.
inline void LoadModule(QLibrary& library, ModuleEntries& e) {
    QVERIFY2(library.load(), qPrintable(library.errorString()));
#define MODULE_ENTRY_RESOLVE(slot, ret, name, params)                                              \
    e.name = reinterpret_cast<VelmoraFn_##name>(library.resolve(#name));                           \
    QVERIFY2(e.name, #name);
    VELMORA_ENTRY_POINTS(MODULE_ENTRY_RESOLVE)
#undef MODULE_ENTRY_RESOLVE
}
