#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace ko::ui {

// The result of one match: the score of each game (or who won it), a decider for a level
// single game, or a walkover; and the table or court. Accepting checks the result, and asks
// before a new winner clears later matches, naming them.
class ResultDialog : public QDialog {
public:
    ResultDialog(const Tournament& tournament, int match, QWidget* parent = nullptr);

    // The result entered (None when only the court was set), and the court.
    MatchResult GetResult() const;
    QString GetCourt() const;

    void accept() override;

private:
    struct GameRow {
        QSpinBox* a = nullptr;
        QSpinBox* b = nullptr;
        QComboBox* winner = nullptr; // win/loss scoring
    };
    void Update();

    const Tournament& m_t;
    int m_match;
    QRadioButton* m_played;
    QRadioButton* m_walkover;
    QComboBox* m_walkoverKind;
    QList<GameRow> m_games;
    QComboBox* m_decider = nullptr;
    QSpinBox* m_deciderA = nullptr;
    QSpinBox* m_deciderB = nullptr;
    QLineEdit* m_court;
};

} // namespace ko::ui
