#pragma once

#include "Player.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace kit::ui {

// Entering or changing one player. OK stays disabled until there is a name.
class PlayerDialog : public QDialog {
public:
    explicit PlayerDialog(const Player& player, bool isNew, QWidget* parent = nullptr);
    Player GetPlayer() const;

private:
    QLineEdit* m_name;
    QSpinBox* m_rating;
    QLineEdit* m_title;
    QLineEdit* m_club;
    QLineEdit* m_city;
    QDialogButtonBox* m_buttons;
};

} // namespace kit::ui
