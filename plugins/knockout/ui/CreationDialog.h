#pragma once

#include "Tournament.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace ko::ui {

// The options of a new bracket: single or double elimination, third-place match or reset,
// match length and scoring, separation of clubs.
class CreationDialog : public QDialog {
public:
    explicit CreationDialog(QWidget* parent = nullptr);
    Options GetOptions() const;

private:
    void Update();
    QComboBox* m_format;
    QCheckBox* m_thirdPlace;
    QCheckBox* m_reset;
    QComboBox* m_bestOf;
    QComboBox* m_scoring;
    QCheckBox* m_clubs;
};

} // namespace ko::ui
