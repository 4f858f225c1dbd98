#pragma once

#include "Tournament.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace rr::ui {

// The tournament's details, editable, and its figures so far.
class InfoDialog : public QDialog {
public:
    explicit InfoDialog(const Tournament& tournament, QWidget* parent = nullptr);
    QString GetName() const;
    TournamentInfo GetInfo() const;

private:
    QLineEdit* m_name;
    QLineEdit* m_venue;
    QLineEdit* m_dates;
    QLineEdit* m_arbiter;
    QPlainTextEdit* m_notes;
};

// "Иванов Иван (5½)", or several names when the lead is shared; "" before any result.
QString LeaderText(const Tournament& tournament);

} // namespace rr::ui
