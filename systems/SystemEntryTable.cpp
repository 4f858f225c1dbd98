#include "SystemEntryTable.h"

#include <QLibrary>

const char* const SystemEntryTable::kNames[VELMORA_ENTRY_POINT_COUNT] = {
#define VELMORA_NAME(slot, ret, name, params) #name,
    VELMORA_ENTRY_POINTS(VELMORA_NAME)
#undef VELMORA_NAME
};

void SystemEntryTable::Resolve(QLibrary* hLibrary) {
#define VELMORA_RESOLVE(slot, ret, name, params)                                                   \
    name = hLibrary ? reinterpret_cast<VelmoraFn_##name>(hLibrary->resolve(#name)) : nullptr;
    VELMORA_ENTRY_POINTS(VELMORA_RESOLVE)
#undef VELMORA_RESOLVE
}

void* SystemEntryTable::Slot(int slot) const {
    switch (slot) {
#define VELMORA_CASE(slot, ret, name, params)                                                      \
    case slot:                                                                                     \
        return reinterpret_cast<void*>(name);
        VELMORA_ENTRY_POINTS(VELMORA_CASE)
#undef VELMORA_CASE
    }
    return nullptr;
}
