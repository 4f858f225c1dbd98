#include "DetailsDialog.h"

#include "Ui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kit::ui {

namespace {
QLineEdit* Edit(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}
} // namespace

DetailsDialog::DetailsDialog(const QString& name, const TournamentInfo& info,
                             const QList<Figure>& figures, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("infoDialog"));
    setWindowTitle(QStringLiteral("Информация о турнире"));
    m_name = Edit("tournamentName", name, this);
    m_venue = Edit("venue", info.venue, this);
    m_dates = Edit("dates", info.dates, this);
    m_arbiter = Edit("arbiter", info.arbiter, this);
    m_notes = new QPlainTextEdit(info.notes, this);
    m_notes->setObjectName(QStringLiteral("notes"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Название:"), m_name);
    form->addRow(QStringLiteral("&Место проведения:"), m_venue);
    form->addRow(QStringLiteral("&Сроки:"), m_dates);
    form->addRow(QStringLiteral("&Главный судья:"), m_arbiter);
    form->addRow(QStringLiteral("&Примечания:"), m_notes);
    for (const Figure& figure : figures) {
        // Figures hold player names: plain text, never markup.
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(figure.objectName));
        label->setTextFormat(Qt::PlainText);
        label->setText(figure.text);
        form->addRow(figure.label, label);
    }

    auto* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString DetailsDialog::GetName() const {
    return m_name->text().trimmed();
}

TournamentInfo DetailsDialog::GetInfo() const {
    return {m_venue->text().trimmed(), m_dates->text().trimmed(), m_arbiter->text().trimmed(),
            m_notes->toPlainText()};
}

} // namespace kit::ui
