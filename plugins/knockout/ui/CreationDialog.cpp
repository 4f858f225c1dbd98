#include "CreationDialog.h"

#include "Ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ko::ui {

CreationDialog::CreationDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Олимпийская система"));
    setObjectName(QStringLiteral("creationDialog"));
    m_format = new QComboBox(this);
    m_format->setObjectName("format");
    m_format->addItems({QStringLiteral("С выбыванием после поражения"),
                        QStringLiteral("С выбыванием после двух поражений")});
    m_thirdPlace = new QCheckBox(QStringLiteral("Матч за 3-е место"), this);
    m_thirdPlace->setObjectName("thirdPlace");
    m_reset = new QCheckBox(QStringLiteral("Суперфинал, если финал выиграет победитель нижней сетки"), this);
    m_reset->setObjectName("reset");
    m_reset->setChecked(true);
    m_bestOf = new QComboBox(this);
    m_bestOf->setObjectName("bestOf");
    m_bestOf->addItems({QStringLiteral("Одна игра"), QStringLiteral("До 2 побед (из 3 игр)"),
                        QStringLiteral("До 3 побед (из 5 игр)"), QStringLiteral("До 4 побед (из 7 игр)")});
    m_scoring = new QComboBox(this);
    m_scoring->setObjectName("scoring");
    m_scoring->addItems({QStringLiteral("Счёт каждой игры"), QStringLiteral("Только победитель")});
    m_clubs = new QCheckBox(QStringLiteral("Разводить участников одного клуба в первом круге"), this);
    m_clubs->setObjectName("separateClubs");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Сетка:"), m_format);
    form->addRow(QString(), m_thirdPlace);
    form->addRow(QString(), m_reset);
    form->addRow(QStringLiteral("Матч:"), m_bestOf);
    form->addRow(QStringLiteral("Результат:"), m_scoring);
    form->addRow(QString(), m_clubs);
    auto* note = new QLabel(QStringLiteral("Посев — по порядку списка после жеребьёвки: первый "
                                           "в списке получает первый номер посева."), this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(kit::ui::OkCancelButtons(this));
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] { Update(); });
    Update();
}

void CreationDialog::Update() {
    const bool twice = m_format->currentIndex() == 1;
    m_thirdPlace->setEnabled(!twice);
    m_reset->setEnabled(twice);
}

Options CreationDialog::GetOptions() const {
    Options o;
    o.bracket.format = m_format->currentIndex() == 1 ? Format::Double : Format::Single;
    o.bracket.thirdPlace = o.bracket.format == Format::Single && m_thirdPlace->isChecked();
    o.bracket.reset = m_reset->isChecked();
    o.format.bestOf = 2 * m_bestOf->currentIndex() + 1;
    o.format.scoring = m_scoring->currentIndex() == 1 ? Scoring::WinLoss : Scoring::Scores;
    o.separateClubs = m_clubs->isChecked();
    return o;
}

} // namespace ko::ui
