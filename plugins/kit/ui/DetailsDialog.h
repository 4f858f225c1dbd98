#pragma once

#include "TournamentInfo.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class QPlainTextEdit;

namespace kit::ui {

// One read-only line of figures under the details: "Участников:" "12".
struct Figure {
    const char* objectName;
    QString label;
    QString text;
};

// A tournament's name and details, editable, and its figures so far.
class DetailsDialog : public QDialog {
public:
    DetailsDialog(const QString& name, const TournamentInfo& info, const QList<Figure>& figures,
                  QWidget* parent = nullptr);
    QString GetName() const;
    TournamentInfo GetInfo() const;

private:
    QLineEdit* m_name;
    QLineEdit* m_venue;
    QLineEdit* m_dates;
    QLineEdit* m_arbiter;
    QPlainTextEdit* m_notes;
};

} // namespace kit::ui
