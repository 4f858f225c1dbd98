#include "wizard/CNewTournamentDlg.h"

#include "core/DialogUnits.h"
#include "core/ListRows.h"
#include "core/Prompts.h"
#include "systems/HostText.h"
#include "systems/SystemCatalogue.h"
#include "systems/velmora_system.h"
#include "wizard/WizardHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNewTournamentDlg::CNewTournamentDlg(const SystemCatalogue* catalogue, QWidget* parent)
    : QDialog(parent), m_listSystems(new QListWidget(this)),
      m_editDescription(new QPlainTextEdit(this)), m_listSkins(new QListWidget(this)),
      m_pCatalogue(catalogue), m_editName(new QLineEdit(this)),
      m_btnNext(new QPushButton(QStringLiteral("Далее"), this)),
      m_btnCancel(new QPushButton(QStringLiteral("Отмена"), this)) {
    setObjectName(QStringLiteral("CNewTournamentDlg"));
    setWindowTitle(QStringLiteral("Параметры нового чемпионата"));
    setModal(true);

    m_listSystems->setObjectName(QStringLiteral("listSystems"));
    m_listSkins->setObjectName(QStringLiteral("listSkins"));
    m_editName->setObjectName(QStringLiteral("editName"));
    m_editName->setMaxLength(kMaxNameLength);
    m_editDescription->setObjectName(QStringLiteral("editDescription"));
    m_editDescription->setReadOnly(true);
    m_editDescription->setTabChangesFocus(true);
    m_editDescription->setFocusPolicy(Qt::StrongFocus);
    m_editDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_btnNext->setObjectName(QStringLiteral("btnNext"));
    m_btnNext->setDefault(true);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* labelSystems = new QLabel(QStringLiteral("Турнирная система"), this);
    auto* labelSkins = new QLabel(QStringLiteral("Скины"), this);
    auto* labelName = new QLabel(QStringLiteral("Название чемпионата"), this);
    auto* labelDescription = new QLabel(QStringLiteral("Описание турнирной системы:"), this);
    labelSystems->setBuddy(m_listSystems);
    labelSkins->setBuddy(m_listSkins);
    labelName->setBuddy(m_editName);
    labelDescription->setBuddy(m_editDescription);

    // Systems and skins side by side, the name below across the width, the description at
    // the bottom with the two buttons to its right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(labelSystems, 0, 0);
    grid->addWidget(labelSkins, 0, 1);
    grid->addWidget(m_listSystems, 1, 0);
    grid->addWidget(m_listSkins, 1, 1);
    grid->addWidget(labelName, 2, 0, 1, 2);
    grid->addWidget(m_editName, 3, 0, 1, 2);
    grid->addWidget(labelDescription, 4, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_editDescription, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnNext);
    buttons->addWidget(m_btnCancel);
    bottom->addLayout(buttons);
    grid->addLayout(bottom, 5, 0, 1, 2);
    grid->setColumnStretch(0, 210);
    grid->setColumnStretch(1, 132);
    grid->setRowStretch(1, 102);
    grid->setRowStretch(5, 42);

    setTabOrder(m_listSystems, m_listSkins);
    setTabOrder(m_listSkins, m_editName);
    setTabOrder(m_editName, m_btnNext);
    setTabOrder(m_btnNext, m_btnCancel);
    setTabOrder(m_btnCancel, m_editDescription);

    connect(m_listSystems, &QListWidget::itemSelectionChanged, this,
            &CNewTournamentDlg::OnSystemChanged);
    connect(m_listSystems, &QListWidget::itemDoubleClicked, this, &CNewTournamentDlg::OnNext);
    connect(m_listSkins, &QListWidget::itemDoubleClicked, this, &CNewTournamentDlg::OnNext);
    connect(m_btnNext, &QPushButton::clicked, this, &CNewTournamentDlg::OnNext);
    connect(m_btnCancel, &QPushButton::clicked, this, &CNewTournamentDlg::reject);

    resize(DialogUnitsToPixels(this, 358, 217));
}

void CNewTournamentDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CNewTournamentDlg::OnInitDialog() {
    m_editName->setText(m_strName.left(kMaxNameLength));
    const int count = m_pCatalogue ? m_pCatalogue->GetCount() : 0;
    {
        // Filling the list must not run OnSystemChanged for every row.
        const QSignalBlocker blocker(m_listSystems);
        for (int i = 0; i < count; ++i) {
            SystemInfo* system = m_pCatalogue->GetAt(i);
            char name[VELMORA_NAME_SIZE] = {};
            if (system && system->m_entries.GetSystemName)
                system->m_entries.GetSystemName(name);
            InsertSorted(m_listSystems, TextFromBuffer(name, sizeof name), i);
        }
        if (m_listSystems->count() > 0)
            m_listSystems->setCurrentRow(0);
    }
    OnSystemChanged();
    if (m_listSkins->count() > 0)
        m_listSkins->setCurrentRow(0);
    m_listSystems->setFocus();
}

SystemInfo* CNewTournamentDlg::SelectedSystem() const {
    const int index = SelectedItemValue(m_listSystems);
    return m_pCatalogue && index >= 0 ? m_pCatalogue->GetAt(index) : nullptr;
}

void CNewTournamentDlg::OnSystemChanged() {
    SystemInfo* system = SelectedSystem();
    char description[VELMORA_DESCRIPTION_SIZE] = {};
    if (system && system->m_entries.GetSystemDescription)
        system->m_entries.GetSystemDescription(description);
    m_editDescription->setPlainText(TextFromBuffer(description, sizeof description));
    FillSkinList();
}

void CNewTournamentDlg::FillSkinList() {
    // The skin keeps its row number across a change of system, clamped to the new list.
    if (const SystemInfo* system = SelectedSystem())
        FillSortedRows(m_listSkins, system->m_skins);
    else
        FillSortedRows(m_listSkins, {});
}

void CNewTournamentDlg::OnNext() {
    if (SelectedItemValue(m_listSystems) < 0) {
        Prompts::Message(this, QStringLiteral("Не выбрана турнирная система"),
                         QStringLiteral("Ошибка"), Prompts::Icon::None, QMessageBox::Ok);
        return;
    }
    m_nSystem = SelectedItemValue(m_listSystems);
    m_nSkin = qMax(0, SelectedItemValue(m_listSkins));
    m_strName = m_editName->text();
    done(kResultNext);
}

void CNewTournamentDlg::reject() {
    done(2);
}
