#include "Pairings.h"

#include "Html.h"

namespace kit {

namespace {

QString Cell(const char* cls, const QString& html) {
    return QStringLiteral("<td class=\"") + QLatin1String(cls) + QStringLiteral("\">") + html +
           QStringLiteral("</td>");
}

} // namespace

QString PairingsTableHtml(const PairingColumns& c, const QList<PairingLine>& lines) {
    const bool extra = !c.extraHeading.isEmpty();
    const QString extraHead = extra ? QStringLiteral("<th class=\"") + HtmlEscape(c.extraClass) +
                                          QStringLiteral("\">") + HtmlEscape(c.extraHeading) +
                                          QStringLiteral("</th>")
                                    : QString();
    QString html = QStringLiteral("<table class=\"pairings\">\n<thead>\n<tr><th class=\"board\">") +
                   HtmlEscape(c.board) + QStringLiteral("</th><th class=\"number\">№</th>") +
                   QStringLiteral("<th class=\"name\">") + HtmlEscape(c.first) +
                   QStringLiteral("</th>") + extraHead + QStringLiteral("<th class=\"result\">") +
                   HtmlEscape(c.result) + QStringLiteral("</th>") + extraHead +
                   QStringLiteral("<th class=\"name\">") + HtmlEscape(c.second) +
                   QStringLiteral("</th><th class=\"number\">№</th></tr>\n</thead>\n<tbody>\n");
    const QString extraClass = HtmlEscape(c.extraClass);
    for (const PairingLine& l : lines) {
        auto extraCell = [&](const PairingSide& side) {
            return extra ? QStringLiteral("<td class=\"") + extraClass + QStringLiteral("\">") +
                               HtmlEscape(side.extra) + QStringLiteral("</td>")
                         : QString();
        };
        html += QStringLiteral("<tr>") + Cell("board", QString::number(l.board)) +
                Cell("number", QString::number(l.first.number)) + Cell("name", l.first.nameHtml) +
                extraCell(l.first) + Cell("result", l.resultHtml) + extraCell(l.second) +
                Cell("name", l.second.nameHtml) + Cell("number", QString::number(l.second.number)) +
                QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString ResultBoxHtml() {
    return QStringLiteral("<span class=\"box\"></span>");
}

QString PairingsSheetStyle() {
    return QStringLiteral(
        "span.box{display:inline-block;width:3.5em;height:1.2em;border:1px solid #555}\n"
        "@page{size:A4 portrait;margin:12mm}\n"
        "@media print{body{margin:0}th{background:#fff}tr:nth-child(even) td{background:#fff}}");
}

} // namespace kit
