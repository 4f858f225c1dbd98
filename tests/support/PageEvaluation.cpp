#include "PageEvaluation.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

QVariant EvaluateOnPage(QWebEngineView* view, const QString& script) {
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<no answer>");
    return result;
}
