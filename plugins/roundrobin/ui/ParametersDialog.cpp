#include "ParametersDialog.h"

#include "DeductionsDialog.h"
#include "SettingsEditor.h"
#include "WithdrawalBox.h"

#include "Ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rr::ui {

ParametersDialog::ParametersDialog(const Tournament& t, QWidget* parent)
    : QDialog(parent), m_base(t.GetSettings()), m_deductions(t.Deductions()) {
    setObjectName(QStringLiteral("parametersDialog"));
    setWindowTitle(QStringLiteral("Параметры турнира"));
    auto* fixed = new QLabel(QStringLiteral("Кругов: %1. Результаты: %2.")
                                 .arg(m_base.cycles)
                                 .arg(m_base.kind == ResultKind::Games
                                          ? QStringLiteral("партии (1–0, ½–½, 0–1)")
                                          : QStringLiteral("счёт")),
                             this);
    fixed->setObjectName(QStringLiteral("fixedSettings"));
    m_editor = new SettingsEditor(m_base, this);
    m_editor->setObjectName(QStringLiteral("settingsEditor"));
    m_nearestAll = new QCheckBox(
        QStringLiteral("Показывать в ближайших &все несыгранные встречи, а не только одного тура"),
        this);
    m_nearestAll->setObjectName(QStringLiteral("nearestAll"));
    m_nearestAll->setChecked(m_base.nearestAll);

    m_withdrawn = new WithdrawalBox(t, this);

    // Penalties are a matter of the rules, like withdrawals: they are kept with them.
    auto* deductions = new QPushButton(QStringLiteral("Сн&ятие очков…"), this);
    deductions->setObjectName(QStringLiteral("deductionsButton"));
    connect(deductions, &QPushButton::clicked, this, [this, &t] {
        DeductionsDialog dialog(t, m_deductions, this);
        if (RunDialog(dialog) == QDialog::Accepted)
            m_deductions = dialog.GetDeductions();
    });

    auto* buttons = OkCancelButtons(this);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(m_editor);
    left->addWidget(m_nearestAll);
    left->addWidget(deductions, 0, Qt::AlignLeft);
    columns->addLayout(left);
    columns->addWidget(m_withdrawn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fixed);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

Settings ParametersDialog::GetSettings() const {
    Settings s = m_editor->Apply(m_base);
    s.nearestAll = m_nearestAll->isChecked();
    return s;
}

QList<bool> ParametersDialog::GetWithdrawn() const {
    return m_withdrawn->GetWithdrawn();
}

QList<Withdrawal> ParametersDialog::GetWithdrawals() const {
    return m_withdrawn->GetWithdrawals();
}

} // namespace rr::ui
