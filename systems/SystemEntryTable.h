#pragma once

#include "velmora_system.h"

class QLibrary;

// The 42 entry points of one tournament-system library, in slot order. A plain value:
// copying it copies the pointers, destroying it does nothing to the library.
struct SystemEntryTable {
#define VELMORA_SLOT(slot, ret, name, params) VelmoraFn_##name name = nullptr;
    VELMORA_ENTRY_POINTS(VELMORA_SLOT)
#undef VELMORA_SLOT

    // Export names in slot order.
    static const char* const kNames[VELMORA_ENTRY_POINT_COUNT];

    // Fills every slot by looking its name up in the loaded library; a missing name leaves
    // a null slot. Tests nothing: the catalogue admits only complete libraries.
    void Resolve(QLibrary* hLibrary);

    // The slot by number, for code that walks the table (null outside 0..41).
    void* Slot(int slot) const;
};
