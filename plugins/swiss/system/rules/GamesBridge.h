#pragma once

// The Swiss tournament in the neutral game model's terms, kept apart from the kit's core
// headers: the game model names its own Player and Result, so the two never meet in one
// file. SwissStandings.cpp fills the input; GamesBridge.cpp runs the standings.
#include "TieBreak.h"

#include <QList>

#include <vector>

namespace sw::bridge {

enum class Kind {
    Pending,
    WhiteWin,
    Draw,
    BlackWin,
    WhiteForfeitWin,
    BlackForfeitWin,
    DoubleForfeit,
    PairingBye,
    FullBye,
    HalfBye,
    ZeroBye
};

struct InputGame {
    int round = 0;
    int board = 0;
    int white = 0; // start numbers; black is 0 for a bye
    int black = 0;
    Kind kind = Kind::Pending;
};

struct InputPlayer {
    int id = 0;
    int rating = 0;
    int withdrawnFrom = 0;
};

struct Input {
    double win = 1, draw = 0.5, loss = 0, forfeitLoss = 0;
    std::vector<InputPlayer> players;
    std::vector<InputGame> games;
};

struct Row {
    int player = 0; // start number
    double points = 0;
    std::vector<double> values; // one per tie-break; NaN where it does not apply
    int placeFrom = 0;
    int placeTo = 0;
};

// Best first, as the game model ranks them.
std::vector<Row> Rank(const Input& input, const QList<kit::TieBreak>& tieBreaks);

} // namespace sw::bridge
