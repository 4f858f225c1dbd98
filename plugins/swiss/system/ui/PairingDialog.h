#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

#include <vector>

class QComboBox;
class QTableWidget;

namespace sw::ui {

// Before a round is paired: who plays, who asked for a half-point bye and who is away (a
// zero-point bye), one line per player still in the tournament; and who joins late, with
// what the rounds he missed are worth.
class ByesDialog : public QDialog {
public:
    ByesDialog(const Tournament& tournament, int round, QWidget* parent = nullptr);
    // The tournament's byes with this round's replaced by the choices made here.
    QList<RoundBye> GetByes() const;
    // The late entrants added here, in the order added, and their missed rounds' bye.
    const QList<Entrant>& GetLateEntrants() const { return m_late; }
    ByeKind MissedRounds() const;

private:
    void AddLateEntrant();

    const Tournament& m_t;
    int m_round;
    QList<int> m_players;
    QList<Entrant> m_late;
    QTableWidget* m_table;
    QComboBox* m_missed;
};

// The pairing the rules made, board by board, for the organiser to accept before it is
// entered. Two players picked in the table can change places ("Поменять местами"): a swap
// that breaks a rule is made only after a warning that names the rule and the players.
class PairingPreview : public QDialog {
public:
    PairingPreview(const Tournament& tournament, const std::vector<Board>& boards,
                   QWidget* parent = nullptr);
    const std::vector<Board>& GetBoards() const { return m_boards; }

private:
    void Fill();
    void SwapSelected();

    const Tournament& m_t;
    std::vector<Board> m_boards;
    QTableWidget* m_table;
};

} // namespace sw::ui
