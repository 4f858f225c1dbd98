#pragma once

#include "DetailsDialog.h"
#include "SettingsWidgets.h"
#include "Tournament.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QSpinBox;

namespace sw::ui {

using namespace kit::ui;

// Points and the ordered tie-breaks with their presets: what both the creation dialog and
// the parameters dialog edit.
class RulesEditor : public QWidget {
public:
    RulesEditor(const Settings& settings, QWidget* parent = nullptr);
    // The edited points and tie-breaks over `base`'s other fields.
    Settings Apply(Settings base) const;

private:
    QComboBox* m_preset;
    PointsEditor* m_points;
    OrderedChecklist* m_tieBreaks;
};

// A new Swiss: rounds, the first board's colour in round 1, acceleration, points and
// tie-breaks.
class CreationDialog : public QDialog {
public:
    explicit CreationDialog(QWidget* parent = nullptr);
    Settings GetSettings() const;

private:
    QSpinBox* m_rounds;
    QComboBox* m_colour;
    QCheckBox* m_baku;
    RulesEditor* m_rules;
};

// The pairs of players who must not meet (same family, same club): a list, and two players to
// add as a pair with the rounds it holds in (every round unless narrowed).
class ForbiddenPairsBox : public QWidget {
public:
    ForbiddenPairsBox(const Tournament& tournament, QWidget* parent = nullptr);
    QList<ForbiddenPair> GetPairs() const { return m_pairs; }
    // The number of rounds as the dialog now has it: what a range is checked against.
    void SetRounds(int rounds);
    // An empty string when every pair's rounds are within `rounds`, otherwise why not.
    QString CheckRounds(int rounds) const;

private:
    void Add();
    void Refill();
    QString PairText(const ForbiddenPair& pair) const;

    const Tournament& m_t;
    QList<ForbiddenPair> m_pairs;
    int m_rounds;
    QListWidget* m_list;
    QComboBox* m_first;
    QComboBox* m_second;
    QSpinBox* m_fromRound;
    QSpinBox* m_toRound;
};

// A running Swiss: rounds (not below those paired), points, tie-breaks, who has withdrawn (no
// longer paired from the next round on) and the forbidden pairs.
class ParametersDialog : public QDialog {
public:
    explicit ParametersDialog(const Tournament& tournament, QWidget* parent = nullptr);
    Settings GetSettings() const;
    QList<bool> GetWithdrawn() const;
    QList<ForbiddenPair> GetForbidden() const { return m_forbidden->GetPairs(); }
    // Refused, saying why, while a forbidden pair needs more rounds than chosen.
    void accept() override;

private:
    Settings m_base;
    QSpinBox* m_rounds;
    RulesEditor* m_rules;
    WithdrawnBox* m_withdrawn;
    ForbiddenPairsBox* m_forbidden;
};

// The tournament's details, editable, and its figures so far.
class InfoDialog : public DetailsDialog {
public:
    explicit InfoDialog(const Tournament& tournament, QWidget* parent = nullptr);
};

} // namespace sw::ui
