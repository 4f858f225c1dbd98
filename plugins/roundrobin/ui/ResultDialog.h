#pragma once

#include "Tournament.h"

#include <QDialog>

class QButtonGroup;
class QSpinBox;

namespace rr::ui {

// Entering or changing the result of one game: the outcomes of a game, or a score and the
// forfeits for team sports. Starts from the result already entered, if any.
class ResultDialog : public QDialog {
public:
    ResultDialog(const Tournament& tournament, int game, QWidget* parent = nullptr);
    Result GetResult() const;

private:
    bool m_scores;
    QButtonGroup* m_outcomes;
    QSpinBox* m_home = nullptr;
    QSpinBox* m_away = nullptr;
};

} // namespace rr::ui
