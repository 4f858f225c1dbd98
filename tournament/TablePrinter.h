#pragma once

#include <QString>

class QWebEngineView;
class QWidget;

// Printing the table page as the browser shows it, in its skin: through the platform's print
// dialog, in a preview, or into a PDF file. The page is laid out by the web engine, which
// works in the background; each call waits for it and returns when it is done.
namespace TablePrinter {

// Writes the page into a PDF file at path (A4, portrait). False when the file was not written.
bool SaveAsPdf(QWebEngineView* view, const QString& path);
// The platform's print dialog, then the printer. False when cancelled or not printed.
bool Print(QWebEngineView* view, QWidget* owner);
// The print preview, from which the user can print.
void Preview(QWebEngineView* view, QWidget* owner);

} // namespace TablePrinter
