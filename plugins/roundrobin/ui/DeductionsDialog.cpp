#include "DeductionsDialog.h"

#include "TablePage.h"
#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace rr::ui {

using namespace kit::ui;

QString DeductionLine(const Tournament& t, const Deduction& d) {
    return t.Players()[d.player].name + QStringLiteral(": ") + PointsWithNoun(d.halves) +
           QStringLiteral(" — ") + d.reason;
}

DeductionsDialog::DeductionsDialog(const Tournament& t, const QList<Deduction>& deductions,
                                   QWidget* parent)
    : QDialog(parent), m_t(t), m_deductions(deductions) {
    setObjectName(QStringLiteral("deductionsDialog"));
    setWindowTitle(QStringLiteral("Снятие очков"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("deductionList"));
    auto* remove = new QPushButton(QStringLiteral("&Отменить снятие"), this);
    remove->setObjectName(QStringLiteral("removeDeduction"));
    connect(remove, &QPushButton::clicked, this, [this] { Remove(); });

    m_player = new QComboBox(this);
    m_player->setObjectName(QStringLiteral("deductionPlayer"));
    for (int i = 0; i < t.PlayerCount(); ++i)
        m_player->addItem(QStringLiteral("%1. ").arg(i + 1) + t.Players()[i].name);
    m_points = new QDoubleSpinBox(this);
    m_points->setObjectName(QStringLiteral("deductionPoints"));
    m_points->setDecimals(1);
    m_points->setSingleStep(0.5);
    m_points->setRange(0.5, kMaxDeduction / 2.0);
    m_points->setValue(t.GetSettings().points.win / 2.0);
    m_reason = new QLineEdit(this);
    m_reason->setObjectName(QStringLiteral("deductionReason"));
    m_reason->setMaxLength(200);
    auto* add = new QPushButton(QStringLiteral("&Снять очки"), this);
    add->setObjectName(QStringLiteral("addDeduction"));
    connect(add, &QPushButton::clicked, this, [this] { Add(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Участник:"), m_player);
    form->addRow(QStringLiteral("&Очков:"), m_points);
    form->addRow(QStringLiteral("&Причина:"), m_reason);
    form->addRow(QString(), add);
    auto* group = new QGroupBox(QStringLiteral("Новое снятие"), this);
    group->setLayout(form);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Снятые очки вычитаются из очков участника в "
                                                "таблице; показатели соперников не меняются."),
                                 this));
    layout->addWidget(m_list);
    layout->addWidget(remove, 0, Qt::AlignLeft);
    layout->addWidget(group);
    layout->addWidget(OkCancelButtons(this));
    m_player->setEnabled(t.PlayerCount() > 0);
    add->setEnabled(t.PlayerCount() > 0);
    Fill();
}

void DeductionsDialog::Fill() {
    m_list->clear();
    for (const Deduction& d : m_deductions)
        m_list->addItem(DeductionLine(m_t, d));
    if (!m_deductions.isEmpty())
        m_list->setCurrentRow(int(m_deductions.size()) - 1);
}

void DeductionsDialog::Add() {
    Deduction d;
    d.player = m_player->currentIndex();
    d.halves = int(std::lround(m_points->value() * 2));
    d.reason = m_reason->text().trimmed();
    if (d.player < 0 || d.player >= m_t.PlayerCount())
        return;
    if (d.reason.isEmpty()) {
        ShowError(QStringLiteral("Укажите причину снятия очков: она будет видна в таблице."));
        return;
    }
    m_deductions.append(d);
    m_reason->clear();
    Fill();
}

void DeductionsDialog::Remove() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_deductions.size())
        return;
    m_deductions.removeAt(row);
    Fill();
}

} // namespace rr::ui
