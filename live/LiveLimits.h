#pragma once

#include <QtGlobal>

// What one client may take of the server. Tests shrink them; the program uses the defaults.
struct LiveLimits {
    int maxConnections = 1000;      // open connections at once, live channels included
    int idleMs = 30000;             // a connection that neither sends nor takes data is closed
    qint64 maxRequestBytes = 16384; // an unanswered request may not grow beyond this
    int heartbeatMs = 15000;        // a comment on every live channel keeps it (and proxies) awake
    qint64 maxPendingBytes = 262144; // a client that stops reading is dropped past this backlog
    bool lowDelay = true;           // off only in the benchmark, to show what it saves
};
