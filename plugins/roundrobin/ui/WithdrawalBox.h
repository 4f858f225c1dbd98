#pragma once

#include "Tournament.h"

#include <QGroupBox>
#include <QList>

class QLabel;
class QListWidget;
class QRadioButton;

namespace rr::ui {

// Who has withdrawn, one tickable line per player in start-number order, and for the player
// selected the rule his games follow: forfeits round by round, or all results cancelled. The
// second is offered only to a player who has played fewer than half of his games, and the
// box says why when it is not. Unticking a player takes his withdrawal back.
class WithdrawalBox : public QGroupBox {
public:
    explicit WithdrawalBox(const Tournament& tournament, QWidget* parent = nullptr);
    QList<Withdrawal> GetWithdrawals() const; // one per player, by start number
    QList<bool> GetWithdrawn() const;

private:
    void ShowRule();   // the selected player's rule, and whether it may be changed
    void RuleChosen(); // a radio button clicked
    void Ticked(int row);

    const Tournament& m_t;
    QList<Withdrawal> m_rules; // Forfeits or Cancelled, kept while a player is unticked
    QListWidget* m_list;
    QRadioButton* m_forfeits;
    QRadioButton* m_cancel;
    QLabel* m_why;
};

} // namespace rr::ui
