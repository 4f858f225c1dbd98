#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

namespace kit::ui {
class WithdrawnBox;
}

class QCheckBox;

namespace rr::ui {

class SettingsEditor;

// A running tournament's parameters: points, tie-breaks, the nearest-list option, and who
// has withdrawn (a withdrawn player's remaining games count as forfeits; unticking undoes it).
class ParametersDialog : public QDialog {
public:
    explicit ParametersDialog(const Tournament& tournament, QWidget* parent = nullptr);
    Settings GetSettings() const;
    QList<bool> GetWithdrawn() const; // one flag per player, by start number
    // The penalties as the "Снятие очков" dialog left them.
    QList<Deduction> GetDeductions() const { return m_deductions; }

private:
    Settings m_base;
    SettingsEditor* m_editor;
    QCheckBox* m_nearestAll;
    kit::ui::WithdrawnBox* m_withdrawn;
    QList<Deduction> m_deductions;
};

} // namespace rr::ui
