#include "TablePage.h"

#include "Html.h"
#include "Standings.h"
#include "Text.h"

#include <vector>

namespace rr {

namespace {

// Game indexes of every pair by cycle: games[(a * n + b) * cycles + cycle], -1 for none.
std::vector<int> PairGames(const Tournament& t) {
    const size_t n = size_t(t.PlayerCount()), cycles = size_t(t.GetSettings().cycles);
    std::vector<int> games(n * n * cycles, -1);
    const int perCycle = RoundsPerCycle(t.PlayerCount());
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        const size_t cycle = size_t((g.round - 1) / perCycle);
        games[(size_t(g.white) * n + size_t(g.black)) * cycles + cycle] = i;
        games[(size_t(g.black) * n + size_t(g.white)) * cycles + cycle] = i;
    }
    return games;
}

const char* CellClass(const SideOutcome& s) {
    if (s.forfeit)
        return s.win ? "r fw" : "r fl";
    return s.win ? "r w" : s.draw ? "r d" : "r l";
}

} // namespace

QString HeadingHtml(const Tournament& t) {
    return PageHeading(t.Name(), t.Info(), t.CompletedRounds(), t.RoundCount());
}

QString CrosstableHtml(const Tournament& t) {
    const std::vector<Standing> table = ComputeStandings(t);
    const std::vector<int> pairs = PairGames(t);
    const size_t n = size_t(t.PlayerCount()), cycles = size_t(t.GetSettings().cycles);
    const bool scores = t.GetSettings().kind == ResultKind::Scores;
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    bool anyRating = false, anyClub = false;
    for (const Player& p : t.Players()) {
        anyRating = anyRating || p.rating > 0;
        anyClub = anyClub || !p.club.isEmpty();
    }

    QString html;
    html.reserve(int(n * n * cycles * 40 + 4096));
    html +=
        QStringLiteral("<table class=\"crosstable\">\n<thead>\n<tr><th class=\"place\">Место</th>"
                       "<th class=\"number\">№</th><th class=\"name\">Участник</th>");
    if (anyRating)
        html += QStringLiteral("<th class=\"rating\">Рейтинг</th>");
    if (anyClub)
        html += QStringLiteral("<th class=\"club\">Клуб</th>");
    // Rows and columns go by place, but each is labelled with the player's start number:
    // the number players know from the pairings, which no result changes.
    for (const Standing& column : table)
        html += QStringLiteral("<th class=\"opponent\">%1</th>").arg(column.player + 1);
    html += QStringLiteral("<th class=\"points\">Очки</th>");
    for (TieBreak tb : tieBreaks)
        html += QStringLiteral("<th class=\"tiebreak\" title=\"%1\">%2</th>")
                    .arg(HtmlEscape(TieBreakName(tb)), HtmlEscape(TieBreakShortName(tb)));
    html += QStringLiteral("</tr>\n</thead>\n<tbody>\n");

    for (size_t r = 0; r < table.size(); ++r) {
        const Standing& s = table[r];
        const Player& p = t.Players()[s.player];
        const bool out = t.Withdrawn(s.player);
        const bool cancelled = t.WithdrawalOf(s.player) == Withdrawal::Cancelled;
        html += cancelled ? QStringLiteral("<tr class=\"withdrawn cancelled\">")
                : out     ? QStringLiteral("<tr class=\"withdrawn\">")
                          : QStringLiteral("<tr>");
        html += QStringLiteral("<td class=\"place\">") + PlaceText(s) +
                QStringLiteral("</td><td class=\"number\">") + QString::number(s.player + 1) +
                QStringLiteral("</td><td class=\"name\">") + HtmlEscape(p.name);
        if (!p.title.isEmpty())
            html += QStringLiteral(" <span class=\"title\">") + HtmlEscape(p.title) +
                    QStringLiteral("</span>");
        if (out)
            html += QStringLiteral(" <span class=\"note\">") + WithdrawalNote(t, s.player) +
                    QStringLiteral("</span>");
        html += QStringLiteral("</td>");
        if (anyRating)
            html += QStringLiteral("<td class=\"rating\">") +
                    (p.rating > 0 ? QString::number(p.rating) : QString()) +
                    QStringLiteral("</td>");
        if (anyClub)
            html += QStringLiteral("<td class=\"club\">") + HtmlEscape(p.club) +
                    QStringLiteral("</td>");
        for (size_t c = 0; c < table.size(); ++c) {
            const int opponent = table[c].player;
            if (opponent == s.player) {
                html += QStringLiteral("<td class=\"self\"></td>");
                continue;
            }
            html += QStringLiteral("<td class=\"game\">");
            for (size_t cycle = 0; cycle < cycles; ++cycle) {
                const int game = pairs[(size_t(s.player) * n + size_t(opponent)) * cycles + cycle];
                if (cycle > 0)
                    html += u' ';
                const Result result = t.Effective(game);
                const Side side = game >= 0 && t.Games()[size_t(game)].white == s.player
                                      ? Side::White
                                      : Side::Black;
                if (t.Cancelled(game)) { // kept in sight, struck out: it counts for no one
                    const Result& entered = t.Games()[size_t(game)].result;
                    html +=
                        QStringLiteral("<span class=\"r x\" title=\"Аннулирована\">") +
                        (entered.IsSet() ? CellText(entered, side, scores) : QStringLiteral("×")) +
                        QStringLiteral("</span>");
                    continue;
                }
                if (!result.IsSet()) {
                    html += QStringLiteral("<span class=\"r none\">·</span>");
                    continue;
                }
                html += QStringLiteral("<span class=\"") +
                        QLatin1String(CellClass(ForSide(result, side))) + QStringLiteral("\">") +
                        CellText(result, side, scores) + QStringLiteral("</span>");
            }
            html += QStringLiteral("</td>");
        }
        html += QStringLiteral("<td class=\"points\">") + PointsText(s.points) +
                QStringLiteral("</td>");
        for (qsizetype k = 0; k < tieBreaks.size(); ++k)
            html += QStringLiteral("<td class=\"tiebreak\">") +
                    TieBreakText(tieBreaks[k], s.tieBreaks[k]) + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
    return html;
}

QString TablePageHtml(const Tournament& t) {
    QString html = SkinPageStart(t.Name());
    html += HeadingHtml(t);
    if (t.PlayerCount() == 0)
        html += QStringLiteral("<p class=\"empty\">В турнире нет участников.</p>\n");
    else
        html += CrosstableHtml(t);
    if (!t.Info().arbiter.isEmpty())
        html += QStringLiteral("<footer><p>Главный судья: ") + HtmlEscape(t.Info().arbiter) +
                QStringLiteral("</p></footer>\n");
    return html + PageEnd();
}

} // namespace rr
