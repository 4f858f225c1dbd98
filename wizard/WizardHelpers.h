#pragma once

#include "app/Prompts.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QListWidget;
class SystemInfo;
class QWidget;

// Small pieces shared by the wizard, the opening and their dialogs.

// Inserts a row into a list that keeps its rows in natural order (NaturalCompare), and gives
// it an item value. A name equal to an existing one goes after it, so equal names keep the
// order in which they were added. Returns the new row.
int InsertSorted(QListWidget* list, const QString& text, int value);
// The item value of the selected row, or -1 when no row is selected.
int SelectedItemValue(const QListWidget* list);
// Refills a skin list with the system's skins, sorted, each row's item value its position in
// the system's list. The selected row number is kept across the change, clamped to the new
// list (the first row when none was selected); an empty list for no system.
void FillSkinRows(QListWidget* list, const SystemInfo* system);

// The file dialog of a tournament file, to open or to save: "Tournament Files (*.trn)", the
// default extension, "*.trn" proposed in the "Tournaments" folder under the current folder of
// this moment (which the file dialogs may have moved).
Prompts::FileRequest TournamentFileRequest(const QString& title, bool save);

// Sets a progress text in the status line. A non-empty text is followed by an immediate
// repaint of the main window (and of `alsoRepaint`, e.g. the dialog that started the step),
// so the text is seen while the plug-in works.
void ShowWizardProgress(const QString& text, QWidget* alsoRepaint = nullptr);
// For tests: called with every progress text before it is shown.
void SetWizardProgressObserver(std::function<void(const QString&)> observer);

// A size given in the classic dialog units of the window's font (a quarter of the average
// character width, an eighth of the line height), used as a dialog's starting size.
QSize DialogUnitsToPixels(const QWidget* widget, int width, int height);

// The format identifier of a tournament file: its first line up to the first line feed, a
// carriage return right before the line feed dropped. Only the first bytes are read: an
// identifier has at most 255 bytes, so a longer first line matches nothing whatever its
// length, and a huge file costs no more than a small one. False when the path is not a
// readable regular file (missing, a folder, a device or pipe that could block, no rights).
bool ReadFormatIdentifier(const QString& path, QByteArray* identifier);
