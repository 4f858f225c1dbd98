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

    // Read-only fields rather than labels, so that the addresses can be selected and copied.
    QLineEdit* m_editSite;
    QLineEdit* m_editFeedback;

private:
    void OnInitDialog();
};
