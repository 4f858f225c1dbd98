#include "PairingDialog.h"

#include "HandPairing.h"
#include "PlayerDialog.h"
#include "SwissStandings.h"
#include "Text.h"
#include "Ui.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
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
        // The half-point byes of earlier rounds count as much as games.
        m_table->setItem(row, 2, Cell(PointsText(PlayerHalves(t, p))));
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
    auto* late = new QPushButton(QStringLiteral("&Опоздавший участник…"), this);
    late->setObjectName(QStringLiteral("addLateEntrant"));
    late->setAutoDefault(false);
    connect(late, &QPushButton::clicked, this, [this] { AddLateEntrant(); });
    m_missed = new QComboBox(this);
    m_missed->setObjectName(QStringLiteral("missedRounds"));
    m_missed->addItems({QStringLiteral("0 очков (C.04.2)"),
                        QStringLiteral("по ½ очка за тур, если так сказано в положении")});
    auto* lateRow = new QHBoxLayout;
    lateRow->addWidget(late);
    lateRow->addWidget(new QLabel(QStringLiteral("За пропущенные туры:"), this));
    lateRow->addWidget(m_missed, 1);
    // Round 1 is paired with the list as it stands: nobody is late for it.
    late->setEnabled(round > 1 && t.PlayerCount() < kMaxPlayers);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_table);
    layout->addLayout(lateRow);
    layout->addWidget(OkCancelButtons(this));
    resize(560, 480);
}

void ByesDialog::AddLateEntrant() {
    PlayerDialog dialog(Player{}, true, true, this);
    if (RunDialog(dialog) != QDialog::Accepted || dialog.GetPlayer().name.isEmpty())
        return;
    m_late.append({dialog.GetPlayer(), 0});
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, Cell(QStringLiteral("—")));
    m_table->setItem(row, 1, Cell(m_late.back().player.name));
    m_table->setItem(row, 2, Cell(QString()));
    m_table->setItem(row, 3, Cell(QStringLiteral("Опоздавший: играет с этого тура")));
}

ByeKind ByesDialog::MissedRounds() const {
    return m_missed->currentIndex() == 1 ? ByeKind::Half : ByeKind::Zero;
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
    : QDialog(parent), m_t(t), m_boards(boards) {
    setObjectName(QStringLiteral("pairingPreview"));
    const int round = boards.empty() ? t.PairedRounds() + 1 : boards.front().round;
    setWindowTitle(QStringLiteral("Пары %1 тура").arg(round));
    m_table = Table(this, {QStringLiteral("Доска"), QStringLiteral("Белые"),
                           QStringLiteral("Чёрные")},
                    int(boards.size()), "boards");
    m_table->setSelectionMode(QAbstractItemView::MultiSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    Fill();
    auto* swap = new QPushButton(QStringLiteral("&Поменять местами"), this);
    swap->setObjectName(QStringLiteral("swapPlayers"));
    swap->setAutoDefault(false);
    swap->setEnabled(false);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this, swap] { swap->setEnabled(m_table->selectedItems().size() == 2); });
    connect(swap, &QPushButton::clicked, this, [this] { SwapSelected(); });
    auto* note = new QLabel(QStringLiteral("Чтобы изменить пары, отметьте двух участников и "
                                           "нажмите «Поменять местами». «ОК» вносит пары в "
                                           "турнир; «Отмена» оставляет тур неразведённым."),
                            this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(swap, 0, Qt::AlignLeft);
    layout->addWidget(note);
    layout->addWidget(OkCancelButtons(this));
    resize(600, 480);
}

void PairingPreview::Fill() {
    const QSignalBlocker block(m_table);
    m_table->clearSelection();
    for (int row = 0; row < int(m_boards.size()); ++row) {
        const Board& b = m_boards[size_t(row)];
        m_table->setItem(row, 0, Cell(b.IsBye() ? QString() : QString::number(b.board)));
        m_table->setItem(row, 1, Cell(QStringLiteral("%1. %2").arg(b.white + 1).arg(m_t.PlayerAt(b.white).name)));
        auto* black = Cell(b.IsBye() ? QStringLiteral("свободен от игры")
                                     : QStringLiteral("%1. %2")
                                           .arg(b.black + 1)
                                           .arg(m_t.PlayerAt(b.black).name));
        if (b.IsBye())
            black->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, 2, black);
        m_table->item(row, 0)->setFlags(Qt::ItemIsEnabled);
    }
    m_table->resizeColumnsToContents();
}

void PairingPreview::SwapSelected() {
    const QList<QTableWidgetItem*> items = m_table->selectedItems();
    if (items.size() != 2)
        return;
    std::vector<Board> changed = m_boards;
    if (!SwapSeats(changed, {items[0]->row(), items[0]->column() == 2},
                   {items[1]->row(), items[1]->column() == 2}))
        return;
    // Only what the change itself breaks: the engine's pairing may already bend a rule it is
    // allowed to (colours in the last round).
    const QStringList before = PairingWarnings(m_t, m_boards);
    QStringList broken;
    for (const QString& w : PairingWarnings(m_t, changed))
        if (!before.contains(w))
            broken << QStringLiteral("• ") + w;
    if (!broken.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Швейцарская система"),
                        QStringLiteral("Это изменение нарушает правила ФИДЕ:\n\n%1\n\nВсё равно "
                                       "поменять?")
                            .arg(broken.join(u'\n')),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("ruleWarning"));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
        box.setDefaultButton(QMessageBox::No);
        if (RunDialog(box) != QMessageBox::Yes)
            return;
    }
    m_boards = changed;
    Fill();
}

} // namespace sw::ui
