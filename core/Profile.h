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

} // namespace Profile
