#include "CSelectSkinDlg.h"

#include "core/ListRows.h"
#include "systems/SystemInfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSelectSkinDlg::CSelectSkinDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("selectSkinDlg"));
    setWindowTitle(QStringLiteral("Выберите скин"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Скин"), this);
    m_listSkins = new QListWidget(this);
    m_listSkins->setObjectName(QStringLiteral("listSkins"));
    m_listSkins->setSelectionMode(QAbstractItemView::SingleSelection);
    label->setBuddy(m_listSkins);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));

    layout->addWidget(label);
    layout->addWidget(m_listSkins);
    layout->addWidget(buttons);
    resize(230, 250);

    connect(ok, &QPushButton::clicked, this, &CSelectSkinDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_listSkins, &QListWidget::itemDoubleClicked, this, &CSelectSkinDlg::OnOK);
}

int CSelectSkinDlg::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CSelectSkinDlg::OnInitDialog() {
    m_listSkins->clear();
    if (!m_pSystem)
        return;
    // Sorted as the other skin lists of the program, each row knowing its skin's position.
    for (int j = 0; j < m_pSystem->m_skins.size(); ++j)
        InsertSorted(m_listSkins, m_pSystem->m_skins.at(j), j);
    for (int row = 0; row < m_listSkins->count(); ++row)
        if (m_listSkins->item(row)->data(Qt::UserRole).toInt() == m_nSkin)
            m_listSkins->setCurrentRow(row);
}

void CSelectSkinDlg::OnOK() {
    // Without a selection the current skin stays: OK then changes nothing.
    if (const int skin = SelectedItemValue(m_listSkins); skin >= 0)
        m_nSkin = skin;
    accept();
}
