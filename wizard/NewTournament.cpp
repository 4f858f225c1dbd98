#include "app/CVelmoraApp.h"

// Skeleton; the new-tournament wizard is completed with its dialogs.
void CVelmoraApp::OnFileNew() {}
