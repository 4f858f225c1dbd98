#pragma once

class HostServices;

// The New command: the new-tournament wizard, from the choice of system to the open window.
class CNewTournamentWizard {
public:
    explicit CNewTournamentWizard(HostServices& host) : m_host(host) {}
    void Run();

private:
    HostServices& m_host;
};
