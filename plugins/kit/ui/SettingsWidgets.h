#pragma once

#include "Points.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QPushButton;

namespace kit::ui {

// Points for a win, a draw, a loss and a loss by forfeit, with the presets; a hand-made set
// shows as "Свои значения", and typing a preset's values selects it.
class PointsEditor : public QGroupBox {
public:
    PointsEditor(const Points& points, QWidget* parent = nullptr);
    Points GetPoints() const;
    // Selects a preset by its index in PointsPresets(), as if the user had chosen it.
    void ChoosePreset(int index);

private:
    void PointsEdited();

    QComboBox* m_preset;
    QDoubleSpinBox* m_win;
    QDoubleSpinBox* m_draw;
    QDoubleSpinBox* m_loss;
    QDoubleSpinBox* m_forfeitLoss;
    bool m_settingPreset = false;
};

// A list of choices whose order matters (tie-breaks, say): each can be ticked, and moved
// up and down by two buttons. Items carry an integer id.
class OrderedChecklist : public QGroupBox {
public:
    // The list and its buttons get the object names given, for tests and scripted runs.
    OrderedChecklist(const QString& title, const char* listName, const char* upName,
                     const char* downName, QWidget* parent = nullptr);
    // Fills the list: `ticked` first in their order, then the rest of `offered`; only ids
    // in `offered` are shown.
    void Fill(const QList<int>& offered, const QList<int>& ticked,
              const std::function<QString(int)>& text);
    QList<int> Ticked() const; // in the list's order

private:
    void Move(int delta);

    QListWidget* m_list;
    QPushButton* m_up;
    QPushButton* m_down;
};

// Who has withdrawn, one tickable line per player in start-number order.
class WithdrawnBox : public QGroupBox {
public:
    WithdrawnBox(const QStringList& names, const QList<bool>& withdrawn, QWidget* parent = nullptr);
    QList<bool> GetWithdrawn() const;

private:
    QListWidget* m_list;
};

} // namespace kit::ui
