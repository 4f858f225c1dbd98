// The guards that own the plug-in's handles, against an entry table whose Free calls only
// write down what they were given: every handle given back exactly once, none after it was
// handed on, and the creation parameters given back even when they are 0.
#include "systems/PluginHandles.h"

#include <QStringList>
#include <QtTest>

namespace {

QStringList g_freed;

int32_t FreePlayers(VelmoraPlayers h) {
    g_freed.append(QStringLiteral("players %1").arg(h));
    return 0;
}
int32_t FreeParameters(VelmoraParameters h) {
    g_freed.append(QStringLiteral("parameters %1").arg(h));
    return 0;
}
int32_t FreeTournament(VelmoraTournament h) {
    g_freed.append(QStringLiteral("tournament %1").arg(h));
    return 0;
}

SystemEntryTable Recording() {
    SystemEntryTable entries;
    entries.FreePlayers = FreePlayers;
    entries.FreeCustomTournamentCreationParameters = FreeParameters;
    entries.FreeTournament = FreeTournament;
    return entries;
}

} // namespace

class TestSystemsHandles : public QObject {
    Q_OBJECT
private slots:
    void init() { g_freed.clear(); }

    // Guards declared in the reverse of the order of giving back, as the wizard declares them.
    void earlyExitGivesBackInDeclaredOrder() {
        const SystemEntryTable entries = Recording();
        {
            ParametersHandle parameters(&entries);
            PlayersHandle players(&entries, 7);
            parameters.Adopt(9);
        }
        QCOMPARE(g_freed, QStringList({"players 7", "parameters 9"}));
    }

    void releasedHandleIsNotGivenBack() {
        const SystemEntryTable entries = Recording();
        VelmoraPlayers handedOn = 0;
        {
            PlayersHandle players(&entries, 7);
            handedOn = players.Release();
            QVERIFY(!players.Holds());
        }
        QCOMPARE(handedOn, VelmoraPlayers(7));
        QVERIFY(g_freed.isEmpty());
    }

    void resetGivesBackOnceAndAdoptGivesBackTheOldOne() {
        const SystemEntryTable entries = Recording();
        {
            TournamentHandle tournament(&entries, 3);
            tournament.Reset();
            tournament.Reset();
            tournament.Adopt(4);
            tournament.Adopt(5);
        }
        QCOMPARE(g_freed, QStringList({"tournament 3", "tournament 4", "tournament 5"}));
    }

    // The parameters the system returned are given back whatever they are, 0 included; a
    // players list asked for is given back as it is; a tournament of 0 is no tournament.
    void zeroHandles() {
        const SystemEntryTable entries = Recording();
        {
            ParametersHandle parameters(&entries);
            parameters.Adopt(0);
            PlayersHandle players(&entries, 0);
            TournamentHandle tournament(&entries, 0);
            QVERIFY(!tournament.Holds());
            ParametersHandle neverAsked(&entries);
        }
        QCOMPARE(g_freed, QStringList({"players 0", "parameters 0"}));
    }

    // A handle replaced in place (the players dialog loading a list) is the one given back.
    void replacedInPlace() {
        const SystemEntryTable entries = Recording();
        {
            PlayersHandle players(&entries, 1);
            *players.Address() = 2;
        }
        QCOMPARE(g_freed, QStringList({"players 2"}));
    }

    void movedGuardGivesBackOnce() {
        const SystemEntryTable entries = Recording();
        {
            TournamentHandle first(&entries, 6);
            TournamentHandle second(std::move(first));
            TournamentHandle third(&entries, 8);
            third = std::move(second);
            QVERIFY(!first.Holds());
            QCOMPARE(third.Get(), VelmoraTournament(6));
        }
        QCOMPARE(g_freed, QStringList({"tournament 8", "tournament 6"}));
    }

    // No table, or a table without the Free slot, gives back nothing and does not crash.
    void missingTableOrSlot() {
        const SystemEntryTable empty;
        {
            TournamentHandle noTable(nullptr, 1);
            TournamentHandle noSlot(&empty, 2);
        }
        QVERIFY(g_freed.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestSystemsHandles)
#include "tst_systems_handles.moc"
