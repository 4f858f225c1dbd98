#pragma once

#include "Settings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;

namespace rr::ui {

constexpr int kLongSchedule = 20;

// "40 участников, 1 круг: 39 туров, 780 встреч", and a warning past kLongSchedule rounds;
// "" for fewer than two players.
QString ScheduleText(int players, int cycles);

class SettingsEditor;

// The system's own settings for a new tournament: cycles, kind of result, points and
// tie-breaks. Given the number of players (-1 when unknown), it says how many rounds and
// games the cycles chosen make, and warns of a schedule longer than kLongSchedule rounds.
class CreationDialog : public QDialog {
public:
    explicit CreationDialog(int players = -1, QWidget* parent = nullptr);
    Settings GetSettings() const;

private:
    void ShowSchedule();

    int m_players;
    QLabel* m_schedule;
    QSpinBox* m_cycles;
    QComboBox* m_kind;
    SettingsEditor* m_editor;
};

} // namespace rr::ui
