#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace ko {

enum class Format : std::uint8_t { Single = 0, Double = 1 };

enum class Section : std::uint8_t {
    Upper,      // the single-elimination bracket, or the upper bracket of a double one
    Lower,      // the losers' bracket
    ThirdPlace, // single elimination: the semi-finals' losers
    GrandFinal, // double elimination: upper winner against lower winner
    Reset       // the grand final's second match, when the lower winner won the first
};

// Where one side of a match comes from.
struct Source {
    enum class Kind : std::uint8_t { Line, Winner, Loser };
    Kind kind = Kind::Line;
    int index = 0; // a bracket line for Line, a match index otherwise
    bool operator==(const Source&) const = default;
};

struct MatchSpec {
    Section section = Section::Upper;
    int round = 1;  // 1-based within its section
    int number = 1; // 1-based within its round, top to bottom
    int count = 1;  // matches in that round
    Source side[2];
    int wave = 0; // when it can be played at the earliest: the lists' and pages' order
};

struct BracketOptions {
    Format format = Format::Single;
    bool thirdPlace = false; // single elimination
    bool reset = true;       // double elimination: the lower winner must win twice
    bool operator==(const BracketOptions&) const = default;
};

// The fixed structure of a bracket of `size` lines (a power of two, 2–256): every match with
// the sources of its two sides. Matches are stored so that every source comes before the
// match that uses it: the upper rounds, the lower rounds, then the third-place match or the
// grand final and its reset.
class BracketShape {
public:
    BracketShape(int size, const BracketOptions& options);

    int Size() const { return m_size; }
    int UpperRounds() const { return m_upperRounds; }
    int LowerRounds() const { return m_lowerRounds; }
    const BracketOptions& Options() const { return m_options; }
    const std::vector<MatchSpec>& Matches() const { return m_matches; }
    int MatchCount() const { return int(m_matches.size()); }
    const MatchSpec& Match(int index) const { return m_matches[size_t(index)]; }
    // The index of match `number` (1-based) of a round of a section, or -1.
    int Find(Section section, int round, int number = 1) const;

    // "1/4 финала, матч 3", "Нижняя сетка, раунд 2, матч 1", "Финал", "Суперфинал" …
    QString Title(int match) const;
    // The round's heading as a bracket page shows it: "1/4 финала", "Раунд 2" …
    QString RoundTitle(Section section, int round) const;

private:
    int Add(Section section, int round, int number, int count, Source a, Source b, int wave);

    int m_size = 2;
    int m_upperRounds = 1;
    int m_lowerRounds = 0;
    BracketOptions m_options;
    std::vector<MatchSpec> m_matches;
    std::vector<int> m_roundStart; // first match of each upper round, then each lower round
};

// Which upper match's loser drops into lower match `number` (0-based) of the lower round
// fed by upper round `upperRound`, of `count` matches. The order alternates from round to
// round so that a player who drops meets the lower players of another part of the bracket.
int DropSource(int upperRound, int number, int count);

} // namespace ko
