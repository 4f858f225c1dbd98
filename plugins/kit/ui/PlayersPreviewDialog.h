#pragma once

#include "PlayersFile.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace kit::ui {

// The first rows of a players file with a choice per column of what it holds, shown
// before loading when the reader is not sure of the columns.
class PlayersPreviewDialog : public QDialog {
public:
    static constexpr int kPreviewRows = 12;

    PlayersPreviewDialog(const PlayersSheet& sheet, const SheetLayout& proposal,
                         QWidget* parent = nullptr);
    SheetLayout Layout() const;

private:
    void Update();

    const PlayersSheet& m_sheet;
    SheetLayout m_layout;
    QList<QComboBox*> m_choices;
    QLabel* m_example = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

// Reads a players file for the list dialogs: shows the preview when the columns are in
// doubt, and errors as messages. Nothing when the file is unreadable or the user cancels.
std::optional<QList<Player>> ImportPlayers(const QString& path);

} // namespace kit::ui
