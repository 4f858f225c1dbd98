#pragma once

#include "Settings.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace rr::ui {

class SettingsEditor;

// The system's own settings for a new tournament: cycles, kind of result, points and
// tie-breaks.
class CreationDialog : public QDialog {
public:
    explicit CreationDialog(QWidget* parent = nullptr);
    Settings GetSettings() const;

private:
    QSpinBox* m_cycles;
    QComboBox* m_kind;
    SettingsEditor* m_editor;
};

} // namespace rr::ui
