#pragma once

#include "TournamentInfo.h"

#include <QString>

namespace kit {

// What every system's tournament keeps besides its rules: its name, what the organiser wrote
// about it, and whether the file and the table page are behind its changes. A new or loaded
// tournament counts as changed until the host has written both.
class TournamentRecord {
public:
    explicit TournamentRecord(const QString& name) : m_name(name) {}

    const QString& Name() const { return m_name; }
    const TournamentInfo& Info() const { return m_info; }
    // false when nothing changes.
    bool SetName(const QString& name) {
        if (name == m_name)
            return false;
        m_name = name;
        Changed(true);
        return true;
    }
    bool SetInfo(const TournamentInfo& info) {
        if (info == m_info)
            return false;
        m_info = info;
        Changed(true);
        return true;
    }

    bool TableModified() const { return m_tableModified; }
    bool Modified() const { return m_modified; }
    void TableSaved() { m_tableModified = false; }
    void Saved() { m_modified = false; }

protected:
    // Every change is one more for the file; `tableToo` where the table page shows it.
    void Changed(bool tableToo = true) {
        m_modified = true;
        if (tableToo)
            m_tableModified = true;
    }
    // Restoring from a file is no change.
    void RestoreInfo(const TournamentInfo& info) { m_info = info; }

private:
    QString m_name;
    TournamentInfo m_info;
    bool m_tableModified = true;
    bool m_modified = true;
};

} // namespace kit
