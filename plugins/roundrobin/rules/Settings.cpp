#include "Settings.h"

namespace rr {

namespace {
struct TieBreakText {
    TieBreak tieBreak;
    const char* name;
    const char* shortName;
    const char* code;
};
const TieBreakText kTieBreaks[] = {
    {TieBreak::DirectEncounter, "Личная встреча", "Л.в.", "direct"},
    {TieBreak::Wins, "Число побед", "Поб.", "wins"},
    {TieBreak::SonnebornBerger, "Коэффициент Бергера", "Берг.", "sb"},
    {TieBreak::Koya, "Система Койя", "Койя", "koya"},
    {TieBreak::BlackGames, "Партии чёрными", "Чёрн.", "black"},
    {TieBreak::GoalDifference, "Разница мячей", "Разн.", "goal-difference"},
    {TieBreak::GoalsScored, "Забито мячей", "Заб.", "goals"},
    {TieBreak::HeadToHeadGoalDifference, "Разница мячей в личных встречах", "Л.разн.",
     "h2h-goal-difference"},
    {TieBreak::HeadToHeadGoals, "Забито мячей в личных встречах", "Л.заб.", "h2h-goals"},
};
const TieBreakText& Find(TieBreak t) {
    for (const TieBreakText& entry : kTieBreaks)
        if (entry.tieBreak == t)
            return entry;
    return kTieBreaks[0];
}
} // namespace

QString TieBreakName(TieBreak t) {
    return QString::fromUtf8(Find(t).name);
}
QString TieBreakShortName(TieBreak t) {
    return QString::fromUtf8(Find(t).shortName);
}
QString TieBreakCode(TieBreak t) {
    return QString::fromLatin1(Find(t).code);
}

bool TieBreakFromCode(const QString& code, TieBreak* tieBreak) {
    for (const TieBreakText& entry : kTieBreaks) {
        if (code == QLatin1String(entry.code)) {
            *tieBreak = entry.tieBreak;
            return true;
        }
    }
    return false;
}

QList<TieBreak> TieBreaksFor(ResultKind kind) {
    if (kind == ResultKind::Games)
        return {TieBreak::DirectEncounter, TieBreak::Wins, TieBreak::SonnebornBerger,
                TieBreak::Koya, TieBreak::BlackGames};
    return {TieBreak::DirectEncounter, TieBreak::GoalDifference,
            TieBreak::GoalsScored,     TieBreak::Wins,
            TieBreak::SonnebornBerger, TieBreak::Koya,
            TieBreak::HeadToHeadGoalDifference, TieBreak::HeadToHeadGoals};
}

Settings DefaultSettings(ResultKind kind) {
    Settings s;
    s.kind = kind;
    if (kind == ResultKind::Scores) {
        s.points = PointsPresets()[1].points;
        s.tieBreaks = {TieBreak::DirectEncounter, TieBreak::GoalDifference, TieBreak::GoalsScored,
                       TieBreak::Wins};
    }
    return s;
}

bool ResultAllowed(ResultKind kind, const Result& result) {
    if (!result.IsSet() || result.IsForfeit())
        return true;
    return (result.outcome == Outcome::Score) == (kind == ResultKind::Scores);
}

QString CheckSettings(const Settings& s) {
    if (s.cycles < 1 || s.cycles > kMaxCycles)
        return QStringLiteral("число кругов %1 вне пределов от 1 до %2")
            .arg(s.cycles)
            .arg(kMaxCycles);
    for (int value : {s.points.win, s.points.draw, s.points.loss, s.points.forfeitLoss})
        if (value < kMinPoints || value > kMaxPoints)
            return QStringLiteral("очки за результат вне пределов от −10 до 10");
    const QList<TieBreak> allowed = TieBreaksFor(s.kind);
    for (qsizetype i = 0; i < s.tieBreaks.size(); ++i) {
        if (!allowed.contains(s.tieBreaks[i]))
            return QStringLiteral("показатель «%1» не подходит для этого вида результатов")
                .arg(TieBreakName(s.tieBreaks[i]));
        if (s.tieBreaks.indexOf(s.tieBreaks[i]) != i)
            return QStringLiteral("показатель «%1» указан дважды")
                .arg(TieBreakName(s.tieBreaks[i]));
    }
    return {};
}

} // namespace rr
