#pragma once

#include "SystemEntryTable.h"

#include <utility>

// Owners of the plug-in's handles. A guard that holds a handle gives it back with the system's
// matching Free call when it is destroyed, so no way out of a flow can leak a handle or give
// one back twice; Release() hands the handle on to whoever owns it next (the plug-in itself,
// or a document). Where a flow gives back several handles, it declares their guards in the
// reverse of the order in which they must be freed.
//
// kFreeNone: whether a held 0 is given back too. The creation parameters are given back
// whatever GetCustomTournamentCreationParameters returned, 0 included, and the players list
// the host asked for is given back as it is; a tournament of 0 is no tournament.
template <typename Handle, auto kFree, bool kFreeNone> class PluginHandle {
public:
    explicit PluginHandle(const SystemEntryTable* entries) : m_entries(entries) {}
    PluginHandle(const SystemEntryTable* entries, Handle handle) : m_entries(entries) {
        Adopt(handle);
    }
    ~PluginHandle() { Reset(); }
    PluginHandle(const PluginHandle&) = delete;
    PluginHandle& operator=(const PluginHandle&) = delete;
    PluginHandle(PluginHandle&& other) noexcept
        : m_entries(other.m_entries), m_handle(other.m_handle), m_held(other.m_held) {
        other.m_held = false;
        other.m_handle = 0;
    }
    PluginHandle& operator=(PluginHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            m_entries = other.m_entries;
            m_handle = other.m_handle;
            m_held = std::exchange(other.m_held, false);
            other.m_handle = 0;
        }
        return *this;
    }

    // Takes ownership of a handle, first giving back the one held.
    void Adopt(Handle handle) {
        Reset();
        m_handle = handle;
        m_held = handle != 0 || kFreeNone;
    }
    // Gives the held handle back to the plug-in now.
    void Reset() {
        if (!m_held)
            return;
        m_held = false;
        const Handle handle = std::exchange(m_handle, Handle{0});
        if (m_entries && m_entries->*kFree)
            (m_entries->*kFree)(handle);
    }
    // Hands the handle on: this guard no longer gives it back.
    Handle Release() {
        m_held = false;
        return std::exchange(m_handle, Handle{0});
    }

    Handle Get() const { return m_handle; }
    bool Holds() const { return m_held; }
    // For a call that may replace the handle in place (the players dialog): the guard then
    // owns whatever the handle has become.
    Handle* Address() { return &m_handle; }

private:
    const SystemEntryTable* m_entries = nullptr;
    Handle m_handle = 0;
    bool m_held = false;
};

using PlayersHandle = PluginHandle<VelmoraPlayers, &SystemEntryTable::FreePlayers, true>;
using ParametersHandle =
    PluginHandle<VelmoraParameters, &SystemEntryTable::FreeCustomTournamentCreationParameters,
                 true>;
using TournamentHandle = PluginHandle<VelmoraTournament, &SystemEntryTable::FreeTournament, false>;
