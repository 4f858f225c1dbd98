#include "WithdrawalBox.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace rr::ui {

WithdrawalBox::WithdrawalBox(const Tournament& t, QWidget* parent)
    : QGroupBox(QStringLiteral("Выбывшие участники"), parent), m_t(t) {
    setObjectName(QStringLiteral("withdrawalBox"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("withdrawn"));
    for (int i = 0; i < t.PlayerCount(); ++i) {
        auto* item =
            new QListWidgetItem(QStringLiteral("%1. ").arg(i + 1) + t.Players()[i].name, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(t.Withdrawn(i) ? Qt::Checked : Qt::Unchecked);
        m_rules.append(t.WithdrawalOf(i) == Withdrawal::Cancelled ? Withdrawal::Cancelled
                                                                  : Withdrawal::Forfeits);
    }
    auto* hint = new QLabel(QStringLiteral("Отметьте выбывшего и выберите, как считать его "
                                           "встречи. Снимите отметку, чтобы вернуть участника: "
                                           "его результаты восстановятся."),
                            this);
    hint->setWordWrap(true);
    m_forfeits = new QRadioButton(
        QStringLiteral("Оставшиеся встречи — &неявки, по мере окончания туров"), this);
    m_forfeits->setObjectName(QStringLiteral("withdrawForfeits"));
    m_cancel = new QRadioButton(
        QStringLiteral("&Аннулировать все его результаты (сыграно меньше половины встреч)"), this);
    m_cancel->setObjectName(QStringLiteral("withdrawCancel"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_forfeits);
    group->addButton(m_cancel);
    m_why = new QLabel(this);
    m_why->setObjectName(QStringLiteral("withdrawWhy"));
    m_why->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_list);
    layout->addWidget(m_forfeits);
    layout->addWidget(m_cancel);
    layout->addWidget(m_why);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { ShowRule(); });
    connect(m_list, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { Ticked(m_list->row(item)); });
    connect(m_forfeits, &QRadioButton::clicked, this, [this] { RuleChosen(); });
    connect(m_cancel, &QRadioButton::clicked, this, [this] { RuleChosen(); });
    // The first withdrawn player, if any, so that his rule is in sight at once.
    int first = 0;
    for (int i = 0; i < t.PlayerCount(); ++i)
        if (t.Withdrawn(i)) {
            first = i;
            break;
        }
    if (t.PlayerCount() > 0)
        m_list->setCurrentRow(first);
    ShowRule();
}

void WithdrawalBox::ShowRule() {
    const int row = m_list->currentRow();
    const bool ticked = row >= 0 && m_list->item(row)->checkState() == Qt::Checked;
    const QSignalBlocker a(m_forfeits), b(m_cancel);
    m_forfeits->setEnabled(ticked);
    const Withdrawal rule = row >= 0 ? m_rules[row] : Withdrawal::Forfeits;
    (rule == Withdrawal::Cancelled ? m_cancel : m_forfeits)->setChecked(true);
    // Results already cancelled stay so until the player is returned or the rule changed; a
    // player may not have them cancelled once he has played half of his games.
    const bool mayCancel = row >= 0 && (m_t.MayCancel(row) || rule == Withdrawal::Cancelled);
    m_cancel->setEnabled(ticked && mayCancel);
    if (row < 0 || mayCancel) {
        m_why->clear();
        m_why->hide();
        return;
    }
    m_why->setText(QStringLiteral("Аннулировать результаты участника «%1» нельзя: он сыграл %2 из "
                                  "%3 встреч, а это не меньше половины.")
                       .arg(m_t.Players()[row].name)
                       .arg(m_t.PlayedBy(row))
                       .arg(m_t.GamesOf(row)));
    m_why->show();
}

void WithdrawalBox::RuleChosen() {
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_rules[row] = m_cancel->isChecked() ? Withdrawal::Cancelled : Withdrawal::Forfeits;
}

void WithdrawalBox::Ticked(int row) {
    if (row < 0)
        return;
    if (row != m_list->currentRow())
        m_list->setCurrentRow(row); // the rule shown is the player's just ticked
    ShowRule();
}

QList<Withdrawal> WithdrawalBox::GetWithdrawals() const {
    QList<Withdrawal> withdrawals;
    for (int i = 0; i < m_list->count(); ++i)
        withdrawals.append(m_list->item(i)->checkState() == Qt::Checked ? m_rules[i]
                                                                        : Withdrawal::None);
    return withdrawals;
}

QList<bool> WithdrawalBox::GetWithdrawn() const {
    QList<bool> flags;
    for (Withdrawal w : GetWithdrawals())
        flags.append(w != Withdrawal::None);
    return flags;
}

} // namespace rr::ui
