#pragma once

#include <QString>

class CVelmoraDoc;
class HostServices;

// Opening a tournament file: the Open command, and the files named by the recent-file list,
// dropped on the main window or handed over by the desktop.
class COpenTournamentWizard {
public:
    explicit COpenTournamentWizard(HostServices& host) : m_host(host) {}

    // The Open command: asks for the file, then opens it.
    void Run();
    // Opens a tournament file with a system the user chooses among those that accept its
    // format. Returns the new document, or null when the opening failed or was cancelled (and
    // always null for the Open command, whose caller wants no document).
    CVelmoraDoc* OpenFile(const QString& path, bool bFromOpenCommand = false);

private:
    HostServices& m_host;
};
