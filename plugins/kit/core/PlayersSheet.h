#pragma once

#include "Player.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kit {

// A players list as a spreadsheet gives it: rows of cells, and what each column holds.
// Organisers bring lists made for something else (a class register, a league's entry form),
// so the columns are recognised by what their headers say, or failing a header by what the
// cells hold, and the user is asked only when that leaves a doubt.

enum class PlayerField {
    Ignore,  // not loaded
    Name,    // the whole name: "Иванов Иван", or a team's name
    Surname, // joined with the two below, in this order, into the name
    FirstName,
    Patronymic,
    Number, // the order of the list
    Rating,
    Title,
    Club, // several club columns (school, class) are joined
    City, // the same for city, region, country
    FideId,
    BirthYear, // a year, or a date with one
};
constexpr int kPlayerFieldCount = 12;

// What the preview's choice per column says of each field.
QString PlayerFieldText(PlayerField field);

struct SheetRow {
    int line = 0; // where the row starts in the file, for messages
    QStringList cells;
};

// The non-empty rows of a file, every row padded to the same number of columns.
struct PlayersSheet {
    QList<SheetRow> rows;
    int columns = 0;
};

struct SheetLayout {
    // The row that names the columns, or -1. Rows above it are a list's title lines.
    int headerRow = -1;
    QList<PlayerField> fields; // one per column
    int FirstDataRow() const { return headerRow + 1; }
};

// What the reader makes of a sheet by itself. `certain` is false when a person should look:
// a column it cannot place, two columns claiming one field, or a file without a header and
// more than an order number, a name and a rating. A header that names a column is taken at
// its word: a rating that is no number is the file's fault, reported with its line.
struct LayoutGuess {
    SheetLayout layout;
    bool certain = false;
};

LayoutGuess GuessLayout(const PlayersSheet& sheet);

// "C («Дата рождения»)": a column as a spreadsheet user finds it, by letter and header.
QString ColumnTitle(const PlayersSheet& sheet, const SheetLayout& layout, int column);

// The columns that hold something and are not loaded, by ColumnTitle.
QStringList UnplacedColumns(const PlayersSheet& sheet, const SheetLayout& layout);

// Splits delimited text (tab, semicolon or comma, quotes as spreadsheets write them) into
// rows; an empty string, or the reason it cannot.
QString SplitSheet(const QString& text, PlayersSheet* sheet);

// True when a row holds nothing but, perhaps, a number: a blank line of a numbered form.
bool RowIsBlank(const SheetRow& row, const SheetLayout& layout);
// One player from one row, and its number (-1 without one); an empty string or the reason
// the row cannot be read.
QString PlayerFromRow(const SheetRow& row, const SheetLayout& layout, Player* player, int* number);

} // namespace kit
