#pragma once

#include <QString>

#include <functional>

class QWidget;

// Long plug-in steps are framed by progress texts: the text before the call, "" after it.
// Every flow shows them through this one function. The text goes to wherever the program
// displays it (the main window's status line), and a non-empty one is followed by an
// immediate repaint of `alsoRepaint` (e.g. the dialog that started the step), since the step
// that follows blocks the event loop.
void ShowProgress(const QString& text, QWidget* alsoRepaint = nullptr);

// Where the texts are shown; the application sets it once its main window exists. The display
// repaints what it shows itself.
void SetProgressDisplay(std::function<void(const QString&)> display);
// For tests: called with every text before it is shown, to see the texts in order with the
// plug-in's calls.
void SetProgressObserver(std::function<void(const QString&)> observer);
