#include "ParametersDialog.h"

#include "SettingsWidgets.h"
#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ko::ui {

ParametersDialog::ParametersDialog(const Tournament& t, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Параметры турнира"));
    setObjectName(QStringLiteral("parametersDialog"));
    const BracketOptions& b = t.GetOptions().bracket;
    QString kind = b.format == Format::Single ? QStringLiteral("с выбыванием после поражения")
                                              : QStringLiteral("с выбыванием после двух поражений");
    if (b.format == Format::Single && b.thirdPlace)
        kind += QStringLiteral(", матч за 3-е место");
    if (b.format == Format::Double)
        kind += b.reset ? QStringLiteral(", суперфинал при необходимости") : QStringLiteral(", без суперфинала");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Сетка:"), new QLabel(kind, this));
    form->addRow(QStringLiteral("Участников:"),
                 new QLabel(QStringLiteral("%1 (сетка на %2)").arg(t.EntrantCount()).arg(t.Shape().Size()), this));
    m_bestOf = new QComboBox(this);
    m_bestOf->setObjectName("bestOf");
    m_bestOf->addItems({QStringLiteral("Одна игра"), QStringLiteral("До 2 побед (из 3 игр)"),
                        QStringLiteral("До 3 побед (из 5 игр)"), QStringLiteral("До 4 побед (из 7 игр)")});
    m_bestOf->setCurrentIndex(t.Format().bestOf / 2);
    m_scoring = new QComboBox(this);
    m_scoring->setObjectName("scoring");
    m_scoring->addItems({QStringLiteral("Счёт каждой игры"), QStringLiteral("Только победитель")});
    m_scoring->setCurrentIndex(t.Format().scoring == Scoring::WinLoss ? 1 : 0);
    bool anyResult = false;
    for (int m = 0; m < t.MatchCount(); ++m)
        anyResult = anyResult || t.Stored(m).has_value();
    // Results already in were entered for the format they had.
    m_bestOf->setEnabled(!anyResult);
    m_scoring->setEnabled(!anyResult);
    form->addRow(QStringLiteral("Матч:"), m_bestOf);
    form->addRow(QStringLiteral("Результат:"), m_scoring);

    QStringList names;
    QList<bool> withdrawn;
    for (int e = 0; e < t.EntrantCount(); ++e) {
        names << QStringLiteral("%1. %2").arg(e + 1).arg(t.Entrants()[e].name);
        withdrawn << t.Withdrawn(e);
    }
    m_withdrawn = new kit::ui::WithdrawnBox(names, withdrawn, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_withdrawn, 1);
    layout->addWidget(kit::ui::OkCancelButtons(this));
}

MatchFormat ParametersDialog::GetFormat() const {
    return {2 * m_bestOf->currentIndex() + 1,
            m_scoring->currentIndex() == 1 ? Scoring::WinLoss : Scoring::Scores};
}

QList<bool> ParametersDialog::GetWithdrawn() const { return m_withdrawn->GetWithdrawn(); }

} // namespace ko::ui
