#include "Reports.h"

#include "BracketPage.h"
#include "Csv.h"
#include "Html.h"
#include "MatchLists.h"
#include "Standings.h"

#include <QFile>

#include <algorithm>

namespace ko {

namespace {

// The everyday skin, built into the module, so that a report carries its look inside.
QString EmbeddedStyle() {
    QFile css(QStringLiteral(":/knockout/style.css"));
    return css.open(QIODevice::ReadOnly) ? QString::fromUtf8(css.readAll()) : QString();
}

} // namespace

const QList<kit::ReportKind>& Reports() {
    static const QList<kit::ReportKind> reports{
        {QStringLiteral("Сетка и итоговые места"), QStringLiteral("htm")},
        {QStringLiteral("Расписание ближайших матчей"), QStringLiteral("htm")},
        {QStringLiteral("Результаты матчей (CSV)"), QStringLiteral("csv")},
        {QStringLiteral("Итоговые места (CSV)"), QStringLiteral("csv")}};
    return reports;
}

QString BracketReport(const Tournament& t) {
    return kit::StandalonePageStart(t.Name(), EmbeddedStyle()) + HeadingHtml(t) +
           BracketViewsHtml(t) + StandingsHtml(t) + kit::PageEnd();
}

QString ScheduleReport(const Tournament& t) {
    const QString style = EmbeddedStyle() +
                          QStringLiteral("\ntable.schedule { font-size: 1.6em; }\n");
    return kit::StandalonePageStart(t.Name(), style) + HeadingHtml(t) + ScheduleHtml(t) +
           kit::PageEnd();
}

QByteArray ResultsCsv(const Tournament& t) {
    kit::CsvWriter csv;
    csv.Row({QStringLiteral("Раунд"), QStringLiteral("Матч"), QStringLiteral("Участник 1"),
             QStringLiteral("Участник 2"), QStringLiteral("Счёт"), QStringLiteral("Победитель")});
    const std::vector<int> numbers = DisplayNumbers(t);
    QList<int> played = LastMatches(t);
    std::stable_sort(played.begin(), played.end(),
                     [&](int a, int b) { return numbers[size_t(a)] < numbers[size_t(b)]; });
    for (int m : played) {
        const MatchState& st = t.State(m);
        csv.Row({t.Shape().Title(m), QStringLiteral("М%1").arg(numbers[size_t(m)]),
                 t.SideName(st.side[0]), t.SideName(st.side[1]),
                 st.effective.Text(t.Format(), true),
                 st.winner.IsEntrant() ? t.SideName(st.winner) : QString()});
    }
    return csv.Bytes();
}

QByteArray StandingsCsv(const Tournament& t) {
    kit::CsvWriter csv;
    csv.Row({QStringLiteral("Место"), QStringLiteral("Посев"), QStringLiteral("Участник"),
             QStringLiteral("Рейтинг"), QStringLiteral("Клуб"), QStringLiteral("Выбыл")});
    for (const Standing& s : ComputeStandings(t)) {
        const Entrant& e = t.Entrants()[s.entrant];
        csv.Row({PlaceText(s), QString::number(s.entrant + 1), e.name,
                 e.rating > 0 ? QString::number(e.rating) : QString(), e.club,
                 s.match >= 0 ? t.Shape().Title(s.match) : QString()});
    }
    return csv.Bytes();
}

QByteArray ReportContent(const Tournament& t, Report report) {
    switch (report) {
    case Report::Bracket:
        return BracketReport(t).toUtf8();
    case Report::Schedule:
        return ScheduleReport(t).toUtf8();
    case Report::ResultsCsv:
        return ResultsCsv(t);
    case Report::StandingsCsv:
        return StandingsCsv(t);
    }
    return {};
}

} // namespace ko
