#pragma once

#include <QString>
#include <QVariant>

class QWebEngineView;

// Runs a script in the page a view shows and waits for its value: "<no answer>" when the page
// gives none within ten seconds, so that a test fails on a comparison instead of hanging.
QVariant EvaluateOnPage(QWebEngineView* view, const QString& script);
