#pragma once

#include "Settings.h"
#include "SettingsWidgets.h"

#include <QWidget>

namespace rr::ui {

using namespace kit::ui;

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

    ResultKind m_kind;
    PointsEditor* m_points;
    OrderedChecklist* m_tieBreaks;
};

} // namespace rr::ui
