#include "CStartPage.h"

#include "app/CRecentFileList.h"
#include "app/CVelmoraApp.h"
#include "systems/HostText.h"
#include "core/NaturalOrder.h"
#include "systems/SystemCatalogue.h"
#include "velmora_system.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLibrary>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CStartPage::CStartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("startPage"));
    setAutoFillBackground(true);
    m_btnNew = new QPushButton(QStringLiteral("Создать чемпионат (Ctrl+N)"), this);
    m_btnNew->setObjectName(QStringLiteral("btnStartNew"));
    m_btnOpen = new QPushButton(QStringLiteral("Открыть (Ctrl+O)"), this);
    m_btnOpen->setObjectName(QStringLiteral("btnStartOpen"));
    m_listRecent = new QListWidget(this);
    m_listRecent->setObjectName(QStringLiteral("listStartRecent"));
    m_listSystems = new QListWidget(this);
    m_listSystems->setObjectName(QStringLiteral("listStartSystems"));
    m_listSystems->setSelectionMode(QAbstractItemView::NoSelection);
    m_listSystems->setFocusPolicy(Qt::NoFocus);

    auto* title = new QLabel(QStringLiteral("Velmora"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnNew);
    buttons->addWidget(m_btnOpen);
    buttons->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Прошлые чемпионаты"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Установленные турнирные системы"), this), 0, 1);
    grid->addWidget(m_listRecent, 1, 0);
    grid->addWidget(m_listSystems, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addSpacing(12);
    layout->addLayout(grid, 1);

    connect(m_btnNew, &QPushButton::clicked, this, &CStartPage::newRequested);
    connect(m_btnOpen, &QPushButton::clicked, this, &CStartPage::openRequested);
    // One click opens, as a link would; Enter on a chosen line too.
    connect(m_listRecent, &QListWidget::itemClicked, this, &CStartPage::OnRecentActivated);
    connect(m_listRecent, &QListWidget::itemActivated, this, &CStartPage::OnRecentActivated);
}

void CStartPage::Refresh() {
    CVelmoraApp* app = theApp();
    m_listRecent->clear();
    if (const CRecentFileList* recent = app ? app->GetRecentFileList() : nullptr)
        for (const QString& path : recent->Files()) {
            auto* item = new QListWidgetItem(
                QFileInfo(path).fileName() + QStringLiteral(" — ") +
                QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
            item->setData(Qt::UserRole, path);
            item->setToolTip(QDir::toNativeSeparators(path));
            m_listRecent->addItem(item);
        }

    QStringList names;
    for (int i = 0, n = app && app->m_pCatalogue ? app->m_pCatalogue->GetCount() : 0; i < n; ++i) {
        const SystemInfo* system = app->m_pCatalogue->GetAt(i);
        if (!system || !system->m_hLibrary)
            continue;
        char name[VELMORA_NAME_SIZE] = {};
        if (auto getName = reinterpret_cast<VelmoraFn_GetSystemName>(
                system->m_hLibrary->resolve("GetSystemName")))
            getName(name);
        names.append(TextFromBuffer(name, sizeof name));
    }
    std::stable_sort(names.begin(), names.end(), NaturalLess);
    m_listSystems->clear();
    m_listSystems->addItems(names);
}

void CStartPage::OnRecentActivated(QListWidgetItem* item) {
    if (item)
        emit recentChosen(item->data(Qt::UserRole).toString());
}
