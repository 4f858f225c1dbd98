#include "app/CVelmoraApp.h"

// Skeleton; the opening of tournament files is completed with its dialog.
void CVelmoraApp::OnFileOpen() {}

CVelmoraDoc* CVelmoraApp::OpenDocumentFile(const QString& path) {
    return OpenTournamentFile(path, false);
}

CVelmoraDoc* CVelmoraApp::OpenTournamentFile(const QString& path, bool bFromOpenCommand) {
    Q_UNUSED(path) Q_UNUSED(bFromOpenCommand)
    return nullptr;
}
