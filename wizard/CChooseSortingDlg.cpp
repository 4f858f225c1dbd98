#include "wizard/CChooseSortingDlg.h"

#include "core/DialogUnits.h"
#include "systems/HostText.h"
#include "wizard/WizardHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CChooseSortingDlg::CChooseSortingDlg(const SystemEntryTable* pEntries, QWidget* parent)
    : QDialog(parent), m_pEntries(pEntries), m_listSortings(new QListWidget(this)),
      m_btnNext(new QPushButton(QStringLiteral("Далее"), this)),
      m_btnCancel(new QPushButton(QStringLiteral("Отмена"), this)) {
    setObjectName(QStringLiteral("CChooseSortingDlg"));
    setWindowTitle(QStringLiteral("Параметры нового чемпионата"));
    setModal(true);
    m_listSortings->setObjectName(QStringLiteral("listSortings"));
    m_listSortings->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_btnNext->setObjectName(QStringLiteral("btnNext"));
    m_btnNext->setDefault(true);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* label = new QLabel(QStringLiteral("Метод жеребьёвки:"), this);
    label->setBuddy(m_listSortings);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_listSortings, 1, 0, 3, 1);
    grid->addWidget(m_btnNext, 1, 1);
    grid->addWidget(m_btnCancel, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    setTabOrder(m_listSortings, m_btnNext);
    setTabOrder(m_btnNext, m_btnCancel);

    connect(m_listSortings, &QListWidget::itemDoubleClicked, this, &CChooseSortingDlg::accept);
    connect(m_btnNext, &QPushButton::clicked, this, &CChooseSortingDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CChooseSortingDlg::reject);

    resize(DialogUnitsToPixels(this, 244, 73));
}

void CChooseSortingDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CChooseSortingDlg::OnInitDialog() {
    const int count = m_pEntries->GetSortingTypesCount();
    TextBufferArray names(count);
    if (names.Count() > 0) {
        m_pEntries->GetSortingTypesHeaders(names.Pointers(), count);
        m_listSortings->addItems(names.Texts());
        m_listSortings->setCurrentRow(0);
    }
    m_listSortings->setFocus();
}

void CChooseSortingDlg::accept() {
    m_nSorting = qMax(0, m_listSortings->currentRow());
    done(1);
}

void CChooseSortingDlg::reject() {
    done(2);
}
