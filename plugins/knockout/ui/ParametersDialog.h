#pragma once

#include "Tournament.h"

#include <QDialog>

class QComboBox;

namespace kit::ui {
class WithdrawnBox;
}

namespace ko::ui {

// The tournament's parameters: the bracket as created (fixed), the match format (changeable
// until a result is in), and who has withdrawn.
class ParametersDialog : public QDialog {
public:
    explicit ParametersDialog(const Tournament& tournament, QWidget* parent = nullptr);
    MatchFormat GetFormat() const;
    QList<bool> GetWithdrawn() const;

private:
    QComboBox* m_bestOf;
    QComboBox* m_scoring;
    kit::ui::WithdrawnBox* m_withdrawn;
};

} // namespace ko::ui
