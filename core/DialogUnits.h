#pragma once

#include <QSize>

class QWidget;

// A size given in the classic dialog units of the window's font (a quarter of the average
// character width, an eighth of the line height), used as a dialog's starting size: the
// dialogs were laid out in those units, and this keeps their proportions at any font size.
QSize DialogUnitsToPixels(const QWidget* widget, int width, int height);
