#pragma once

#include <QString>

class CDocTemplate;
class QWidget;
class SystemCatalogue;

// What the tournament windows and the flows that open them need from the program around
// them. The application provides it; tests provide a small one of their own, so that a flow
// never has to reach for the application object and the folders below the application never
// depend on it.
class HostServices {
public:
    // The installed systems; null before they are found.
    virtual const SystemCatalogue* Catalogue() const = 0;
    // The owner of the flows' dialogs and messages (the main window); null when there is none.
    virtual QWidget* DialogOwner() const = 0;
    // The document type that creates a tournament's document and window; null when there is
    // none, and then no window can be opened.
    virtual CDocTemplate* DocTemplate() const = 0;
    // The folder the program runs from: where a players list is proposed to be saved.
    virtual QString ProgramFolder() const = 0;
    // A tournament file was named (opened, created, saved): it goes first in the recent files.
    virtual void AddToRecentFiles(const QString& path) = 0;

protected:
    ~HostServices() = default;
};
