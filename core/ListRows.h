#pragma once

#include <QString>
#include <QStringList>

class QListWidget;

// Lists that show names the user picks from (systems, skins) keep their rows sorted
// themselves, and each row carries the index of the item it stands for, so a selection is
// always resolved through that value and never through its row number.

// Inserts a row into a list that keeps its rows in natural order (NaturalCompare: "2 тур" before "10 тур", case ignored), and gives
// it an item value. A name equal to an existing one goes after it, so equal names keep the
// order in which they were added. Returns the new row.
int InsertSorted(QListWidget* list, const QString& text, int value);
// The item value of the selected row, or -1 when no row is selected.
int SelectedItemValue(const QListWidget* list);
// Refills a list with names, sorted, each row's item value its position in `names`. The
// selected row number is kept across the change, clamped to the new list (the first row when
// none was selected).
void FillSortedRows(QListWidget* list, const QStringList& names);
