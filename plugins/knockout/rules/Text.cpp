#include "Text.h"

namespace ko {

QString HtmlEscape(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString RoundName(int round, int rounds) {
    const int left = rounds - round; // rounds still to come after this one
    if (left <= 0)
        return QStringLiteral("Финал");
    return QStringLiteral("1/%1 финала").arg(1 << left);
}

} // namespace ko
