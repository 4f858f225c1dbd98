#include "ProgressText.h"

#include <QWidget>

namespace {
std::function<void(const QString&)>& Observer() {
    static std::function<void(const QString&)> observer;
    return observer;
}
std::function<void(const QString&)>& Display() {
    static std::function<void(const QString&)> display;
    return display;
}
} // namespace

void ShowProgress(const QString& text, QWidget* alsoRepaint) {
    if (Observer())
        Observer()(text);
    if (!Display())
        return;
    Display()(text);
    if (text.isEmpty())
        return;
    // The step that follows blocks the event loop: the text must be on screen before it.
    if (alsoRepaint && alsoRepaint->isVisible())
        alsoRepaint->repaint();
}

void SetProgressDisplay(std::function<void(const QString&)> display) {
    Display() = std::move(display);
}

void SetProgressObserver(std::function<void(const QString&)> observer) {
    Observer() = std::move(observer);
}
