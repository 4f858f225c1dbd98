#include "TieBreak.h"

#include <array>
#include <cmath>

namespace kit {

namespace {

struct Names {
    TieBreak tieBreak;
    const char* code;
    const char* name;
    const char* shortName;
};

// Written once so that names, headings and file codes cannot drift apart.
const std::array<Names, 21> kNames{{
    {TieBreak::DirectEncounter, "direct", "Личная встреча", "Л.в."},
    {TieBreak::Wins, "wins", "Число побед", "Поб."},
    {TieBreak::WinsPlayed, "wins-played", "Победы в сыгранных партиях", "Поб.с."},
    {TieBreak::BlackGames, "black-games", "Партии чёрными", "Чёрн."},
    {TieBreak::BlackWins, "black-wins", "Победы чёрными", "Поб.ч."},
    {TieBreak::SonnebornBerger, "sonneborn-berger", "Коэффициент Зонненборна — Бергера", "Берг."},
    {TieBreak::SonnebornBergerCut1, "sonneborn-berger-cut1", "Бергер без худшего", "Берг.−1"},
    {TieBreak::Koya, "koya", "Система Койя", "Койя"},
    {TieBreak::Buchholz, "buchholz", "Коэффициент Бухгольца", "Бух."},
    {TieBreak::BuchholzCut1, "buchholz-cut1", "Бухгольц без худшего", "Бух.−1"},
    {TieBreak::BuchholzCut2, "buchholz-cut2", "Бухгольц без двух худших", "Бух.−2"},
    {TieBreak::BuchholzMedian1, "buchholz-median1", "Усечённый Бухгольц", "Мед.Бух."},
    {TieBreak::ProgressiveScore, "progressive", "Прогрессивный счёт", "Прогр."},
    {TieBreak::ProgressiveCut1, "progressive-cut1", "Прогрессивный счёт без первого тура",
     "Прогр.−1"},
    {TieBreak::AverageRatingOfOpponents, "aro", "Средний рейтинг соперников", "Ср.рейт."},
    {TieBreak::AverageRatingOfOpponentsCut1, "aro-cut1", "Средний рейтинг соперников без худшего",
     "Ср.рейт.−1"},
    {TieBreak::PerformanceRating, "performance", "Турнирный перформанс", "Перф."},
    {TieBreak::GoalDifference, "goal-difference", "Разница мячей", "Разн."},
    {TieBreak::Goals, "goals", "Забитые мячи", "Заб."},
    {TieBreak::HeadToHeadGoalDifference, "h2h-goal-difference", "Разница мячей в личных встречах",
     "Л.разн."},
    {TieBreak::HeadToHeadGoals, "h2h-goals", "Забитые мячи в личных встречах", "Л.заб."},
}};

const Names& Find(TieBreak tieBreak) {
    for (const Names& n : kNames) {
        if (n.tieBreak == tieBreak)
            return n;
    }
    return kNames[0];
}

} // namespace

QString TieBreakName(TieBreak tieBreak) {
    return QString::fromUtf8(Find(tieBreak).name);
}

QString TieBreakShortName(TieBreak tieBreak) {
    return QString::fromUtf8(Find(tieBreak).shortName);
}

QString TieBreakCode(TieBreak tieBreak) {
    return QString::fromLatin1(Find(tieBreak).code);
}

bool TieBreakFromCode(const QString& code, TieBreak* tieBreak) {
    for (const Names& n : kNames) {
        if (code == QLatin1String(n.code)) {
            *tieBreak = n.tieBreak;
            return true;
        }
    }
    return false;
}

QList<TieBreak> AllTieBreaks() {
    QList<TieBreak> all;
    for (const Names& n : kNames)
        all << n.tieBreak;
    return all;
}

bool NeedsGoals(TieBreak tieBreak) {
    return tieBreak == TieBreak::GoalDifference || tieBreak == TieBreak::Goals ||
           tieBreak == TieBreak::HeadToHeadGoalDifference || tieBreak == TieBreak::HeadToHeadGoals;
}

bool IsGroupTieBreak(TieBreak tieBreak) {
    return tieBreak == TieBreak::DirectEncounter ||
           tieBreak == TieBreak::HeadToHeadGoalDifference || tieBreak == TieBreak::HeadToHeadGoals;
}

} // namespace kit

namespace kit {

namespace {

QString WithMinus(double value, const QString& magnitude) {
    return value < 0 ? QChar(0x2212) + magnitude : magnitude;
}

} // namespace

QString PointsText(double points, Fractions fractions) {
    if (std::isnan(points))
        return {};
    const double magnitude = std::fabs(points);
    const double quarters = magnitude * 4;
    if (fractions == Fractions::Glyphs && std::fabs(quarters - std::round(quarters)) < 1e-9) {
        const long long q = std::llround(quarters);
        const long long whole = q / 4;
        static const char16_t glyph[] = {0, u'¼', u'½', u'¾'};
        QString text = whole > 0 || q % 4 == 0 ? QString::number(whole) : QString();
        if (q % 4 != 0)
            text += QChar(glyph[q % 4]);
        return WithMinus(points, text);
    }
    QString text = QString::number(magnitude, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    text.replace(u'.', u',');
    return WithMinus(points, text);
}

QString ValueText(TieBreak tieBreak, double value, Fractions fractions) {
    if (std::isnan(value))
        return {};
    switch (tieBreak) {
    case TieBreak::Wins:
    case TieBreak::WinsPlayed:
    case TieBreak::BlackGames:
    case TieBreak::BlackWins:
    case TieBreak::AverageRatingOfOpponents:
    case TieBreak::AverageRatingOfOpponentsCut1:
    case TieBreak::PerformanceRating:
    case TieBreak::GoalDifference:
    case TieBreak::Goals:
    case TieBreak::HeadToHeadGoalDifference:
    case TieBreak::HeadToHeadGoals:
        return WithMinus(value, QString::number(std::llround(std::fabs(value))));
    default:
        return PointsText(value, fractions);
    }
}

} // namespace kit
