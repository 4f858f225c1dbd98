#include "Reports.h"

#include "Html.h"
#include "MatchLists.h"
#include "Pairings.h"
#include "Standings.h"
#include "TablePage.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace rr {

namespace {

// The default skin's look, inlined so the page travels alone.
const char kInlineStyle[] =
    R"(body{font-family:"DejaVu Sans",Arial,sans-serif;color:#222;margin:1.5em}
h1{font-size:1.5em;margin:0 0 .2em}header p{margin:.1em 0;color:#555}
table{border-collapse:collapse;margin-top:1em;font-size:.9em}
th,td{border:1px solid #bbb;padding:.25em .45em;text-align:center}
th{background:#e8edf3}td.name{text-align:left;white-space:nowrap}td.self{background:#999}
tr:nth-child(even) td{background:#f6f8fa}tr:nth-child(even) td.self{background:#999}
td.points{font-weight:bold}.r.w{color:#11652a}.r.l{color:#9b1c1c}.withdrawn td{color:#888}
.round h2{font-size:1.1em;margin:1.2em 0 .3em})";

QString StandalonePage(const Tournament& t, const QString& title, const QString& body,
                       const QString& extraStyle = {}) {
    QString style = QString::fromUtf8(kInlineStyle);
    if (!extraStyle.isEmpty())
        style += u'\n' + extraStyle;
    // Only where something is cancelled, so that every other page reads as it always did.
    for (int i = 0; i < t.PlayerCount(); ++i)
        if (t.WithdrawalOf(i) == Withdrawal::Cancelled) {
            style += QStringLiteral("\n.r.x{color:#999;text-decoration:line-through}");
            break;
        }
    return StandalonePageStart(title, style) + HeadingHtml(t) + body + PageEnd();
}

bool Scores(const Tournament& t) {
    return t.GetSettings().kind == ResultKind::Scores;
}

// Spreadsheets read "2,5" as a number; "2½" would stay text.
QString TieBreakCsv(TieBreak tb, double value) {
    if (std::isnan(value))
        return {};
    if (tb == TieBreak::DirectEncounter || tb == TieBreak::Koya)
        return PointsDecimal(int(std::lround(value)));
    if (tb == TieBreak::SonnebornBerger)
        return DecimalText(value / 2.0, 2).replace(QChar(0x2212), u'-');
    return TieBreakText(tb, value).replace(QChar(0x2212), u'-');
}

} // namespace

const QList<kit::ReportKind>& Reports() {
    static const QList<kit::ReportKind> reports{
        {QStringLiteral("Турнирная таблица для отправки по почте"), QStringLiteral("html")},
        {QStringLiteral("Положение участников для электронных таблиц"), QStringLiteral("csv")},
        {QStringLiteral("Результаты по турам"), QStringLiteral("html")},
        {QStringLiteral("Протокол турнира (текст)"), QStringLiteral("txt")},
        {QStringLiteral("Пары тура"), QStringLiteral("html")}};
    return reports;
}

QString CrosstableReport(const Tournament& t) {
    QString body;
    if (Scores(t))
        body += LeagueTableHtml(t, ComputeStandings(t));
    return StandalonePage(t, t.Name(), body + CrosstableHtml(t) + DeductionsHtml(t));
}

QByteArray StandingsCsv(const Tournament& t) {
    QStringList header{QStringLiteral("Место"),
                       QStringLiteral("Участник"),
                       QStringLiteral("Рейтинг"),
                       QStringLiteral("Звание"),
                       QStringLiteral("Клуб"),
                       QStringLiteral("Город"),
                       Scores(t) ? QStringLiteral("Матчи") : QStringLiteral("Партии"),
                       QStringLiteral("Очки")};
    for (TieBreak tb : t.GetSettings().tieBreaks)
        header << TieBreakName(tb);
    // Only where someone lost points, so that other tables keep their columns.
    const bool deductions = !t.Deductions().isEmpty();
    if (deductions)
        header << QStringLiteral("Снято очков") << QStringLiteral("Причина снятия");
    CsvWriter csv;
    csv.Row(header);
    for (const Standing& s : ComputeStandings(t)) {
        const Player& p = t.Players()[s.player];
        // A shared place keeps its en dash: "3-4" with a hyphen would be read as a date.
        QStringList fields{PlaceText(s),
                           p.name,
                           p.rating > 0 ? QString::number(p.rating) : QString(),
                           p.title,
                           p.club,
                           p.city,
                           QString::number(s.played),
                           PointsDecimal(s.points)};
        for (qsizetype k = 0; k < t.GetSettings().tieBreaks.size(); ++k)
            fields << TieBreakCsv(t.GetSettings().tieBreaks[k], s.tieBreaks[k]);
        if (deductions) {
            QStringList reasons;
            for (const Deduction& d : t.Deductions())
                if (d.player == s.player)
                    reasons << d.reason;
            fields << (s.deducted ? PointsDecimal(s.deducted) : QString())
                   << reasons.join(QStringLiteral("; "));
        }
        csv.Row(fields);
    }
    return csv.Bytes();
}

QString RoundsReport(const Tournament& t) {
    const QString head = Scores(t) ? QStringLiteral("<tr><th>Матч</th><th>Хозяева</th>"
                                                    "<th>Счёт</th><th>Гости</th></tr>\n")
                                   : QStringLiteral("<tr><th>Доска</th><th>Белые</th>"
                                                    "<th>Результат</th><th>Чёрные</th></tr>\n");
    QString body;
    int round = 0;
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (g.round != round) {
            if (round)
                body += QStringLiteral("</table>\n</section>\n");
            round = g.round;
            body +=
                QStringLiteral("<section class=\"round\">\n<h2>%1 тур</h2>\n<table>\n").arg(round);
            body += head;
        }
        const QString result =
            t.Cancelled(i) ? QStringLiteral("аннулирована") : t.Effective(i).Text();
        body += QStringLiteral("<tr><td>%1</td><td class=\"name\">").arg(g.board) +
                HtmlEscape(t.Players()[g.white].name) + QStringLiteral("</td><td>") +
                HtmlEscape(result) + QStringLiteral("</td><td class=\"name\">") +
                HtmlEscape(t.Players()[g.black].name) + QStringLiteral("</td></tr>\n");
    }
    if (round)
        body += QStringLiteral("</table>\n</section>\n");
    return StandalonePage(t, t.Name() + QStringLiteral(" — результаты по турам"), body);
}

QString ProtocolText(const Tournament& t) {
    QString text = t.Name() + u'\n';
    const TournamentInfo& info = t.Info();
    if (!info.venue.isEmpty())
        text += QStringLiteral("Место проведения: ") + info.venue + u'\n';
    if (!info.dates.isEmpty())
        text += QStringLiteral("Сроки: ") + info.dates + u'\n';
    if (!info.arbiter.isEmpty())
        text += QStringLiteral("Главный судья: ") + info.arbiter + u'\n';
    text +=
        RoundsPlayedText(t.CompletedRounds(), t.RoundCount()) + QStringLiteral("\n\nУчастники\n");
    for (int i = 0; i < t.PlayerCount(); ++i)
        text += QStringLiteral("%1. ").arg(i + 1) + PlayerLine(t.Players()[i]) +
                (t.Withdrawn(i) ? u' ' + WithdrawalNote(t, i) : QString()) + u'\n';
    const QString notPlayed =
        Scores(t) ? QStringLiteral("не сыгран") : QStringLiteral("не сыграна");
    const QString cancelled =
        Scores(t) ? QStringLiteral("аннулирован") : QStringLiteral("аннулирована");
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (i == 0 || t.Games()[size_t(i - 1)].round != g.round)
            text += QStringLiteral("\n%1 тур\n").arg(g.round);
        const QString result = t.Cancelled(i) ? cancelled : t.Effective(i).Text();
        text += QStringLiteral("  %1. ").arg(g.board) + t.Players()[g.white].name +
                QStringLiteral(" — ") + t.Players()[g.black].name + u' ' +
                (result.isEmpty() ? notPlayed : result) + u'\n';
    }
    text += QStringLiteral("\nПоложение участников\n");
    for (const Standing& s : ComputeStandings(t)) {
        QString line = (s.placeFrom ? PlaceText(s) : QStringLiteral("–")) + QStringLiteral(". ") +
                       t.Players()[s.player].name + QStringLiteral(" — ") + PointsText(s.points);
        if (s.deducted)
            line += QStringLiteral(" (снято ") + PointsWithNoun(s.deducted) + u')';
        for (qsizetype k = 0; k < t.GetSettings().tieBreaks.size(); ++k) {
            const QString value = TieBreakText(t.GetSettings().tieBreaks[k], s.tieBreaks[k]);
            if (!value.isEmpty())
                line += QStringLiteral("; ") + TieBreakShortName(t.GetSettings().tieBreaks[k]) +
                        u' ' + value;
        }
        text += line + u'\n';
    }
    if (!t.Deductions().isEmpty()) {
        text += QStringLiteral("\nСнятие очков\n");
        for (const Deduction& d : t.Deductions())
            text += t.Players()[d.player].name + QStringLiteral(": снято ") +
                    PointsWithNoun(d.halves) + QStringLiteral(" — ") + d.reason + u'\n';
    }
    if (!info.notes.isEmpty())
        text += QStringLiteral("\nПримечания\n") + info.notes + u'\n';
    return text;
}

QString PairingsReport(const Tournament& t) {
    const int round = CurrentRound(t);
    const QString body = round > 0
                             ? RoundHtml(t, round, true)
                             : QStringLiteral("<p class=\"empty\">В турнире нет встреч.</p>\n");
    return StandalonePage(t, t.Name() + QStringLiteral(" — пары %1 тура").arg(std::max(1, round)),
                          body, PairingsSheetStyle());
}

QByteArray ReportContent(const Tournament& t, Report report) {
    switch (report) {
    case Report::Crosstable:
        return CrosstableReport(t).toUtf8();
    case Report::StandingsCsv:
        return StandingsCsv(t);
    case Report::Rounds:
        return RoundsReport(t).toUtf8();
    case Report::Protocol:
        return ProtocolText(t).toUtf8();
    case Report::Pairings:
        return PairingsReport(t).toUtf8();
    }
    return {};
}

} // namespace rr
