// The tournament state the pairing engine works from: players, the rounds they played, the
// point system and the options of the tournament. It is plain data so that the host's system
// can fill it from its own tournament without going through a TRF file.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora::swiss {

enum class Colour : signed char { None = 0, White = 1, Black = -1 };

inline Colour opposite(Colour c) {
    return c == Colour::White ? Colour::Black : c == Colour::Black ? Colour::White : Colour::None;
}

// What happened to a player in one round.
enum class Outcome : unsigned char {
    Win,          // played game won
    Draw,         // played game drawn
    Loss,         // played game lost
    ForfeitWin,   // opponent did not appear
    ForfeitLoss,  // did not appear
    PairingBye,   // the bye the pairing gave (no opponent)
    FullBye,      // a requested or awarded full-point bye
    HalfBye,      // a requested half-point bye
    ZeroBye,      // absent, zero points (also a round before a late entry)
};

struct RoundEntry {
    int opponent = 0; // starting number, 0 when there was no opponent
    Colour colour = Colour::None;
    Outcome outcome = Outcome::ZeroBye;

    bool played() const {
        return opponent != 0 &&
               (outcome == Outcome::Win || outcome == Outcome::Draw || outcome == Outcome::Loss);
    }
};

// Points are kept in tenths so that 1/0.5/0 and 3/1/0 systems stay exact integers.
struct PointSystem {
    int win = 10, draw = 5, loss = 0;
    int forfeitWin = 10, forfeitLoss = 0;
    int pairingBye = 10, fullBye = 10, halfBye = 5, zeroBye = 0;
    int points(Outcome o) const;
};

struct Player {
    int id = 0; // starting number, also the pairing number
    std::string name;
    std::string title;
    std::string sex;
    std::string federation;
    std::string fideId;
    std::string birth;
    int rating = 0;
    std::vector<RoundEntry> rounds; // rounds[0] is round 1
    bool withdrawn = false;         // takes no further part in the pairing
    // Virtual points added to the pairing score per round (accelerated pairings), in tenths;
    // accel[r-1] applies when pairing round r.
    std::vector<int> accel;
};

enum class ByeKind : unsigned char { Half, Zero, Full };

struct ByeRequest {
    int round = 0;
    int player = 0;
    ByeKind kind = ByeKind::Half;
};

// Players of whom no two may meet in the rounds from `firstRound` to `lastRound` (0: to the
// end), as a TRF-2026 "260" record or a TRF-16 "XXP" line gives them.
struct ForbiddenGroup {
    int firstRound = 1;
    int lastRound = 0;
    std::vector<int> players;
};

struct Tournament {
    std::string name;
    std::vector<Player> players;
    int totalRounds = 0;                  // 0 when unknown
    Colour initialColour = Colour::White; // colour of pairing number 1's side in round 1 (E.5)
    PointSystem points;
    std::vector<std::pair<int, int>> forbidden; // pairs that must not meet in the round to pair
    std::vector<ForbiddenGroup> forbiddenGroups; // as the file gave them, with their rounds
    std::vector<ByeRequest> byeRequests;
    bool bakuAcceleration = false;
    std::vector<std::string> otherLines; // TRF lines kept as they were, for writing back

    const Player* find(int id) const;
    // Rounds that have a pairing (a game or the pairing bye) somewhere.
    int pairedRounds() const;
};

struct Pair {
    int white = 0;
    int black = 0; // 0: the pairing-allocated bye goes to `white`
};

struct PairingResult {
    bool ok = false;
    std::string error;
    int round = 0;
    std::vector<Pair> pairs; // boards in order, the bye last
};

} // namespace velmora::swiss
