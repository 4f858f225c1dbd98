#include "Result.h"

#include <QStringList>

#include <algorithm>

namespace kit {

QString Result::Code() const {
    switch (outcome) {
    case Outcome::None:
        return {};
    case Outcome::WhiteWin:
        return QStringLiteral("1-0");
    case Outcome::Draw:
        return QStringLiteral("=");
    case Outcome::BlackWin:
        return QStringLiteral("0-1");
    case Outcome::ForfeitWhite:
        return QStringLiteral("+-");
    case Outcome::ForfeitBlack:
        return QStringLiteral("-+");
    case Outcome::DoubleForfeit:
        return QStringLiteral("--");
    case Outcome::Score:
        return QStringLiteral("%1:%2").arg(home).arg(away);
    }
    return {};
}

bool Result::Parse(const QString& code, Result* result) {
    static const Outcome simple[] = {
        Outcome::WhiteWin,     Outcome::Draw,          Outcome::BlackWin, Outcome::ForfeitWhite,
        Outcome::ForfeitBlack, Outcome::DoubleForfeit, Outcome::None};
    for (Outcome o : simple) {
        if (code == Result::Of(o).Code()) {
            *result = Result::Of(o);
            return true;
        }
    }
    const QStringList parts = code.split(u':');
    if (parts.size() != 2)
        return false;
    bool okHome = false, okAway = false;
    // Digits only: toInt would also take "+3" or " 3".
    for (const QString& part : parts)
        if (part.isEmpty() || part.size() > 3 ||
            std::any_of(part.begin(), part.end(), [](QChar c) { return c < u'0' || c > u'9'; }))
            return false;
    const int home = parts[0].toInt(&okHome), away = parts[1].toInt(&okAway);
    if (!okHome || !okAway || home > kMaxGoals || away > kMaxGoals)
        return false;
    *result = Result::Goals(home, away);
    return true;
}

QString Result::Text() const {
    switch (outcome) {
    case Outcome::None:
        return {};
    case Outcome::WhiteWin:
        return QStringLiteral("1–0");
    case Outcome::Draw:
        return QStringLiteral("½–½");
    case Outcome::BlackWin:
        return QStringLiteral("0–1");
    case Outcome::ForfeitWhite:
        return QStringLiteral("+:−");
    case Outcome::ForfeitBlack:
        return QStringLiteral("−:+");
    case Outcome::DoubleForfeit:
        return QStringLiteral("−:−");
    case Outcome::Score:
        return QStringLiteral("%1:%2").arg(home).arg(away);
    }
    return {};
}

SideOutcome ForSide(const Result& result, Side side) {
    SideOutcome s;
    const bool white = side == Side::White;
    switch (result.outcome) {
    case Outcome::None:
        return s;
    case Outcome::WhiteWin:
        s.win = white, s.loss = !white;
        break;
    case Outcome::BlackWin:
        s.win = !white, s.loss = white;
        break;
    case Outcome::Draw:
        s.draw = true;
        break;
    case Outcome::ForfeitWhite:
        s.win = white, s.loss = !white, s.forfeit = true;
        break;
    case Outcome::ForfeitBlack:
        s.win = !white, s.loss = white, s.forfeit = true;
        break;
    case Outcome::DoubleForfeit:
        s.loss = true, s.forfeit = true;
        break;
    case Outcome::Score:
        s.goalsFor = white ? result.home : result.away;
        s.goalsAgainst = white ? result.away : result.home;
        s.win = s.goalsFor > s.goalsAgainst;
        s.loss = s.goalsFor < s.goalsAgainst;
        s.draw = s.goalsFor == s.goalsAgainst;
        break;
    }
    s.decided = true;
    return s;
}

QString CellText(const Result& result, Side side, bool scores) {
    const SideOutcome s = ForSide(result, side);
    if (!s.decided)
        return {};
    if (s.forfeit)
        return s.win ? QStringLiteral("+") : QStringLiteral("−");
    if (scores)
        return QStringLiteral("%1:%2").arg(s.goalsFor).arg(s.goalsAgainst);
    return s.win ? QStringLiteral("1") : s.draw ? QStringLiteral("½") : QStringLiteral("0");
}

} // namespace kit
