#include "ResultDialog.h"

namespace rr::ui {

namespace {
QString Caption(const Tournament& t, int game) {
    const Game& g = t.Games()[size_t(game)];
    if (t.GetSettings().kind == ResultKind::Scores)
        return QStringLiteral("%1 тур").arg(g.round);
    return QStringLiteral("%1 тур, доска %2").arg(g.round).arg(g.board);
}
} // namespace

ResultDialog::ResultDialog(const Tournament& t, int game, QWidget* parent)
    : OutcomeDialog(Caption(t, game), t.Players()[t.Games()[size_t(game)].white].name,
                    t.Players()[t.Games()[size_t(game)].black].name,
                    t.GetSettings().kind == ResultKind::Scores, t.Games()[size_t(game)].result,
                    parent) {}

} // namespace rr::ui
