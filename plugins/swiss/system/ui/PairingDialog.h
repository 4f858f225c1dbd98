#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

#include <vector>

class QTableWidget;

namespace sw::ui {

// Before a round is paired: who plays, who asked for a half-point bye and who is away (a
// zero-point bye), one line per player still in the tournament.
class ByesDialog : public QDialog {
public:
    ByesDialog(const Tournament& tournament, int round, QWidget* parent = nullptr);
    // The tournament's byes with this round's replaced by the choices made here.
    QList<RoundBye> GetByes() const;

private:
    const Tournament& m_t;
    int m_round;
    QList<int> m_players;
    QTableWidget* m_table;
};

// The pairing the rules made, board by board, for the organiser to accept before it is
// entered.
class PairingPreview : public QDialog {
public:
    PairingPreview(const Tournament& tournament, const std::vector<Board>& boards,
                   QWidget* parent = nullptr);
};

} // namespace sw::ui
