#include "ProgressText.h"

#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"

namespace {
std::function<void(const QString&)>& Observer() {
    static std::function<void(const QString&)> observer;
    return observer;
}
} // namespace

void ShowProgress(const QString& text) {
    if (Observer())
        Observer()(text);
    ShowStatusLineProgress(text);
}

void ShowStatusLineProgress(const QString& text, QWidget* alsoRepaint) {
    CVelmoraApp* app = theApp();
    if (!app)
        return;
    app->ShowProgressText(text);
    if (text.isEmpty())
        return;
    // The step that follows blocks the event loop: the text must be on screen before it.
    if (CMainFrame* main = app->GetMainFrame(); main && main->isVisible())
        main->repaint();
    if (alsoRepaint && alsoRepaint->isVisible())
        alsoRepaint->repaint();
}

void SetProgressObserver(std::function<void(const QString&)> observer) {
    Observer() = std::move(observer);
}
