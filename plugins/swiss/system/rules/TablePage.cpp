#include "TablePage.h"

#include "Html.h"
#include "Pairings.h"
#include "SwissStandings.h"
#include "Text.h"

namespace sw {

namespace {

QString NameHtml(const Tournament& t, int player) {
    const Entrant& e = t.Entrants()[player];
    QString html = HtmlEscape(e.player.name);
    if (!e.player.title.isEmpty())
        html += QStringLiteral(" <span class=\"title\">") + HtmlEscape(e.player.title) +
                QStringLiteral("</span>");
    if (e.withdrawnFrom > 0)
        html += QStringLiteral(" <span class=\"note\">(выбыл)</span>");
    return html;
}

const char* CellClass(const QString& cell) {
    if (cell.endsWith(u'+'))
        return "r fw";
    if (cell.endsWith(u'−'))
        return "r fl";
    if (cell.startsWith(u'–'))
        return "r bye";
    return "r";
}

} // namespace

QString HeadingHtml(const Tournament& t) {
    return PageHeading(t.Name(), t.Info(), t.CompletedRounds(), t.TotalRounds());
}

QString StandingsHtml(const Tournament& t) {
    const std::vector<Standing> table = ComputeStandings(t);
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    bool anyRating = false, anyClub = false;
    for (const Entrant& e : t.Entrants()) {
        anyRating = anyRating || e.player.rating > 0;
        anyClub = anyClub || !e.player.club.isEmpty();
    }
    QString html;
    html.reserve(int(table.size()) * (200 + 30 * t.PairedRounds()) + 1024);
    html += QStringLiteral("<table class=\"standings\">\n<thead>\n<tr><th class=\"place\">Место</th>"
                           "<th class=\"number\">№</th><th class=\"name\">Участник</th>");
    if (anyRating)
        html += QStringLiteral("<th class=\"rating\">Рейтинг</th>");
    if (anyClub)
        html += QStringLiteral("<th class=\"club\">Клуб</th>");
    for (int r = 1; r <= t.PairedRounds(); ++r)
        html += QStringLiteral("<th class=\"round\">%1</th>").arg(r);
    html += QStringLiteral("<th class=\"points\">Очки</th>");
    for (TieBreak tb : tieBreaks)
        html += QStringLiteral("<th class=\"tiebreak\" title=\"%1\">%2</th>")
                    .arg(HtmlEscape(TieBreakName(tb)), HtmlEscape(TieBreakShortName(tb)));
    html += QStringLiteral("</tr>\n</thead>\n<tbody>\n");
    for (const Standing& s : table) {
        const Entrant& e = t.Entrants()[s.player];
        html += e.withdrawnFrom > 0 ? QStringLiteral("<tr class=\"withdrawn\">")
                                    : QStringLiteral("<tr>");
        html += QStringLiteral("<td class=\"place\">") + PlaceText(s) +
                QStringLiteral("</td><td class=\"number\">") + QString::number(s.player + 1) +
                QStringLiteral("</td><td class=\"name\">") + NameHtml(t, s.player) +
                QStringLiteral("</td>");
        if (anyRating)
            html += QStringLiteral("<td class=\"rating\">") +
                    (e.player.rating > 0 ? QString::number(e.player.rating) : QString()) +
                    QStringLiteral("</td>");
        if (anyClub)
            html += QStringLiteral("<td class=\"club\">") + HtmlEscape(e.player.club) +
                    QStringLiteral("</td>");
        for (const QString& cell : RoundRecord(t, s.player))
            html += QStringLiteral("<td class=\"round\"><span class=\"") +
                    QLatin1String(CellClass(cell)) + QStringLiteral("\">") + HtmlEscape(cell) +
                    QStringLiteral("</span></td>");
        html += QStringLiteral("<td class=\"points\">") + PointsText(s.points, Fractions::Glyphs) +
                QStringLiteral("</td>");
        for (qsizetype k = 0; k < tieBreaks.size(); ++k)
            html += QStringLiteral("<td class=\"tiebreak\">") +
                    ValueText(tieBreaks[k], s.values[size_t(k)], Fractions::Glyphs) +
                    QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
    return html;
}

QString PairingsHtml(const Tournament& t, int round, bool resultBoxes) {
    QString html = QStringLiteral("<section class=\"pairings\">\n<h2>%1 тур</h2>\n").arg(round);
    // Points before the round, as pairing lists show them.
    auto before = [&](int player) {
        int halves = 0;
        const Points& p = t.GetSettings().points;
        for (const Board& b : t.Boards()) {
            if (b.round >= round || (b.white != player && b.black != player))
                continue;
            if (b.IsBye()) {
                halves += p.win;
                continue;
            }
            const SideOutcome s = ForSide(b.result, b.white == player ? Side::White : Side::Black);
            halves += s.decided ? PointsFor(s, p) : 0;
        }
        for (const RoundBye& bye : t.Byes())
            if (bye.player == player && bye.round < round)
                halves += bye.kind == ByeKind::Half ? p.draw : bye.kind == ByeKind::Full ? p.win : 0;
        return PointsText(halves);
    };
    QString byes;
    QList<PairingLine> lines;
    for (const Board& b : t.Boards()) {
        if (b.round != round)
            continue;
        if (b.IsBye()) {
            byes += QStringLiteral("<p class=\"bye\">Свободен от игры (очко за тур): ") +
                    QString::number(b.white + 1) + QStringLiteral(". ") + NameHtml(t, b.white) +
                    QStringLiteral("</p>\n");
            continue;
        }
        lines.append({b.board,
                      {b.white + 1, NameHtml(t, b.white), before(b.white)},
                      {b.black + 1, NameHtml(t, b.black), before(b.black)},
                      resultBoxes && !b.result.IsSet() ? ResultBoxHtml()
                                                       : HtmlEscape(b.result.Text())});
    }
    const PairingColumns columns{QStringLiteral("Доска"),     QStringLiteral("Белые"),
                                 QStringLiteral("Результат"), QStringLiteral("Чёрные"),
                                 QStringLiteral("Очки"),      QStringLiteral("points")};
    html += PairingsTableHtml(columns, lines) + byes;
    for (const RoundBye& bye : t.Byes()) {
        if (bye.round != round)
            continue;
        const QString kind = bye.kind == ByeKind::Half   ? QStringLiteral("пропуск тура за ½ очка")
                             : bye.kind == ByeKind::Full ? QStringLiteral("пропуск тура за очко")
                                                         : QStringLiteral("пропуск тура без очков");
        html += QStringLiteral("<p class=\"bye\">") + QString::number(bye.player + 1) +
                QStringLiteral(". ") + NameHtml(t, bye.player) + QStringLiteral(": ") + kind +
                QStringLiteral("</p>\n");
    }
    return html + QStringLiteral("</section>\n");
}

QString TablePageHtml(const Tournament& t) {
    QString html = SkinPageStart(t.Name());
    html += HeadingHtml(t);
    if (t.PlayerCount() == 0) {
        html += QStringLiteral("<p class=\"empty\">В турнире нет участников.</p>\n");
    } else {
        html += StandingsHtml(t);
        if (t.PairedRounds() > 0)
            html += PairingsHtml(t, t.PairedRounds(), false);
    }
    if (!t.Info().arbiter.isEmpty())
        html += QStringLiteral("<footer><p>Главный судья: ") + HtmlEscape(t.Info().arbiter) +
                QStringLiteral("</p></footer>\n");
    return html + PageEnd();
}

} // namespace sw
