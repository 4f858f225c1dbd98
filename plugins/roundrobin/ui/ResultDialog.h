#pragma once

#include "OutcomeDialog.h"
#include "Tournament.h"

namespace rr::ui {

using namespace kit::ui;

// The result of one game of the schedule, starting from the result already entered.
class ResultDialog : public OutcomeDialog {
public:
    ResultDialog(const Tournament& tournament, int game, QWidget* parent = nullptr);
};

} // namespace rr::ui
