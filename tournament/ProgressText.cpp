#include "ProgressText.h"

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
    if (CVelmoraApp* app = theApp())
        app->ShowProgressText(text);
}

void SetProgressObserver(std::function<void(const QString&)> observer) {
    Observer() = std::move(observer);
}
