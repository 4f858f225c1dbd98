#include "SwissDialogs.h"

#include "SwissStandings.h"
#include "Text.h"
#include "Ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace sw::ui {

namespace {

void FillTieBreaks(OrderedChecklist* list, const QList<TieBreak>& chosen) {
    QList<int> offered, ticked;
    for (TieBreak tb : SwissTieBreaks())
        offered.append(int(tb));
    for (TieBreak tb : chosen)
        ticked.append(int(tb));
    list->Fill(offered, ticked, [](int id) { return TieBreakName(TieBreak(id)); });
}

QSpinBox* RoundsBox(int value, int minimum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QStringLiteral("rounds"));
    box->setRange(std::max(kMinRounds, minimum), kMaxRounds);
    box->setValue(value);
    return box;
}

} // namespace

RulesEditor::RulesEditor(const Settings& settings, QWidget* parent) : QWidget(parent) {
    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("tieBreakPreset"));
    for (const TieBreakPreset& preset : TieBreakPresets())
        m_preset->addItem(preset.name);
    m_preset->addItem(QStringLiteral("Свой порядок"));
    m_preset->setCurrentIndex(int(TieBreakPresets().size()));
    for (int i = 0; i < TieBreakPresets().size(); ++i)
        if (TieBreakPresets()[i].tieBreaks == settings.tieBreaks)
            m_preset->setCurrentIndex(i);
    m_points = new PointsEditor(settings.points, this);
    m_tieBreaks = new OrderedChecklist(QStringLiteral("Дополнительные показатели (по порядку)"),
                                       "tieBreaks", "tieBreakUp", "tieBreakDown", this);
    FillTieBreaks(m_tieBreaks, settings.tieBreaks);
    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < TieBreakPresets().size())
            FillTieBreaks(m_tieBreaks, TieBreakPresets()[index].tieBreaks);
    });
    auto* presetRow = new QFormLayout;
    presetRow->addRow(QStringLiteral("&Набор показателей:"), m_preset);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_points);
    layout->addLayout(presetRow);
    layout->addWidget(m_tieBreaks);
}

Settings RulesEditor::Apply(Settings base) const {
    base.points = m_points->GetPoints();
    base.tieBreaks.clear();
    for (int id : m_tieBreaks->Ticked())
        base.tieBreaks.append(TieBreak(id));
    return base;
}

CreationDialog::CreationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("creationDialog"));
    setWindowTitle(QStringLiteral("Параметры швейцарской системы"));
    const Settings defaults;
    m_rounds = RoundsBox(defaults.rounds, kMinRounds, this);
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("firstColour"));
    m_colour->addItem(QStringLiteral("Белые"));
    m_colour->addItem(QStringLiteral("Чёрные"));
    m_colour->addItem(QStringLiteral("По жребию"));
    m_baku = new QCheckBox(QStringLiteral("&Ускоренная жеребьёвка (бакинская система)"), this);
    m_baku->setObjectName(QStringLiteral("bakuAcceleration"));
    m_rules = new RulesEditor(defaults, this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Число &туров:"), m_rounds);
    form->addRow(QStringLiteral("&Цвет первого номера в 1 туре:"), m_colour);
    form->addRow(m_baku);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_rules);
    layout->addWidget(OkCancelButtons(this));
}

Settings CreationDialog::GetSettings() const {
    Settings s;
    s.rounds = m_rounds->value();
    s.firstColour = FirstColour(m_colour->currentIndex());
    s.bakuAcceleration = m_baku->isChecked();
    return m_rules->Apply(s);
}

ParametersDialog::ParametersDialog(const Tournament& t, QWidget* parent)
    : QDialog(parent), m_base(t.GetSettings()) {
    setObjectName(QStringLiteral("parametersDialog"));
    setWindowTitle(QStringLiteral("Параметры турнира"));
    m_rounds = RoundsBox(m_base.rounds, std::max(1, t.PairedRounds()), this);
    auto* fixed = new QLabel(
        QStringLiteral("Цвет первого номера в 1 туре: %1. Ускоренная жеребьёвка: %2.")
            .arg(m_base.firstColour == FirstColour::Black ? QStringLiteral("чёрные")
                                                          : QStringLiteral("белые"),
                 m_base.bakuAcceleration ? QStringLiteral("да") : QStringLiteral("нет")),
        this);
    fixed->setObjectName(QStringLiteral("fixedSettings"));
    m_rules = new RulesEditor(m_base, this);
    QStringList names;
    QList<bool> withdrawn;
    for (const Entrant& e : t.Entrants()) {
        names << e.player.name;
        withdrawn << (e.withdrawnFrom > 0);
    }
    m_withdrawn = new WithdrawnBox(names, withdrawn, this);
    m_forbidden = new ForbiddenPairsBox(t, this);
    connect(m_rounds, &QSpinBox::valueChanged, m_forbidden, &ForbiddenPairsBox::SetRounds);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Число &туров:"), m_rounds);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(fixed);
    left->addWidget(m_rules);
    auto* right = new QVBoxLayout;
    right->addWidget(m_withdrawn, 1);
    right->addWidget(m_forbidden);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(OkCancelButtons(this));
}

void ParametersDialog::accept() {
    const QString problem = m_forbidden->CheckRounds(m_rounds->value());
    if (!problem.isEmpty()) {
        ShowError(problem);
        return;
    }
    QDialog::accept();
}

Settings ParametersDialog::GetSettings() const {
    Settings s = m_rules->Apply(m_base);
    s.rounds = m_rounds->value();
    return s;
}

ForbiddenPairsBox::ForbiddenPairsBox(const Tournament& t, QWidget* parent)
    : QWidget(parent), m_t(t), m_pairs(t.Forbidden()), m_rounds(t.TotalRounds()) {
    auto* group = new QGroupBox(QStringLiteral("Запрещённые пары (не встречаются между собой)"),
                                this);
    m_list = new QListWidget(group);
    m_list->setObjectName(QStringLiteral("forbiddenList"));
    // Long names with the rounds after them wrap rather than hide the rounds off to the side.
    m_list->setWordWrap(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_first = new QComboBox(group);
    m_first->setObjectName(QStringLiteral("forbiddenFirst"));
    m_second = new QComboBox(group);
    m_second->setObjectName(QStringLiteral("forbiddenSecond"));
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const QString name = QStringLiteral("%1. %2").arg(i + 1).arg(t.PlayerAt(i).name);
        m_first->addItem(name, i);
        m_second->addItem(name, i);
    }
    m_second->setCurrentIndex(std::min(1, t.PlayerCount() - 1));
    // Up to the most rounds a tournament may have, so that a range beyond this one's is
    // refused with the reason rather than silently cut.
    m_fromRound = new QSpinBox(group);
    m_fromRound->setObjectName(QStringLiteral("forbiddenFromRound"));
    m_fromRound->setRange(1, kMaxRounds);
    m_fromRound->setValue(1);
    m_toRound = new QSpinBox(group);
    m_toRound->setObjectName(QStringLiteral("forbiddenToRound"));
    m_toRound->setRange(1, kMaxRounds);
    m_toRound->setValue(m_rounds);
    auto* add = new QPushButton(QStringLiteral("Добавить &пару"), group);
    add->setObjectName(QStringLiteral("addForbidden"));
    add->setAutoDefault(false);
    auto* remove = new QPushButton(QStringLiteral("Удалить"), group);
    remove->setObjectName(QStringLiteral("removeForbidden"));
    remove->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &ForbiddenPairsBox::Add);
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = m_list->currentRow();
        if (row >= 0 && row < m_pairs.size())
            m_pairs.removeAt(row);
        Refill();
    });
    auto* pick = new QHBoxLayout;
    pick->addWidget(m_first, 1);
    pick->addWidget(new QLabel(QStringLiteral("и"), group));
    pick->addWidget(m_second, 1);
    auto* rounds = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("&с тура"), group);
    fromLabel->setBuddy(m_fromRound);
    auto* toLabel = new QLabel(QStringLiteral("п&о тур"), group);
    toLabel->setBuddy(m_toRound);
    rounds->addWidget(fromLabel);
    rounds->addWidget(m_fromRound);
    rounds->addWidget(toLabel);
    rounds->addWidget(m_toRound);
    rounds->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_list);
    inner->addLayout(pick);
    inner->addLayout(rounds);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(group);
    Refill();
}

void ForbiddenPairsBox::SetRounds(int rounds) {
    // "To the last round" stays so.
    if (m_toRound->value() == m_rounds)
        m_toRound->setValue(rounds);
    m_rounds = rounds;
}

QString ForbiddenPairsBox::CheckRounds(int rounds) const {
    for (const ForbiddenPair& p : m_pairs)
        if (std::max(p.firstRound, p.lastRound) > rounds)
            return QStringLiteral("Запрещённая пара %1 задана на туры, которых не будет: в турнире "
                                  "%2 %3. Удалите пару или увеличьте число туров.")
                .arg(PairText(p), QString::number(rounds),
                     Plural(rounds, QStringLiteral("тур"), QStringLiteral("тура"),
                            QStringLiteral("туров")));
    return {};
}

void ForbiddenPairsBox::Add() {
    const int a = m_first->currentData().toInt(), b = m_second->currentData().toInt();
    if (a == b) {
        ShowError(QStringLiteral("Выберите двух разных участников."));
        return;
    }
    const int from = m_fromRound->value(), to = m_toRound->value();
    if (to < from) {
        ShowError(QStringLiteral("Туры запрещённой пары: последний (%1) раньше первого (%2).")
                      .arg(to)
                      .arg(from));
        return;
    }
    if (to > m_rounds) {
        ShowError(QStringLiteral("Туры запрещённой пары: в турнире %1 %2, а указан %3 тур.")
                      .arg(m_rounds)
                      .arg(Plural(m_rounds, QStringLiteral("тур"), QStringLiteral("тура"),
                                  QStringLiteral("туров")))
                      .arg(to));
        return;
    }
    // From the first round to the last is every round, however many there will be.
    const ForbiddenPair pair{std::min(a, b), std::max(a, b), from, from == 1 && to == m_rounds ? 0 : to};
    for (const ForbiddenPair& p : m_pairs)
        if (p.a == pair.a && p.b == pair.b && p.firstRound <= pair.End(m_rounds) &&
            pair.firstRound <= p.End(m_rounds)) {
            ShowError(QStringLiteral("Эта пара уже запрещена: %1.").arg(PairText(p)));
            return;
        }
    m_pairs.append(pair);
    Refill();
    m_list->setCurrentRow(int(m_pairs.size()) - 1);
}

QString ForbiddenPairsBox::PairText(const ForbiddenPair& p) const {
    // One arg() for all: a name with "%1" in it must stay as it is.
    return QStringLiteral("%1. %2 — %3. %4 (%5)")
        .arg(QString::number(p.a + 1), m_t.PlayerAt(p.a).name, QString::number(p.b + 1),
             m_t.PlayerAt(p.b).name, ForbiddenRoundsText(p));
}

void ForbiddenPairsBox::Refill() {
    m_list->clear();
    for (const ForbiddenPair& p : m_pairs)
        m_list->addItem(PairText(p));
}

QList<bool> ParametersDialog::GetWithdrawn() const {
    return m_withdrawn->GetWithdrawn();
}

namespace {
QList<Figure> Figures(const Tournament& t) {
    QString leader = QStringLiteral("пока нет");
    if (t.GamesDecided() > 0) {
        const std::vector<Standing> table = ComputeStandings(t);
        QStringList names;
        for (const Standing& s : table)
            if (s.placeFrom == 1)
                names << t.PlayerAt(s.player).name;
        leader = names.join(QStringLiteral(", ")) + QStringLiteral(" (") +
                 PointsText(table.front().points, Fractions::Glyphs) + u')';
    }
    return {{"playersFigure", QStringLiteral("Участников:"), QString::number(t.PlayerCount())},
            {"gamesFigure", QStringLiteral("Сыграно партий:"), QString::number(t.GamesPlayed())},
            {"roundsFigure", QStringLiteral("Туров:"),
             RoundsPlayedText(t.CompletedRounds(), t.TotalRounds())},
            {"leaderFigure", QStringLiteral("Лидер:"), leader}};
}
} // namespace

InfoDialog::InfoDialog(const Tournament& t, QWidget* parent)
    : DetailsDialog(t.Name(), t.Info(), Figures(t), parent) {}

} // namespace sw::ui
