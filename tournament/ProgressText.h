#pragma once

#include <QString>

#include <functional>

// Progress texts of the tournament commands go through here: to the main window's status
// line when there is one, and to an observer that tests set to see the texts in order with
// the plug-in's calls.
void ShowProgress(const QString& text);
void SetProgressObserver(std::function<void(const QString&)> observer);
