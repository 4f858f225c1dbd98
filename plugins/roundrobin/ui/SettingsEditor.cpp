#include "SettingsEditor.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace rr::ui {

namespace {
QDoubleSpinBox* PointsBox(const char* name, int halves, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(kMinPoints / 2.0, kMaxPoints / 2.0);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setValue(halves / 2.0);
    return box;
}
int Halves(const QDoubleSpinBox* box) {
    return int(std::lround(box->value() * 2));
}
constexpr int kTieBreakRole = Qt::UserRole;
} // namespace

SettingsEditor::SettingsEditor(const Settings& settings, QWidget* parent)
    : QWidget(parent), m_kind(settings.kind) {
    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("pointsPreset"));
    for (const PointsPreset& preset : PointsPresets())
        m_preset->addItem(preset.name);
    m_preset->addItem(QStringLiteral("Свои значения"));
    m_win = PointsBox("winPoints", settings.points.win, this);
    m_draw = PointsBox("drawPoints", settings.points.draw, this);
    m_loss = PointsBox("lossPoints", settings.points.loss, this);
    m_forfeitLoss = PointsBox("forfeitLossPoints", settings.points.forfeitLoss, this);

    auto* pointsBox = new QGroupBox(QStringLiteral("Очки"), this);
    auto* form = new QFormLayout(pointsBox);
    form->addRow(QStringLiteral("&Как считать:"), m_preset);
    form->addRow(QStringLiteral("За &победу:"), m_win);
    form->addRow(QStringLiteral("За &ничью:"), m_draw);
    form->addRow(QStringLiteral("За п&оражение:"), m_loss);
    form->addRow(QStringLiteral("За поражение &неявкой:"), m_forfeitLoss);

    m_tieBreaks = new QListWidget(this);
    m_tieBreaks->setObjectName(QStringLiteral("tieBreaks"));
    m_up = new QPushButton(QStringLiteral("В&ыше"), this);
    m_up->setObjectName(QStringLiteral("tieBreakUp"));
    m_down = new QPushButton(QStringLiteral("Н&иже"), this);
    m_down->setObjectName(QStringLiteral("tieBreakDown"));
    auto* tieBox = new QGroupBox(QStringLiteral("Дополнительные показатели (по порядку)"), this);
    auto* tieLayout = new QHBoxLayout(tieBox);
    tieLayout->addWidget(m_tieBreaks);
    auto* moveLayout = new QVBoxLayout;
    moveLayout->addWidget(m_up);
    moveLayout->addWidget(m_down);
    moveLayout->addStretch();
    tieLayout->addLayout(moveLayout);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pointsBox);
    layout->addWidget(tieBox);

    FillTieBreaks(settings.tieBreaks);
    PointsEdited();
    connect(m_preset, &QComboBox::activated, this, [this](int index) { PresetChosen(index); });
    for (QDoubleSpinBox* box : {m_win, m_draw, m_loss, m_forfeitLoss})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { PointsEdited(); });
    connect(m_up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { Move(1); });
}

void SettingsEditor::FillTieBreaks(const QList<TieBreak>& chosen) {
    m_tieBreaks->clear();
    QList<TieBreak> order;
    const QList<TieBreak> offered = TieBreaksFor(m_kind);
    for (TieBreak tb : chosen)
        if (offered.contains(tb))
            order.append(tb);
    for (TieBreak tb : offered)
        if (!order.contains(tb))
            order.append(tb);
    for (TieBreak tb : order) {
        auto* item = new QListWidgetItem(TieBreakName(tb), m_tieBreaks);
        item->setData(kTieBreakRole, int(tb));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(tb) ? Qt::Checked : Qt::Unchecked);
    }
    m_tieBreaks->setCurrentRow(0);
}

void SettingsEditor::SetKind(ResultKind kind) {
    if (kind == m_kind)
        return;
    m_kind = kind;
    const Settings defaults = DefaultSettings(kind);
    FillTieBreaks(defaults.tieBreaks);
    PresetChosen(kind == ResultKind::Games ? 0 : 1);
}

void SettingsEditor::PresetChosen(int index) {
    const QList<PointsPreset> presets = PointsPresets();
    if (index < 0 || index >= presets.size())
        return;
    m_settingPreset = true;
    m_win->setValue(presets[index].points.win / 2.0);
    m_draw->setValue(presets[index].points.draw / 2.0);
    m_loss->setValue(presets[index].points.loss / 2.0);
    m_forfeitLoss->setValue(presets[index].points.forfeitLoss / 2.0);
    m_settingPreset = false;
    m_preset->setCurrentIndex(index);
}

void SettingsEditor::PointsEdited() {
    if (m_settingPreset)
        return;
    const Points now{Halves(m_win), Halves(m_draw), Halves(m_loss), Halves(m_forfeitLoss)};
    const QList<PointsPreset> presets = PointsPresets();
    int match = int(presets.size()); // "Свои значения"
    for (int i = 0; i < presets.size(); ++i)
        if (presets[i].points == now)
            match = i;
    m_preset->setCurrentIndex(match);
}

void SettingsEditor::Move(int delta) {
    const int row = m_tieBreaks->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_tieBreaks->count())
        return;
    QListWidgetItem* item = m_tieBreaks->takeItem(row);
    m_tieBreaks->insertItem(target, item);
    m_tieBreaks->setCurrentRow(target);
}

Settings SettingsEditor::Apply(Settings base) const {
    base.kind = m_kind;
    base.points = {Halves(m_win), Halves(m_draw), Halves(m_loss), Halves(m_forfeitLoss)};
    base.tieBreaks.clear();
    for (int i = 0; i < m_tieBreaks->count(); ++i)
        if (m_tieBreaks->item(i)->checkState() == Qt::Checked)
            base.tieBreaks.append(TieBreak(m_tieBreaks->item(i)->data(kTieBreakRole).toInt()));
    return base;
}

} // namespace rr::ui
