#pragma once

#include "Player.h"
#include "PlayersSheet.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kit {

// Players list files. Ours (.plr) are UTF-8, tab-separated, with a header row, so that a
// spreadsheet opens them as they are. Reading also takes what spreadsheets export as CSV:
// comma or semicolon, quoted fields, a byte-order mark or none, a header row or none, and
// Windows-1251 text where the file is not valid UTF-8.

QByteArray WritePlayers(const QList<Player>& players);
// Writes atomically: on failure the old file stays whole. An empty string on success.
QString SavePlayers(const QList<Player>& players, const QString& path);

struct PlayersReadResult {
    bool ok = false;
    QList<Player> players;
    QString error;  // what is wrong and on which line, when !ok
    QString notice; // when ok: the columns that were not loaded, by name
};

constexpr qint64 kMaxPlayersFileSize = 8 * 1024 * 1024;

// A file split into a sheet, with the reader's own guess at its columns.
struct PlayersImport {
    bool ok = false;
    QString error; // when the file cannot even be split: binary, an open quote, unreadable
    PlayersSheet sheet;
    LayoutGuess guess;
};
PlayersImport AnalysePlayers(const QByteArray& content);
// The same for a file; errors name the file.
PlayersImport AnalysePlayersFile(const QString& path);

// Players in the order of the number column where there is one, else of the rows.
PlayersReadResult ReadPlayers(const PlayersSheet& sheet, const SheetLayout& layout);

// Reads with the guess, whether certain or not: for callers with nobody to ask.
PlayersReadResult ReadPlayers(const QByteArray& content);
PlayersReadResult LoadPlayers(const QString& path);

// "Не загружены столбцы: …", or an empty string when every column with data was placed.
QString UnplacedNotice(const PlayersSheet& sheet, const SheetLayout& layout);

// Text of a file: UTF-8 (a leading byte-order mark dropped), or Windows-1251 when the bytes
// are not valid UTF-8, as Russian spreadsheets write their CSV.
QString DecodeText(const QByteArray& content);

} // namespace kit
