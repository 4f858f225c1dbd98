#pragma once

#include <QSettings>
#include <QString>

// The program's settings: the registry key of the company and the program on Windows, an INI
// file elsewhere.
QSettings ProfileSettings();

// What the program remembers beyond the settings of its start-up.
namespace Profile {

// The width of a tournament window's match pane, as the user last dragged it; 0 when never.
int MatchPaneWidth();
void SetMatchPaneWidth(int width);

// The system (its library's path) and the skin (its name) a tournament file was last created
// or opened with, keyed by the file's absolute path. Empty when not known.
struct TournamentChoice {
    QString library;
    QString skin;
};
TournamentChoice RememberedChoice(const QString& tournamentPath);
void RememberChoice(const QString& tournamentPath, const TournamentChoice& choice);

// Where a tournament's page is published and with which reports, keyed like the choice
// above: each tournament keeps its own, so that opening it again offers its destination and
// publishing one never carries over to another.
struct PublishChoice {
    bool on = false;
    QString destination;
    QList<int> reports; // the system's report indexes
    bool operator==(const PublishChoice&) const = default;
};
PublishChoice RememberedPublishing(const QString& tournamentPath);
void RememberPublishing(const QString& tournamentPath, const PublishChoice& choice);

} // namespace Profile
