#include "SettingsWidgets.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kit::ui {

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
constexpr int kIdRole = Qt::UserRole;
} // namespace

PointsEditor::PointsEditor(const Points& points, QWidget* parent)
    : QGroupBox(QStringLiteral("Очки"), parent) {
    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("pointsPreset"));
    for (const PointsPreset& preset : PointsPresets())
        m_preset->addItem(preset.name);
    m_preset->addItem(QStringLiteral("Свои значения"));
    m_win = PointsBox("winPoints", points.win, this);
    m_draw = PointsBox("drawPoints", points.draw, this);
    m_loss = PointsBox("lossPoints", points.loss, this);
    m_forfeitLoss = PointsBox("forfeitLossPoints", points.forfeitLoss, this);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Как считать:"), m_preset);
    form->addRow(QStringLiteral("За &победу:"), m_win);
    form->addRow(QStringLiteral("За &ничью:"), m_draw);
    form->addRow(QStringLiteral("За п&оражение:"), m_loss);
    form->addRow(QStringLiteral("За поражение &неявкой:"), m_forfeitLoss);

    PointsEdited();
    connect(m_preset, &QComboBox::activated, this, [this](int index) { ChoosePreset(index); });
    for (QDoubleSpinBox* box : {m_win, m_draw, m_loss, m_forfeitLoss})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { PointsEdited(); });
}

Points PointsEditor::GetPoints() const {
    return {Halves(m_win), Halves(m_draw), Halves(m_loss), Halves(m_forfeitLoss)};
}

void PointsEditor::ChoosePreset(int index) {
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

void PointsEditor::PointsEdited() {
    if (m_settingPreset)
        return;
    const Points now = GetPoints();
    const QList<PointsPreset> presets = PointsPresets();
    int match = int(presets.size()); // "Свои значения"
    for (int i = 0; i < presets.size(); ++i)
        if (presets[i].points == now)
            match = i;
    m_preset->setCurrentIndex(match);
}

OrderedChecklist::OrderedChecklist(const QString& title, const char* listName, const char* upName,
                                   const char* downName, QWidget* parent)
    : QGroupBox(title, parent) {
    m_list = new QListWidget(this);
    m_list->setObjectName(QLatin1String(listName));
    m_up = new QPushButton(QStringLiteral("В&ыше"), this);
    m_up->setObjectName(QLatin1String(upName));
    m_down = new QPushButton(QStringLiteral("Н&иже"), this);
    m_down->setObjectName(QLatin1String(downName));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    auto* moveLayout = new QVBoxLayout;
    moveLayout->addWidget(m_up);
    moveLayout->addWidget(m_down);
    moveLayout->addStretch();
    layout->addLayout(moveLayout);
    connect(m_up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { Move(1); });
}

void OrderedChecklist::Fill(const QList<int>& offered, const QList<int>& ticked,
                            const std::function<QString(int)>& text) {
    m_list->clear();
    QList<int> order;
    for (int id : ticked)
        if (offered.contains(id))
            order.append(id);
    for (int id : offered)
        if (!order.contains(id))
            order.append(id);
    for (int id : order) {
        auto* item = new QListWidgetItem(text(id), m_list);
        item->setData(kIdRole, id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(id) ? Qt::Checked : Qt::Unchecked);
    }
    m_list->setCurrentRow(0);
}

QList<int> OrderedChecklist::Ticked() const {
    QList<int> ids;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            ids.append(m_list->item(i)->data(kIdRole).toInt());
    return ids;
}

void OrderedChecklist::Move(int delta) {
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    QListWidgetItem* item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentRow(target);
}

WithdrawnBox::WithdrawnBox(const QStringList& names, const QList<bool>& withdrawn, QWidget* parent)
    : QGroupBox(QStringLiteral("Выбывшие участники"), parent) {
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("withdrawn"));
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("%1. ").arg(i + 1) + names[i], m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(i < withdrawn.size() && withdrawn[i] ? Qt::Checked : Qt::Unchecked);
    }
    auto* layout = new QVBoxLayout(this);
    auto* hint =
        new QLabel(QStringLiteral("Несыгранные встречи выбывшего засчитываются как неявки. "
                                  "Снимите отметку, чтобы вернуть участника."),
                   this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(m_list);
}

QList<bool> WithdrawnBox::GetWithdrawn() const {
    QList<bool> flags;
    for (int i = 0; i < m_list->count(); ++i)
        flags.append(m_list->item(i)->checkState() == Qt::Checked);
    return flags;
}

} // namespace kit::ui
