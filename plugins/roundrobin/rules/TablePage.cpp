#include "TablePage.h"

#include "Html.h"
#include "Pairings.h"
#include "Rating.h"
#include "Reports.h"
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

bool Scores(const Tournament& t) {
    return t.GetSettings().kind == ResultKind::Scores;
}

struct Fields {
    bool rating = false;
    bool club = false;
};
Fields FieldsOf(const Tournament& t) {
    Fields f;
    for (const Player& p : t.Players()) {
        f.rating = f.rating || p.rating > 0;
        f.club = f.club || !p.club.isEmpty();
    }
    return f;
}

QString FieldHeadings(const Fields& fields) {
    QString html;
    if (fields.rating)
        html += QStringLiteral("<th class=\"rating\">Рейтинг</th>");
    if (fields.club)
        html += QStringLiteral("<th class=\"club\">Клуб</th>");
    return html;
}

QString NameHtml(const Tournament& t, int player) {
    const Player& p = t.Players()[player];
    QString html = HtmlEscape(p.name);
    if (!p.title.isEmpty())
        html += QStringLiteral(" <span class=\"title\">") + HtmlEscape(p.title) +
                QStringLiteral("</span>");
    if (t.Withdrawn(player))
        html += QStringLiteral(" <span class=\"note\">") + WithdrawalNote(t, player) +
                QStringLiteral("</span>");
    return html;
}

// Points after deductions, marked when some were taken off: the reasons follow the table.
QString PointsCell(const Standing& s) {
    QString html = QStringLiteral("<td class=\"points\">") + PointsText(s.points);
    if (s.deducted > 0)
        html += QStringLiteral("<sup class=\"deducted\" title=\"снято ") + PointsText(s.deducted) +
                QStringLiteral("\">*</sup>");
    return html + QStringLiteral("</td>");
}

QString TieBreakHeadings(const QList<TieBreak>& tieBreaks) {
    QString html;
    for (TieBreak tb : tieBreaks)
        html += QStringLiteral("<th class=\"tiebreak\" title=\"%1\">%2</th>")
                    .arg(HtmlEscape(TieBreakName(tb)), HtmlEscape(TieBreakShortName(tb)));
    return html;
}

QString TieBreakCells(const QList<TieBreak>& tieBreaks, const Standing& s) {
    QString html;
    for (qsizetype k = 0; k < tieBreaks.size(); ++k)
        html += QStringLiteral("<td class=\"tiebreak\">") +
                TieBreakText(tieBreaks[k], s.tieBreaks[k]) + QStringLiteral("</td>");
    return html;
}

QString RowStart(const Tournament& t, const Standing& s) {
    const QString row = t.WithdrawalOf(s.player) == Withdrawal::Cancelled
                            ? QStringLiteral("<tr class=\"withdrawn cancelled\">")
                        : t.Withdrawn(s.player) ? QStringLiteral("<tr class=\"withdrawn\">")
                                                : QStringLiteral("<tr>");
    return row +
           QStringLiteral("<td class=\"place\">") + PlaceText(s) + QStringLiteral("</td>");
}

QString Number(const char* cls, int value, bool blankZero = false) {
    return QStringLiteral("<td class=\"") + QLatin1String(cls) + QStringLiteral("\">") +
           (blankZero && value == 0 ? QString() : QString::number(value)) + QStringLiteral("</td>");
}

// A row's start: place, start number, name, and the rating and club where the field has them.
QString PlayerCells(const Tournament& t, const Standing& s, const Fields& fields) {
    const Player& p = t.Players()[s.player];
    QString html = RowStart(t, s) + Number("number", s.player + 1) +
                   QStringLiteral("<td class=\"name\">") + NameHtml(t, s.player) +
                   QStringLiteral("</td>");
    if (fields.rating)
        html += Number("rating", p.rating, true);
    if (fields.club)
        html += QStringLiteral("<td class=\"club\">") + HtmlEscape(p.club) +
                QStringLiteral("</td>");
    return html;
}

// The columns every row of a chess table ends with after its points.
struct ChessTail {
    bool performance = false; // a rated field
    std::vector<Performance> figures;
};

QString ChessTailHeadings(const ChessTail& tail, const QList<TieBreak>& tieBreaks) {
    QString html = QStringLiteral("<th class=\"games\" title=\"Сыграно партий\">Партии</th>") +
                   TieBreakHeadings(tieBreaks);
    if (tail.performance)
        html += QStringLiteral(
            "<th class=\"performance\" title=\"Средний рейтинг соперников\">Ср. рейт.</th>"
            "<th class=\"performance\" title=\"Турнирный рейтинг (перформанс)\">Перф.</th>");
    return html;
}

QString ChessTailCells(const ChessTail& tail, const QList<TieBreak>& tieBreaks, const Standing& s) {
    QString html = Number("games", s.played) + TieBreakCells(tieBreaks, s);
    if (tail.performance) {
        const Performance& p = tail.figures[size_t(s.player)];
        html +=
            Number("performance", p.averageRating, true) + Number("performance", p.rating, true);
    }
    return html;
}

ChessTail ChessTailOf(const Tournament& t) {
    ChessTail tail;
    tail.performance = FieldsOf(t).rating;
    if (tail.performance)
        tail.figures = Performances(t);
    return tail;
}

// The standings without the games, for a field too large for a crosstable on the page.
QString StandingsHtml(const Tournament& t, const std::vector<Standing>& table) {
    const Fields fields = FieldsOf(t);
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    const ChessTail tail = ChessTailOf(t);
    QString html =
        QStringLiteral("<table class=\"standings\">\n<thead>\n<tr><th class=\"place\">Место</th>"
                       "<th class=\"number\">№</th><th class=\"name\">Участник</th>");
    html += FieldHeadings(fields);
    html += QStringLiteral("<th class=\"points\">Очки</th>") + ChessTailHeadings(tail, tieBreaks) +
            QStringLiteral("</tr>\n</thead>\n<tbody>\n");
    for (const Standing& s : table) {
        html += PlayerCells(t, s, fields);
        html += PointsCell(s) + ChessTailCells(tail, tieBreaks, s) + QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString SignedText(int value) {
    if (value > 0)
        return u'+' + QString::number(value);
    if (value < 0)
        return QChar(0x2212) + QString::number(-value);
    return QStringLiteral("0");
}

} // namespace

QString PointsWithNoun(int halves) {
    // A fraction takes the genitive singular: "1½ очка", "½ очка".
    const QString noun = halves % 2 ? QStringLiteral("очка")
                                    : Plural(halves / 2, QStringLiteral("очко"),
                                             QStringLiteral("очка"), QStringLiteral("очков"));
    return PointsText(halves) + u' ' + noun;
}

std::vector<Performance> Performances(const Tournament& t) {
    const size_t n = size_t(t.PlayerCount());
    std::vector<std::vector<int>> ratings(n);
    std::vector<int> halves(n, 0); // 2 for a win, 1 for a draw, whatever the points system
    for (int i = 0; i < t.GameCount(); ++i) {
        const Result r = t.Effective(i);
        if (!r.IsSet() || r.IsForfeit())
            continue; // C.07 10: only games played at the board count
        const Game& g = t.Games()[size_t(i)];
        for (const Side side : {Side::White, Side::Black}) {
            const int me = side == Side::White ? g.white : g.black;
            const int opponent = side == Side::White ? g.black : g.white;
            const int rating = t.Players()[opponent].rating;
            if (rating <= 0)
                continue; // an unrated opponent has no rating to average
            const SideOutcome s = ForSide(r, side);
            ratings[size_t(me)].push_back(rating);
            halves[size_t(me)] += s.win ? 2 : s.draw ? 1 : 0;
        }
    }
    std::vector<Performance> figures(n);
    for (size_t p = 0; p < n; ++p) {
        if (ratings[p].empty())
            continue;
        figures[p].games = int(ratings[p].size());
        figures[p].averageRating = kit::AverageRating(ratings[p]);
        figures[p].rating = kit::PerformanceRating(halves[p] / 2.0, ratings[p]);
    }
    return figures;
}

QString HeadingHtml(const Tournament& t) {
    return PageHeading(t.Name(), t.Info(), t.CompletedRounds(), t.RoundCount());
}

QString CrosstableHtml(const Tournament& t) {
    const std::vector<Standing> table = ComputeStandings(t);
    const std::vector<int> pairs = PairGames(t);
    const size_t n = size_t(t.PlayerCount()), cycles = size_t(t.GetSettings().cycles);
    const bool scores = Scores(t);
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    const Fields fields = FieldsOf(t);
    const ChessTail tail = scores ? ChessTail{} : ChessTailOf(t);

    // The column count lets a skin scale the whole table to the window by itself (CSS
    // alone cannot count columns).
    const int columns = 3 + int(fields.rating) + int(fields.club) + int(n) + 1 +
                        int(tieBreaks.size()) + (scores ? 0 : 1 + 2 * int(tail.performance));
    QString html;
    html.reserve(int(n * n * cycles * 40 + 4096));
    html += QStringLiteral("<table class=\"crosstable\" style=\"--columns: %1\">\n<thead>\n"
                           "<tr><th class=\"place\">Место</th><th class=\"number\">№</th>"
                           "<th class=\"name\">Участник</th>")
                .arg(columns);
    html += FieldHeadings(fields);
    // Rows and columns go by place, but each is labelled with the player's start number:
    // the number players know from the pairings, which no result changes.
    for (const Standing& column : table)
        html += QStringLiteral("<th class=\"opponent\">%1</th>").arg(column.player + 1);
    html += QStringLiteral("<th class=\"points\">Очки</th>");
    html += scores ? TieBreakHeadings(tieBreaks) : ChessTailHeadings(tail, tieBreaks);
    html += QStringLiteral("</tr>\n</thead>\n<tbody>\n");

    for (size_t r = 0; r < table.size(); ++r) {
        const Standing& s = table[r];
        html += PlayerCells(t, s, fields);
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
        html += PointsCell(s);
        html += scores ? TieBreakCells(tieBreaks, s) : ChessTailCells(tail, tieBreaks, s);
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString LeagueTableHtml(const Tournament& t, const std::vector<Standing>& table) {
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    QString html = QStringLiteral(
        "<table class=\"league\">\n<thead>\n<tr><th class=\"place\">Место</th>"
        "<th class=\"name\">Команда</th><th class=\"games\" title=\"Сыграно матчей\">И</th>"
        "<th class=\"wins\" title=\"Выигрыши\">В</th><th class=\"draws\" title=\"Ничьи\">Н</th>"
        "<th class=\"losses\" title=\"Поражения\">П</th>"
        "<th class=\"goals\" title=\"Забито мячей\">Заб.</th>"
        "<th class=\"goals\" title=\"Пропущено мячей\">Проп.</th>"
        "<th class=\"goals\" title=\"Разница мячей\">±</th><th class=\"points\">Очки</th>");
    html += TieBreakHeadings(tieBreaks) + QStringLiteral("</tr>\n</thead>\n<tbody>\n");
    for (const Standing& s : table) {
        html += RowStart(t, s) + QStringLiteral("<td class=\"name\">") + NameHtml(t, s.player) +
                QStringLiteral("</td>") + Number("games", s.games) + Number("wins", s.wins) +
                Number("draws", s.draws) + Number("losses", s.losses) +
                Number("goals", s.goalsFor) + Number("goals", s.goalsAgainst) +
                QStringLiteral("<td class=\"goals\">") + SignedText(s.goalsFor - s.goalsAgainst) +
                QStringLiteral("</td>") + PointsCell(s) + TieBreakCells(tieBreaks, s) +
                QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString DeductionsHtml(const Tournament& t) {
    if (t.Deductions().isEmpty())
        return {};
    QString html = QStringLiteral("<div class=\"deductions\">\n<p>* Снятие очков:</p>\n<ul>\n");
    for (const Deduction& d : t.Deductions())
        html += QStringLiteral("<li>") + HtmlEscape(t.Players()[d.player].name) +
                QStringLiteral(": снято ") + PointsWithNoun(d.halves) + QStringLiteral(" — ") +
                HtmlEscape(d.reason) + QStringLiteral("</li>\n");
    return html + QStringLiteral("</ul>\n</div>\n");
}

int CurrentRound(const Tournament& t) {
    for (int i = 0; i < t.GameCount(); ++i)
        if (!t.Effective(i).IsSet())
            return t.Games()[size_t(i)].round;
    return t.GameCount() > 0 ? t.RoundCount() : 0;
}

QString RoundHtml(const Tournament& t, int round, bool resultBoxes) {
    const bool scores = Scores(t);
    QList<PairingLine> lines;
    std::vector<char> plays(size_t(t.PlayerCount()), 0);
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (g.round != round)
            continue;
        plays[size_t(g.white)] = plays[size_t(g.black)] = 1;
        const Result r = t.Effective(i);
        auto side = [&](int player) {
            const int rating = t.Players()[player].rating;
            return PairingSide{player + 1, NameHtml(t, player),
                               rating > 0 ? QString::number(rating) : QString()};
        };
        lines.append({g.board, side(g.white), side(g.black),
                      resultBoxes && !r.IsSet() ? ResultBoxHtml() : HtmlEscape(r.Text())});
    }
    const bool rated = FieldsOf(t).rating;
    const PairingColumns columns =
        scores ? PairingColumns{QStringLiteral("Матч"),
                                QStringLiteral("Хозяева"),
                                QStringLiteral("Счёт"),
                                QStringLiteral("Гости"),
                                rated ? QStringLiteral("Рейтинг") : QString(),
                                QStringLiteral("rating")}
               : PairingColumns{QStringLiteral("Доска"),
                                QStringLiteral("Белые"),
                                QStringLiteral("Результат"),
                                QStringLiteral("Чёрные"),
                                rated ? QStringLiteral("Рейтинг") : QString(),
                                QStringLiteral("rating")};
    QString html = QStringLiteral("<section class=\"round\">\n<h2>%1 тур</h2>\n").arg(round) +
                   PairingsTableHtml(columns, lines);
    // An odd field: whoever has no game this round rests.
    for (int p = 0; p < t.PlayerCount(); ++p)
        if (!plays[size_t(p)])
            html += QStringLiteral("<p class=\"bye\">Свободен от игры: %1. ").arg(p + 1) +
                    NameHtml(t, p) + QStringLiteral("</p>\n");
    return html + QStringLiteral("</section>\n");
}

QString TablePageHtml(const Tournament& t) {
    QString html = SkinPageStart(t.Name());
    html += HeadingHtml(t);
    if (t.PlayerCount() == 0) {
        html += QStringLiteral("<p class=\"empty\">В турнире нет участников.</p>\n");
    } else if (t.PlayerCount() > kCrosstableOnPageMax) {
        const std::vector<Standing> table = ComputeStandings(t);
        html +=
            (Scores(t) ? LeagueTableHtml(t, table) : StandingsHtml(t, table)) + DeductionsHtml(t);
        if (const int round = CurrentRound(t))
            html += RoundHtml(t, round, false);
        html += QStringLiteral("<p class=\"elsewhere\">Таблица всех встреч — в отчёте «%1».</p>\n")
                    .arg(HtmlEscape(Reports()[int(Report::Crosstable)].name));
    } else {
        if (Scores(t))
            html += LeagueTableHtml(t, ComputeStandings(t));
        html += CrosstableHtml(t) + DeductionsHtml(t);
    }
    if (!t.Info().arbiter.isEmpty())
        html += QStringLiteral("<footer><p>Главный судья: ") + HtmlEscape(t.Info().arbiter) +
                QStringLiteral("</p></footer>\n");
    return html + PageEnd();
}

} // namespace rr
