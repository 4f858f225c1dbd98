#pragma once

#include <QString>

namespace ko {

// Escapes text for HTML element content and attribute values.
QString HtmlEscape(const QString& text);

// "1/4 финала", "1/2 финала", "Финал": the name of round `round` (1-based) of `rounds`.
QString RoundName(int round, int rounds);

} // namespace ko
