#include "Settings.h"

namespace sw {

QList<TieBreakPreset> TieBreakPresets() {
    return {
        {QStringLiteral("Открытый турнир ФИДЕ"),
         {TieBreak::BuchholzCut1, TieBreak::Buchholz, TieBreak::SonnebornBerger,
          TieBreak::ProgressiveScore, TieBreak::DirectEncounter}},
        {QStringLiteral("Школьный турнир"),
         {TieBreak::Buchholz, TieBreak::DirectEncounter, TieBreak::Wins, TieBreak::BlackGames}},
        {QStringLiteral("Быстрые шахматы"),
         {TieBreak::BuchholzCut1, TieBreak::Buchholz, TieBreak::Wins,
          TieBreak::AverageRatingOfOpponentsCut1}},
    };
}

QList<TieBreak> SwissTieBreaks() {
    return {TieBreak::BuchholzCut1,
            TieBreak::Buchholz,
            TieBreak::BuchholzMedian1,
            TieBreak::BuchholzCut2,
            TieBreak::SonnebornBerger,
            TieBreak::ProgressiveScore,
            TieBreak::ProgressiveCut1,
            TieBreak::DirectEncounter,
            TieBreak::Wins,
            TieBreak::WinsPlayed,
            TieBreak::BlackGames,
            TieBreak::BlackWins,
            TieBreak::AverageRatingOfOpponentsCut1,
            TieBreak::AverageRatingOfOpponents,
            TieBreak::PerformanceRating};
}

QString CheckSettings(const Settings& s) {
    if (s.rounds < kMinRounds || s.rounds > kMaxRounds)
        return QStringLiteral("число туров %1 вне пределов от %2 до %3")
            .arg(s.rounds)
            .arg(kMinRounds)
            .arg(kMaxRounds);
    for (int value : {s.points.win, s.points.draw, s.points.loss, s.points.forfeitLoss})
        if (value < kMinPoints || value > kMaxPoints)
            return QStringLiteral("очки за результат вне пределов от −10 до 10");
    // The pairing needs a win to be worth more than a draw, and a draw more than a loss:
    // score groups would otherwise not be ordered as the rules order them.
    if (!(s.points.win > s.points.draw && s.points.draw >= s.points.loss) ||
        s.points.forfeitLoss > s.points.loss)
        return QStringLiteral("победа должна давать больше очков, чем ничья, ничья — не меньше, "
                              "чем поражение, а неявка — не больше, чем поражение");
    const QList<TieBreak> allowed = SwissTieBreaks();
    for (qsizetype i = 0; i < s.tieBreaks.size(); ++i) {
        if (!allowed.contains(s.tieBreaks[i]))
            return QStringLiteral("показатель «%1» не применяется в швейцарской системе")
                .arg(TieBreakName(s.tieBreaks[i]));
        if (s.tieBreaks.indexOf(s.tieBreaks[i]) != i)
            return QStringLiteral("показатель «%1» указан дважды")
                .arg(TieBreakName(s.tieBreaks[i]));
    }
    return {};
}

} // namespace sw
