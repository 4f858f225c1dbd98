#pragma once

#include <QDialog>

class QLineEdit;

// The About box "О программе": name, version, build, and the site and feedback addresses in
// read-only fields that can be selected and copied.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static QString SiteAddress();
    static QString FeedbackAddress();

    QLineEdit* m_editSite;     // control 1006
    QLineEdit* m_editFeedback; // control 1007

private:
    void OnInitDialog();
};
