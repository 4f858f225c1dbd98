#include "wizard/CSelectSystemDlg.h"

#include "core/DialogUnits.h"
#include "core/ListRows.h"
#include "systems/HostText.h"
#include "systems/SystemInfo.h"
#include "wizard/WizardHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CSelectSystemDlg::CSelectSystemDlg(const std::vector<SystemEntryTable>* pTables,
                                   const std::vector<SystemInfo*>* pSystems, QWidget* parent)
    : QDialog(parent), m_pTables(pTables), m_pSystems(pSystems),
      m_listSystems(new QListWidget(this)), m_listSkins(new QListWidget(this)),
      m_btnOpen(new QPushButton(QStringLiteral("Открыть"), this)),
      m_btnCancel(new QPushButton(QStringLiteral("Отмена"), this)) {
    setObjectName(QStringLiteral("CSelectSystemDlg"));
    setWindowTitle(QStringLiteral("Параметры загрузки чемпионата"));
    setModal(true);
    m_listSystems->setObjectName(QStringLiteral("listSystems"));
    m_listSkins->setObjectName(QStringLiteral("listSkins"));
    for (QListWidget* list : {m_listSystems, m_listSkins})
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_btnOpen->setObjectName(QStringLiteral("btnOpen"));
    m_btnOpen->setDefault(true);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* labelSystems = new QLabel(QStringLiteral("Совместимые турнирные системы"), this);
    auto* labelSkins = new QLabel(QStringLiteral("Скины"), this);
    labelSystems->setBuddy(m_listSystems);
    labelSkins->setBuddy(m_listSkins);
    auto* grid = new QGridLayout(this);
    grid->addWidget(labelSystems, 0, 0);
    grid->addWidget(labelSkins, 0, 1);
    grid->addWidget(m_listSystems, 1, 0);
    grid->addWidget(m_listSkins, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOpen);
    buttons->addWidget(m_btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 210);
    grid->setColumnStretch(1, 132);
    grid->setRowStretch(1, 1);

    setTabOrder(m_listSystems, m_listSkins);
    setTabOrder(m_listSkins, m_btnOpen);
    setTabOrder(m_btnOpen, m_btnCancel);

    connect(m_listSystems, &QListWidget::itemSelectionChanged, this,
            &CSelectSystemDlg::FillSkinList);
    connect(m_listSystems, &QListWidget::itemDoubleClicked, this, &CSelectSystemDlg::accept);
    connect(m_listSkins, &QListWidget::itemDoubleClicked, this, &CSelectSystemDlg::accept);
    connect(m_btnOpen, &QPushButton::clicked, this, &CSelectSystemDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CSelectSystemDlg::reject);

    resize(DialogUnitsToPixels(this, 358, 138));
}

void CSelectSystemDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CSelectSystemDlg::OnInitDialog() {
    {
        const QSignalBlocker blocker(m_listSystems);
        const int count = m_pTables ? static_cast<int>(m_pTables->size()) : 0;
        for (int k = 0; k < count; ++k) {
            char name[VELMORA_NAME_SIZE] = {};
            if (const auto getName = (*m_pTables)[k].GetSystemName)
                getName(name);
            InsertSorted(m_listSystems, TextFromBuffer(name, sizeof name), k);
        }
        if (m_listSystems->count() > 0)
            m_listSystems->setCurrentRow(PreferredRow(m_listSystems, [this](int k) {
                return (*m_pSystems)[k] &&
                       (*m_pSystems)[k]->m_strLibraryPath == m_strPreferredLibrary;
            }));
    }
    FillSkinList();
    if (m_listSkins->count() > 0) {
        const SystemInfo* system = SelectedSystemIndex() >= 0 ? (*m_pSystems)[SelectedSystemIndex()]
                                                              : nullptr;
        // The remembered skin only with the remembered system.
        const bool remembered = system && system->m_strLibraryPath == m_strPreferredLibrary;
        m_listSkins->setCurrentRow(PreferredRow(m_listSkins, [&](int j) {
            return remembered && system->m_skins.value(j) == m_strPreferredSkin;
        }));
    }
    m_listSystems->setFocus();
}

void CSelectSystemDlg::SetPreferred(const QString& library, const QString& skin) {
    m_strPreferredLibrary = library;
    m_strPreferredSkin = skin;
}

int CSelectSystemDlg::PreferredRow(const QListWidget* list,
                                   const std::function<bool(int)>& preferred) {
    for (int row = 0; row < list->count(); ++row)
        if (preferred(list->item(row)->data(Qt::UserRole).toInt()))
            return row;
    return 0;
}

int CSelectSystemDlg::SelectedSystemIndex() const {
    const int k = SelectedItemValue(m_listSystems);
    const int size =
        m_pSystems && m_pTables ? static_cast<int>(qMin(m_pSystems->size(), m_pTables->size())) : 0;
    return k >= 0 && k < size ? k : -1;
}

void CSelectSystemDlg::FillSkinList() {
    // The skin keeps its row number across a change of system, clamped to the new list.
    const int k = SelectedSystemIndex();
    FillSortedRows(m_listSkins, k >= 0 ? (*m_pSystems)[k]->m_skins : QStringList());
}

void CSelectSystemDlg::accept() {
    const int k = SelectedSystemIndex();
    if (k < 0)
        return; // nothing to open with; the lists are never empty when shown by the opening
    m_entries = (*m_pTables)[k];
    m_pSystem = (*m_pSystems)[k];
    m_nSkin = qMax(0, SelectedItemValue(m_listSkins));
    done(QDialog::Accepted);
}

void CSelectSystemDlg::reject() {
    done(2);
}
