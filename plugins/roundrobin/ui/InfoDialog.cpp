#include "InfoDialog.h"

#include "Standings.h"
#include "Text.h"

#include "Ui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace rr::ui {

namespace {
QLineEdit* Edit(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}
QLabel* Figure(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}
} // namespace

QString LeaderText(const Tournament& t) {
    if (t.GamesDecided() == 0)
        return {};
    const std::vector<Standing> table = ComputeStandings(t);
    QStringList names;
    for (const Standing& s : table)
        if (s.placeFrom == 1)
            names << t.Players()[s.player].name;
    return names.join(QStringLiteral(", ")) + QStringLiteral(" (") +
           PointsText(table.front().points) + u')';
}

InfoDialog::InfoDialog(const Tournament& t, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("infoDialog"));
    setWindowTitle(QStringLiteral("Информация о турнире"));
    m_name = Edit("tournamentName", t.Name(), this);
    m_venue = Edit("venue", t.Info().venue, this);
    m_dates = Edit("dates", t.Info().dates, this);
    m_arbiter = Edit("arbiter", t.Info().arbiter, this);
    m_notes = new QPlainTextEdit(t.Info().notes, this);
    m_notes->setObjectName(QStringLiteral("notes"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Название:"), m_name);
    form->addRow(QStringLiteral("&Место проведения:"), m_venue);
    form->addRow(QStringLiteral("&Сроки:"), m_dates);
    form->addRow(QStringLiteral("&Главный судья:"), m_arbiter);
    form->addRow(QStringLiteral("&Примечания:"), m_notes);
    form->addRow(QStringLiteral("Участников:"),
                 Figure("playersFigure", QString::number(t.PlayerCount()), this));
    form->addRow(QStringLiteral("Сыграно встреч:"),
                 Figure("gamesFigure",
                        QStringLiteral("%1 из %2").arg(t.GamesDecided()).arg(t.GameCount()), this));
    form->addRow(
        QStringLiteral("Туров:"),
        Figure("roundsFigure", RoundsPlayedText(t.CompletedRounds(), t.RoundCount()), this));
    const QString leader = LeaderText(t);
    form->addRow(
        QStringLiteral("Лидер:"),
        Figure("leaderFigure", leader.isEmpty() ? QStringLiteral("пока нет") : leader, this));

    auto* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString InfoDialog::GetName() const {
    return m_name->text().trimmed();
}

TournamentInfo InfoDialog::GetInfo() const {
    return {m_venue->text().trimmed(), m_dates->text().trimmed(), m_arbiter->text().trimmed(),
            m_notes->toPlainText()};
}

} // namespace rr::ui
