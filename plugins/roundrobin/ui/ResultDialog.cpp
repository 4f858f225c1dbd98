#include "ResultDialog.h"

namespace rr::ui {

ResultDialog::ResultDialog(const Tournament& t, int game, QWidget* parent)
    : OutcomeDialog(QStringLiteral("%1 тур, доска %2")
                        .arg(t.Games()[size_t(game)].round)
                        .arg(t.Games()[size_t(game)].board),
                    t.Players()[t.Games()[size_t(game)].white].name,
                    t.Players()[t.Games()[size_t(game)].black].name,
                    t.GetSettings().kind == ResultKind::Scores, t.Games()[size_t(game)].result,
                    parent) {}

} // namespace rr::ui
