#pragma once

#include "Result.h"

#include <QDialog>

class QButtonGroup;
class QSpinBox;

namespace kit::ui {

// Entering or changing the result of one game: the outcomes of a game, or a score and the
// forfeits for team sports. Starts from `current`, if set. OK stays disabled until an
// outcome is chosen.
class OutcomeDialog : public QDialog {
public:
    // `heading` says which game ("3 тур, доска 2"); the two sides are shown as typed.
    OutcomeDialog(const QString& heading, const QString& white, const QString& black, bool scores,
                  const Result& current, QWidget* parent = nullptr);
    Result GetResult() const;

private:
    bool m_scores;
    QButtonGroup* m_outcomes;
    QSpinBox* m_home = nullptr;
    QSpinBox* m_away = nullptr;
};

} // namespace kit::ui
