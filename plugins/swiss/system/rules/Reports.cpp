#include "Reports.h"

#include "Csv.h"
#include "Html.h"
#include "Pairing.h"
#include "SwissStandings.h"
#include "TablePage.h"
#include "Text.h"
#include "Trf.h"

#include <cmath>

namespace sw {

namespace {

// The default skin's look, inlined so the page travels alone.
const char kInlineStyle[] =
    R"(body{font-family:"DejaVu Sans",Arial,sans-serif;color:#222;margin:1.5em}
h1{font-size:1.5em;margin:0 0 .2em}header p{margin:.1em 0;color:#555}
table{border-collapse:collapse;margin-top:1em;font-size:.9em}
th,td{border:1px solid #bbb;padding:.25em .45em;text-align:center}
th{background:#e8edf3}td.name{text-align:left;white-space:nowrap}
tr:nth-child(even) td{background:#f6f8fa}td.points{font-weight:bold}
.withdrawn td{color:#888}.title,.note{color:#777;font-size:.85em}
span.box{display:inline-block;width:3.5em;height:1.2em;border:1px solid #555}
h2{font-size:1.1em;margin:1.2em 0 .3em}
@media print{body{margin:0}th{background:#fff}tr:nth-child(even) td{background:#fff}})";

QString StandalonePage(const Tournament& t, const QString& title, const QString& body) {
    return StandalonePageStart(title, QString::fromUtf8(kInlineStyle)) + HeadingHtml(t) + body +
           PageEnd();
}

QString Decimal(double value) {
    return DecimalText(value, 2).replace(QChar(0x2212), u'-');
}

} // namespace

const QList<kit::ReportKind>& Reports() {
    static const QList<kit::ReportKind> reports{
        {QStringLiteral("Пары текущего тура (для стенда)"), QStringLiteral("html")},
        {QStringLiteral("Положение участников для электронных таблиц"), QStringLiteral("csv")},
        {QStringLiteral("Сводная таблица по турам"), QStringLiteral("html")},
        {QStringLiteral("Файл TRF для рейтинга и других программ"), QStringLiteral("trf")},
        {QStringLiteral("Протокол турнира (текст)"), QStringLiteral("txt")},
        {QStringLiteral("Файл TRF-2026 для рейтинга и других программ"), QStringLiteral("trf")}};
    return reports;
}

QString PairingsReport(const Tournament& t) {
    const QString body = t.PairedRounds() > 0
                             ? PairingsHtml(t, t.PairedRounds(), true)
                             : QStringLiteral("<p class=\"empty\">Ни один тур ещё не разведён.</p>\n");
    return StandalonePage(
        t, t.Name() + QStringLiteral(" — пары %1 тура").arg(std::max(1, t.PairedRounds())), body);
}

QByteArray StandingsCsv(const Tournament& t) {
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    QStringList header{QStringLiteral("Место"),   QStringLiteral("№"),
                       QStringLiteral("Участник"), QStringLiteral("Рейтинг"),
                       QStringLiteral("Звание"),  QStringLiteral("Клуб"),
                       QStringLiteral("Город"),   QStringLiteral("ФИДЕ ID"),
                       QStringLiteral("Год рождения"), QStringLiteral("Очки")};
    for (TieBreak tb : tieBreaks)
        header << TieBreakName(tb);
    CsvWriter csv;
    csv.Row(header);
    for (const Standing& s : ComputeStandings(t)) {
        const Entrant& e = t.Entrants()[s.player];
        // A shared place keeps its en dash: "3-4" with a hyphen would be read as a date.
        QStringList fields{PlaceText(s),
                           QString::number(s.player + 1),
                           e.player.name,
                           e.player.rating > 0 ? QString::number(e.player.rating) : QString(),
                           e.player.title,
                           e.player.club,
                           e.player.city,
                           e.player.fideId,
                           e.player.birthYear > 0 ? QString::number(e.player.birthYear) : QString(),
                           Decimal(s.points)};
        for (qsizetype k = 0; k < tieBreaks.size(); ++k) {
            const double v = s.values[size_t(k)];
            fields << (std::isnan(v) ? QString() : Decimal(v));
        }
        csv.Row(fields);
    }
    return csv.Bytes();
}

QString WallChartReport(const Tournament& t) {
    QString body = QStringLiteral("<table class=\"wallchart\">\n<thead>\n<tr><th>№</th>"
                                  "<th class=\"name\">Участник</th><th>Рейтинг</th>");
    for (int r = 1; r <= t.PairedRounds(); ++r)
        body += QStringLiteral("<th>%1</th>").arg(r);
    body += QStringLiteral("<th>Очки</th></tr>\n</thead>\n<tbody>\n");
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const Entrant& e = t.Entrants()[i];
        body += (e.withdrawnFrom > 0 ? QStringLiteral("<tr class=\"withdrawn\">")
                                     : QStringLiteral("<tr>")) +
                QStringLiteral("<td>%1</td><td class=\"name\">").arg(i + 1) +
                HtmlEscape(e.player.name) + QStringLiteral("</td><td>") +
                (e.player.rating > 0 ? QString::number(e.player.rating) : QString()) +
                QStringLiteral("</td>");
        for (const QString& cell : RoundRecord(t, i))
            body += QStringLiteral("<td>") + HtmlEscape(cell) + QStringLiteral("</td>");
        body += QStringLiteral("<td class=\"points\">") + PointsText(PlayerHalves(t, i)) +
                QStringLiteral("</td></tr>\n");
    }
    body += QStringLiteral("</tbody>\n</table>\n<h2>Положение участников</h2>\n") + StandingsHtml(t);
    return StandalonePage(t, t.Name() + QStringLiteral(" — сводная таблица"), body);
}

int ExportedRounds(const Tournament& t) {
    int rounds = 0;
    while (rounds < t.PairedRounds() && t.RoundComplete(rounds + 1))
        ++rounds;
    return rounds;
}

QByteArray TrfExport(const Tournament& t, TrfKind kind) {
    velmora::swiss::Tournament e = ToEngine(t, ExportedRounds(t) + 1);
    // The acceleration's virtual points are written out player by player; the reader takes
    // them as they are and needs no flag to compute them again.
    const std::string text = velmora::swiss::writeTrf(
        e, kind == TrfKind::Trf2026 ? velmora::swiss::TrfVersion::Trf2026
                                    : velmora::swiss::TrfVersion::Trf16);
    return QByteArray(text.data(), qsizetype(text.size()));
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
    text += QStringLiteral("Швейцарская система, ") +
            RoundsPlayedText(t.CompletedRounds(), t.TotalRounds()) +
            QStringLiteral("\n\nУчастники\n");
    for (int i = 0; i < t.PlayerCount(); ++i)
        text += QStringLiteral("%1. ").arg(i + 1) + PlayerLine(t.PlayerAt(i)) +
                (t.Entrants()[i].withdrawnFrom > 0 ? QStringLiteral(" (выбыл)") : QString()) +
                u'\n';
    for (int r = 1; r <= t.PairedRounds(); ++r) {
        text += QStringLiteral("\n%1 тур\n").arg(r);
        for (const Board& b : t.Boards()) {
            if (b.round != r)
                continue;
            if (b.IsBye()) {
                text += QStringLiteral("  свободен от игры: ") + t.PlayerAt(b.white).name + u'\n';
                continue;
            }
            const QString result = b.result.Text();
            text += QStringLiteral("  %1. ").arg(b.board) + t.PlayerAt(b.white).name +
                    QStringLiteral(" — ") + t.PlayerAt(b.black).name + u' ' +
                    (result.isEmpty() ? QStringLiteral("не сыграна") : result) + u'\n';
        }
    }
    text += QStringLiteral("\nПоложение участников\n");
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    for (const Standing& s : ComputeStandings(t)) {
        QString line = PlaceText(s) + QStringLiteral(". ") + t.PlayerAt(s.player).name +
                       QStringLiteral(" — ") + PointsText(s.points, Fractions::Glyphs);
        for (qsizetype k = 0; k < tieBreaks.size(); ++k) {
            const QString value = ValueText(tieBreaks[k], s.values[size_t(k)], Fractions::Glyphs);
            if (!value.isEmpty())
                line += QStringLiteral("; ") + TieBreakShortName(tieBreaks[k]) + u' ' + value;
        }
        text += line + u'\n';
    }
    if (!info.notes.isEmpty())
        text += QStringLiteral("\nПримечания\n") + info.notes + u'\n';
    return text;
}

QByteArray ReportContent(const Tournament& t, Report report) {
    switch (report) {
    case Report::Pairings:
        return PairingsReport(t).toUtf8();
    case Report::StandingsCsv:
        return StandingsCsv(t);
    case Report::WallChart:
        return WallChartReport(t).toUtf8();
    case Report::Trf:
        return TrfExport(t);
    case Report::Trf2026:
        return TrfExport(t, TrfKind::Trf2026);
    case Report::Protocol:
        return ProtocolText(t).toUtf8();
    }
    return {};
}

} // namespace sw
