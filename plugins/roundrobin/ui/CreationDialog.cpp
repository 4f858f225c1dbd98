#include "CreationDialog.h"

#include "Berger.h"
#include "SettingsEditor.h"
#include "Text.h"

#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rr::ui {

QString ScheduleText(int players, int cycles) {
    if (players < 2)
        return {};
    const int rounds = RoundsPerCycle(players) * cycles;
    const qint64 games = qint64(players) * (players - 1) / 2 * cycles;
    QString text = QStringLiteral("%1 %2, %3 %4: %5 %6, %7 %8.")
                       .arg(players)
                       .arg(Plural(players, QStringLiteral("участник"), QStringLiteral("участника"),
                                   QStringLiteral("участников")))
                       .arg(cycles)
                       .arg(Plural(cycles, QStringLiteral("круг"), QStringLiteral("круга"),
                                   QStringLiteral("кругов")))
                       .arg(rounds)
                       .arg(Plural(rounds, QStringLiteral("тур"), QStringLiteral("тура"),
                                   QStringLiteral("туров")))
                       .arg(games)
                       .arg(Plural(int(games % 100), QStringLiteral("встреча"),
                                   QStringLiteral("встречи"), QStringLiteral("встреч")));
    if (rounds > kLongSchedule)
        text += QStringLiteral("\nВнимание: больше %1 туров. Проверьте, хватит ли времени "
                               "на все встречи, или уменьшите число участников или кругов.")
                    .arg(kLongSchedule);
    return text;
}

CreationDialog::CreationDialog(int players, QWidget* parent) : QDialog(parent), m_players(players) {
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

    m_schedule = new QLabel(this);
    m_schedule->setObjectName(QStringLiteral("scheduleSize"));
    m_schedule->setWordWrap(true);
    connect(m_cycles, &QSpinBox::valueChanged, this, [this] { ShowSchedule(); });
    ShowSchedule();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Число &кругов:"), m_cycles);
    form->addRow(QStringLiteral("&Результаты:"), m_kind);
    form->addRow(m_schedule);
    auto* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_editor);
    layout->addWidget(buttons);
}

void CreationDialog::ShowSchedule() {
    const QString text = ScheduleText(m_players, m_cycles->value());
    m_schedule->setText(text);
    m_schedule->setVisible(!text.isEmpty());
    // A long schedule is said in the warning colour, so that it is not read past.
    m_schedule->setStyleSheet(RoundsPerCycle(m_players) * m_cycles->value() > kLongSchedule
                                  ? QStringLiteral("color: #a12626; font-weight: bold;")
                                  : QString());
}

Settings CreationDialog::GetSettings() const {
    Settings s =
        DefaultSettings(m_kind->currentIndex() == 1 ? ResultKind::Scores : ResultKind::Games);
    s.cycles = m_cycles->value();
    return m_editor->Apply(s);
}

} // namespace rr::ui
