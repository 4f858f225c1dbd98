#include "PairingDialog.h"

#include "Text.h"
#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::ui {

using namespace kit::ui;

namespace {

enum Choice { Plays = 0, HalfBye = 1, ZeroBye = 2 };

QTableWidget* Table(QWidget* parent, const QStringList& headers, int rows, const char* name) {
    auto* table = new QTableWidget(rows, int(headers.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableWidgetItem* Cell(const QString& text) {
    return new QTableWidgetItem(text);
}

} // namespace

ByesDialog::ByesDialog(const Tournament& t, int round, QWidget* parent)
    : QDialog(parent), m_t(t), m_round(round) {
    setObjectName(QStringLiteral("byesDialog"));
    setWindowTitle(QStringLiteral("Жеребьёвка %1 тура").arg(round));
    for (int i = 0; i < t.PlayerCount(); ++i)
        if (t.Active(i, round))
            m_players.append(i);
    m_table = Table(this, {QStringLiteral("№"), QStringLiteral("Участник"), QStringLiteral("Очки"),
                           QStringLiteral("В этом туре")},
                    int(m_players.size()), "players");
    for (int row = 0; row < m_players.size(); ++row) {
        const int p = m_players[row];
        m_table->setItem(row, 0, Cell(QString::number(p + 1)));
        m_table->setItem(row, 1, Cell(t.PlayerAt(p).name));
        int halves = 0;
        for (const Board& b : t.Boards()) {
            if (b.IsBye() && b.white == p)
                halves += t.GetSettings().points.win;
            else if (!b.IsBye() && (b.white == p || b.black == p))
                halves += PointsFor(ForSide(b.result, b.white == p ? Side::White : Side::Black),
                                    t.GetSettings().points);
        }
        m_table->setItem(row, 2, Cell(PointsText(halves)));
        auto* choice = new QComboBox(m_table);
        choice->setObjectName(QStringLiteral("choice%1").arg(p + 1));
        choice->addItems({QStringLiteral("Играет"), QStringLiteral("Пропуск тура за ½ очка"),
                          QStringLiteral("Не явится (0 очков)")});
        if (const RoundBye* bye = t.ByeOf(p, round))
            choice->setCurrentIndex(bye->kind == ByeKind::Half ? HalfBye : ZeroBye);
        m_table->setCellWidget(row, 3, choice);
    }
    m_table->resizeColumnsToContents();
    auto* note = new QLabel(QStringLiteral("Отметьте тех, кто пропускает тур; остальные будут "
                                           "разведены по голландской системе ФИДЕ."),
                            this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_table);
    layout->addWidget(OkCancelButtons(this));
    resize(560, 480);
}

QList<RoundBye> ByesDialog::GetByes() const {
    QList<RoundBye> byes;
    for (const RoundBye& b : m_t.Byes())
        if (b.round != m_round)
            byes.append(b);
    for (int row = 0; row < m_players.size(); ++row) {
        const auto* choice = static_cast<QComboBox*>(m_table->cellWidget(row, 3));
        if (choice->currentIndex() == HalfBye)
            byes.append({m_round, m_players[row], ByeKind::Half});
        else if (choice->currentIndex() == ZeroBye)
            byes.append({m_round, m_players[row], ByeKind::Zero});
    }
    return byes;
}

PairingPreview::PairingPreview(const Tournament& t, const std::vector<Board>& boards,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("pairingPreview"));
    const int round = boards.empty() ? t.PairedRounds() + 1 : boards.front().round;
    setWindowTitle(QStringLiteral("Пары %1 тура").arg(round));
    auto* table = Table(this, {QStringLiteral("Доска"), QStringLiteral("Белые"),
                               QStringLiteral("Чёрные")},
                        int(boards.size()), "boards");
    for (int row = 0; row < int(boards.size()); ++row) {
        const Board& b = boards[size_t(row)];
        const QString white = QStringLiteral("%1. %2").arg(b.white + 1).arg(t.PlayerAt(b.white).name);
        table->setItem(row, 0, Cell(b.IsBye() ? QString() : QString::number(b.board)));
        table->setItem(row, 1, Cell(white));
        table->setItem(row, 2, Cell(b.IsBye() ? QStringLiteral("свободен от игры")
                                              : QStringLiteral("%1. %2")
                                                    .arg(b.black + 1)
                                                    .arg(t.PlayerAt(b.black).name)));
    }
    table->resizeColumnsToContents();
    auto* note = new QLabel(QStringLiteral("«ОК» вносит пары в турнир; «Отмена» оставляет тур "
                                           "неразведённым."),
                            this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(note);
    layout->addWidget(OkCancelButtons(this));
    resize(600, 480);
}

} // namespace sw::ui
