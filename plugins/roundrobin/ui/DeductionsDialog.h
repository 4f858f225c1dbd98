#pragma once

#include "Tournament.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;

namespace rr::ui {

// Points taken off players as penalties: each with its reason, added one by one and removed
// again (a penalty entered by mistake, or withdrawn on appeal). The dialog edits a copy; the
// tournament takes the list only when the parameters are confirmed.
class DeductionsDialog : public QDialog {
public:
    DeductionsDialog(const Tournament& tournament, const QList<Deduction>& deductions,
                     QWidget* parent = nullptr);
    QList<Deduction> GetDeductions() const { return m_deductions; }

private:
    void Add();
    void Remove();
    void Fill();

    const Tournament& m_t;
    QList<Deduction> m_deductions;
    QListWidget* m_list;
    QComboBox* m_player;
    QDoubleSpinBox* m_points;
    QLineEdit* m_reason;
};

// "Спартак: 3 очка — неявка на матч 2 тура", as the dialog lists a deduction.
QString DeductionLine(const Tournament& tournament, const Deduction& deduction);

} // namespace rr::ui
