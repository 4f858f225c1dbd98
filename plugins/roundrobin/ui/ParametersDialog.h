#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

class QCheckBox;

namespace rr::ui {

class SettingsEditor;
class WithdrawalBox;

// A running tournament's parameters: points, tie-breaks, the nearest-list option, and who
// has withdrawn and by which rule (see WithdrawalBox; unticking undoes it).
class ParametersDialog : public QDialog {
public:
    explicit ParametersDialog(const Tournament& tournament, QWidget* parent = nullptr);
    Settings GetSettings() const;
    QList<bool> GetWithdrawn() const; // one flag per player, by start number
    QList<Withdrawal> GetWithdrawals() const;
    // The penalties as the "Снятие очков" dialog left them.
    QList<Deduction> GetDeductions() const { return m_deductions; }

private:
    Settings m_base;
    SettingsEditor* m_editor;
    QCheckBox* m_nearestAll;
    WithdrawalBox* m_withdrawn;
    QList<Deduction> m_deductions;
};

} // namespace rr::ui
