#include "Bracket.h"

#include "Seeding.h"
#include "Text.h"

namespace ko {

int DropSource(int upperRound, int number, int count) {
    // Four orders in turn: reversed, halves swapped, both, as is. Each is a fixed bit
    // pattern XORed with the match number, so it keeps neighbouring matches together and
    // sends a dropping player to the half of the lower bracket farthest from the players it
    // has already beaten. Checked over every size by the tests of the crossing.
    int mask = 0;
    switch (upperRound % 4) {
    case 2:
        mask = count - 1;
        break;
    case 3:
        mask = count / 2;
        break;
    case 0:
        mask = (count - 1) ^ (count / 2);
        break;
    default:
        break;
    }
    return number ^ mask;
}

BracketShape::BracketShape(int size, const BracketOptions& options)
    : m_size(BracketSize(size)), m_upperRounds(RoundCount(m_size)), m_options(options) {
    const int k = m_upperRounds;
    using K = Source::Kind;
    // Upper rounds. A round's wave: 1 for the first; then every upper round after the first
    // goes with the lower round that it feeds, so that both brackets move together.
    for (int r = 1; r <= k; ++r) {
        const int count = m_size >> r;
        const int prev = r > 1 ? m_roundStart[size_t(r - 2)] : 0;
        m_roundStart.push_back(MatchCount());
        const int wave = r == 1 ? 1 : 2 * r - 2;
        for (int j = 0; j < count; ++j) {
            if (r == 1)
                Add(Section::Upper, r, j + 1, count, {K::Line, 2 * j}, {K::Line, 2 * j + 1}, wave);
            else
                Add(Section::Upper, r, j + 1, count, {K::Winner, prev + 2 * j},
                    {K::Winner, prev + 2 * j + 1}, wave);
        }
    }
    const int upperFinal = MatchCount() - 1;
    auto upperStart = [&](int r) { return m_roundStart[size_t(r - 1)]; };

    if (options.format == Format::Single) {
        if (options.thirdPlace && k >= 2) {
            const int semis = upperStart(k - 1);
            Add(Section::ThirdPlace, 1, 1, 1, {K::Loser, semis}, {K::Loser, semis + 1}, 2 * k - 2);
        }
        return;
    }

    // Lower bracket: round 1 pairs the first round's losers; then a drop-in round (the last
    // lower winners against the next upper round's losers) and, but for the last, a round
    // that halves the field.
    int lowerWinner = -1; // the match whose winner is the lower bracket's champion
    if (k >= 2) {
        int lowerRound = 1;
        const int count1 = m_size >> 2;
        m_roundStart.push_back(MatchCount());
        for (int i = 0; i < count1; ++i)
            Add(Section::Lower, lowerRound, i + 1, count1, {K::Loser, upperStart(1) + 2 * i},
                {K::Loser, upperStart(1) + 2 * i + 1}, 2);
        int prev = m_roundStart.back();
        for (int r = 2; r <= k; ++r) {
            const int count = m_size >> r;
            ++lowerRound;
            m_roundStart.push_back(MatchCount());
            for (int i = 0; i < count; ++i)
                Add(Section::Lower, lowerRound, i + 1, count, {K::Winner, prev + i},
                    {K::Loser, upperStart(r) + DropSource(r, i, count)}, lowerRound + 1);
            prev = m_roundStart.back();
            if (r == k)
                break;
            ++lowerRound;
            m_roundStart.push_back(MatchCount());
            for (int i = 0; i < count / 2; ++i)
                Add(Section::Lower, lowerRound, i + 1, count / 2, {K::Winner, prev + 2 * i},
                    {K::Winner, prev + 2 * i + 1}, lowerRound + 1);
            prev = m_roundStart.back();
        }
        m_lowerRounds = lowerRound;
        lowerWinner = MatchCount() - 1;
    }
    // With two lines there is no lower bracket: the final's loser goes straight to the
    // grand final for the second chance.
    const Source lowerSide = lowerWinner >= 0 ? Source{K::Winner, lowerWinner}
                                              : Source{K::Loser, upperFinal};
    const int wave = m_lowerRounds + 2;
    const int grand =
        Add(Section::GrandFinal, 1, 1, 1, {K::Winner, upperFinal}, lowerSide, wave);
    if (options.reset)
        Add(Section::Reset, 1, 1, 1, {K::Winner, grand}, {K::Loser, grand}, wave + 1);
}

int BracketShape::Add(Section section, int round, int number, int count, Source a, Source b,
                      int wave) {
    MatchSpec m;
    m.section = section;
    m.round = round;
    m.number = number;
    m.count = count;
    m.side[0] = a;
    m.side[1] = b;
    m.wave = wave;
    m_matches.push_back(m);
    return MatchCount() - 1;
}

int BracketShape::Find(Section section, int round, int number) const {
    for (int i = 0; i < MatchCount(); ++i) {
        const MatchSpec& m = m_matches[size_t(i)];
        if (m.section == section && m.round == round && m.number == number)
            return i;
    }
    return -1;
}

QString BracketShape::RoundTitle(Section section, int round) const {
    const bool twoBrackets = m_options.format == Format::Double;
    switch (section) {
    case Section::Upper:
        if (!twoBrackets)
            return RoundName(round, m_upperRounds);
        return round == m_upperRounds ? QStringLiteral("Верхняя сетка, финал")
                                      : QStringLiteral("Верхняя сетка, раунд %1").arg(round);
    case Section::Lower:
        return round == m_lowerRounds ? QStringLiteral("Нижняя сетка, финал")
                                      : QStringLiteral("Нижняя сетка, раунд %1").arg(round);
    case Section::ThirdPlace:
        return QStringLiteral("Матч за 3-е место");
    case Section::GrandFinal:
        return QStringLiteral("Финал");
    case Section::Reset:
        return QStringLiteral("Суперфинал");
    }
    return {};
}

QString BracketShape::Title(int match) const {
    if (match < 0 || match >= MatchCount())
        return {};
    const MatchSpec& m = Match(match);
    QString title = RoundTitle(m.section, m.round);
    if (m.count > 1)
        title += QStringLiteral(", матч %1").arg(m.number);
    return title;
}

} // namespace ko
