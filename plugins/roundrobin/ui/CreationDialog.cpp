#include "CreationDialog.h"

#include "SettingsEditor.h"

#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rr::ui {

CreationDialog::CreationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("creationDialog"));
    setWindowTitle(QStringLiteral("Параметры круговой системы"));
    const Settings defaults = DefaultSettings(ResultKind::Games);

    m_cycles = new QSpinBox(this);
    m_cycles->setObjectName(QStringLiteral("cycles"));
    m_cycles->setRange(1, kMaxCycles);
    m_cycles->setValue(defaults.cycles);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("resultKind"));
    m_kind->addItem(QStringLiteral("Результаты партий (1–0, ½–½, 0–1)"));
    m_kind->addItem(QStringLiteral("Счёт (например, 3:1)"));
    m_editor = new SettingsEditor(defaults, this);
    m_editor->setObjectName(QStringLiteral("settingsEditor"));
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor->SetKind(index == 1 ? ResultKind::Scores : ResultKind::Games);
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Число &кругов:"), m_cycles);
    form->addRow(QStringLiteral("&Результаты:"), m_kind);
    auto* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_editor);
    layout->addWidget(buttons);
}

Settings CreationDialog::GetSettings() const {
    Settings s =
        DefaultSettings(m_kind->currentIndex() == 1 ? ResultKind::Scores : ResultKind::Games);
    s.cycles = m_cycles->value();
    return m_editor->Apply(s);
}

} // namespace rr::ui
