#pragma once

#include "Settings.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QPushButton;

namespace rr::ui {

// Points (with presets) and the ordered tie-breaks: the part of the settings that both the
// creation dialog and the tournament parameters dialog edit.
class SettingsEditor : public QWidget {
public:
    SettingsEditor(const Settings& settings, QWidget* parent = nullptr);

    // Offers the tie-breaks of another kind of result (the creation dialog's choice),
    // keeping those chosen that still apply.
    void SetKind(ResultKind kind);
    // The edited points and tie-breaks over `base`'s other fields.
    Settings Apply(Settings base) const;

private:
    void FillTieBreaks(const QList<TieBreak>& chosen);
    void PresetChosen(int index);
    void PointsEdited();
    void Move(int delta);

    ResultKind m_kind;
    QComboBox* m_preset;
    QDoubleSpinBox* m_win;
    QDoubleSpinBox* m_draw;
    QDoubleSpinBox* m_loss;
    QDoubleSpinBox* m_forfeitLoss;
    QListWidget* m_tieBreaks;
    QPushButton* m_up;
    QPushButton* m_down;
    bool m_settingPreset = false;
};

} // namespace rr::ui
