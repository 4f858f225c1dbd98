#include "CAboutDlg.h"

#include "app/CMainFrame.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* AddressField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setFocusPolicy(Qt::StrongFocus);
    // The field looks like the dialog's text, yet can be selected and copied.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, parent->palette().color(QPalette::Window));
    field->setPalette(palette);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 26);
    return field;
}

QLabel* Label(const QString& text, QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(CMainFrame::ProgramIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* header = new QGridLayout;
    header->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    header->addWidget(Label(QStringLiteral("Velmora"), this), 0, 1);
    header->addWidget(Label(QStringLiteral("Версия 1.5.0"), this), 1, 1);
    header->addWidget(Label(QStringLiteral("Сборка 9 от 20.12.2002"), this), 2, 1);
    header->setColumnStretch(1, 1);
    header->setHorizontalSpacing(12);

    m_editSite = AddressField(QStringLiteral("edit1006"), this);
    m_editFeedback = AddressField(QStringLiteral("edit1007"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setText(QStringLiteral("OK"));
    ok->setIcon(QIcon());
    ok->setDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addSpacing(8);
    layout->addWidget(Label(QStringLiteral("Чемпионаты по любым видам спорта и играм."), this));
    layout->addWidget(Label(QStringLiteral("Сайт программы:"), this, Qt::AlignHCenter));
    layout->addWidget(m_editSite);
    auto* feedback =
        Label(QStringLiteral("Отзывы и предложения отправляйте на"), this, Qt::AlignHCenter);
    feedback->setWordWrap(true);
    layout->addWidget(feedback);
    layout->addWidget(m_editFeedback);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OnInitDialog();
}

QString CAboutDlg::SiteAddress() {
    return QStringLiteral("https://velmora.example/");
}

QString CAboutDlg::FeedbackAddress() {
    return QStringLiteral("feedback@velmora.example");
}

void CAboutDlg::OnInitDialog() {
    m_editSite->setText(SiteAddress());
    m_editFeedback->setText(FeedbackAddress());
    m_editSite->setCursorPosition(0);
    m_editFeedback->setCursorPosition(0);
}
