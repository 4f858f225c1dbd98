#include "PlayerDialog.h"

#include "Ui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kit::ui {

namespace {
QLineEdit* Edit(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(200);
    return edit;
}
} // namespace

PlayerDialog::PlayerDialog(const Player& player, bool isNew, bool ratingIds, QWidget* parent)
    : QDialog(parent), m_original(player) {
    setObjectName(QStringLiteral("playerDialog"));
    setWindowTitle(isNew ? QStringLiteral("Новый участник") : QStringLiteral("Участник"));
    m_name = Edit("name", player.name, this);
    m_rating = new QSpinBox(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_rating->setRange(0, kMaxRating);
    m_rating->setSpecialValueText(QStringLiteral("нет"));
    m_rating->setValue(player.rating);
    m_title = Edit("title", player.title, this);
    m_club = Edit("club", player.club, this);
    m_city = Edit("city", player.city, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Имя:"), m_name);
    form->addRow(QStringLiteral("&Рейтинг:"), m_rating);
    form->addRow(QStringLiteral("&Звание или разряд:"), m_title);
    form->addRow(QStringLiteral("&Клуб или команда:"), m_club);
    form->addRow(QStringLiteral("&Город:"), m_city);
    if (ratingIds) {
        m_fideId = Edit("fideId", player.fideId, this);
        m_fideId->setMaxLength(11);
        m_fideId->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,11}")), m_fideId));
        m_birthYear = new QSpinBox(this);
        m_birthYear->setObjectName(QStringLiteral("birthYear"));
        m_birthYear->setRange(kMinBirthYear - 1, kMaxBirthYear);
        m_birthYear->setSpecialValueText(QStringLiteral("нет"));
        m_birthYear->setValue(player.birthYear > 0 ? player.birthYear : kMinBirthYear - 1);
        form->addRow(QStringLiteral("&ФИДЕ ID:"), m_fideId);
        form->addRow(QStringLiteral("Год рожде&ния:"), m_birthYear);
    }

    m_buttons = OkCancelButtons(this);
    auto updateOk = [this] {
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_name->text().trimmed().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, updateOk);
    updateOk();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    m_name->setFocus();
}

Player PlayerDialog::GetPlayer() const {
    Player p = m_original;
    p.name = m_name->text().trimmed();
    p.rating = m_rating->value();
    p.title = m_title->text().trimmed();
    p.club = m_club->text().trimmed();
    p.city = m_city->text().trimmed();
    if (m_fideId) {
        p.fideId = m_fideId->text().trimmed();
        p.birthYear = m_birthYear->value() >= kMinBirthYear ? m_birthYear->value() : 0;
    }
    return p;
}

} // namespace kit::ui
