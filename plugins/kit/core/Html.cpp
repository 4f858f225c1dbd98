#include "Html.h"

#include "Text.h"

#include <QStringList>

namespace kit {

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

QString SkinPageStart(const QString& title) {
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width\">\n<title>") +
           HtmlEscape(title) +
           QStringLiteral("</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n"
                          "<body>\n");
}

QString StandalonePageStart(const QString& title, const QString& style) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>") +
           HtmlEscape(title) + QStringLiteral("</title>\n<style>\n") + style +
           QStringLiteral("\n</style>\n</head>\n<body>\n");
}

QString PageEnd() {
    return QStringLiteral("</body>\n</html>\n");
}

QString PageHeadingStart(const QString& name, const TournamentInfo& info) {
    QString html = QStringLiteral("<header>\n<h1>") + HtmlEscape(name) + QStringLiteral("</h1>\n");
    QStringList where;
    if (!info.venue.isEmpty())
        where << HtmlEscape(info.venue);
    if (!info.dates.isEmpty())
        where << HtmlEscape(info.dates);
    if (!where.isEmpty())
        html += QStringLiteral("<p class=\"place-dates\">") + where.join(QStringLiteral(", ")) +
                QStringLiteral("</p>\n");
    return html;
}

QString PageHeading(const QString& name, const TournamentInfo& info, int roundsPlayed,
                    int roundsTotal) {
    QString html = PageHeadingStart(name, info);
    html += QStringLiteral("<p class=\"status\">") +
            HtmlEscape(RoundsPlayedText(roundsPlayed, roundsTotal)) +
            QStringLiteral("</p>\n</header>\n");
    return html;
}

} // namespace kit
