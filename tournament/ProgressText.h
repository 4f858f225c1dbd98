#pragma once

#include <QString>

class QWidget;

#include <functional>

// Progress texts of the tournament commands go through here: to the main window's status
// line when there is one, and to an observer that tests set to see the texts in order with
// the plug-in's calls.
void ShowProgress(const QString& text);
void SetProgressObserver(std::function<void(const QString&)> observer);

// The status line part of every progress text, without any observer: the text goes to the
// main window's first pane, and a non-empty one is followed by an immediate repaint of the
// main window (and of `alsoRepaint`), since the step that follows blocks the event loop.
void ShowStatusLineProgress(const QString& text, QWidget* alsoRepaint = nullptr);
