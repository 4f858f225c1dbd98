#pragma once

#include "DetailsDialog.h"
#include "Tournament.h"

namespace rr::ui {

using namespace kit::ui;

// The tournament's details, editable, and its figures so far.
class InfoDialog : public DetailsDialog {
public:
    explicit InfoDialog(const Tournament& tournament, QWidget* parent = nullptr);
};

// "Иванов Иван (5½)", or several names when the lead is shared; "" before any result.
QString LeaderText(const Tournament& tournament);

} // namespace rr::ui
