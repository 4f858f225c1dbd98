#pragma once

#include "Player.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace kit::ui {

// Entering or changing one player. OK stays disabled until there is a name (and, where asked
// for, a FIDE ID of digits only). Without `ratingIds` the FIDE ID and year of birth are not
// shown and pass through unchanged.
class PlayerDialog : public QDialog {
public:
    explicit PlayerDialog(const Player& player, bool isNew, bool ratingIds = false,
                          QWidget* parent = nullptr);
    Player GetPlayer() const;

private:
    QLineEdit* m_name;
    QSpinBox* m_rating;
    QLineEdit* m_title;
    QLineEdit* m_club;
    QLineEdit* m_city;
    Player m_original;
    QLineEdit* m_fideId = nullptr;
    QSpinBox* m_birthYear = nullptr;
    QDialogButtonBox* m_buttons;
};

} // namespace kit::ui
