#include "wizard/CGetPlayersDlg.h"

#include "core/DialogUnits.h"
#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "systems/HostText.h"
#include "systems/PathHelpers.h"
#include "systems/PluginHandles.h"
#include "wizard/CPlayersListBox.h"
#include "wizard/WizardHelpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QGroupBox* MakeGroup(const QString& title, const QList<QPushButton*>& buttons, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    return group;
}

} // namespace

CGetPlayersDlg::CGetPlayersDlg(const SystemEntryTable* pEntries, VelmoraPlayers* ppPlayers,
                               QWidget* parent)
    : QDialog(parent), m_ppPlayers(ppPlayers), m_pEntries(pEntries),
      m_listPlayers(new CPlayersListBox(this, this)),
      m_btnPlayerModify(MakeButton(QStringLiteral("Изменить"), "btnPlayerModify", this)),
      m_btnPlayerDelete(MakeButton(QStringLiteral("Удалить"), "btnPlayerDelete", this)),
      m_btnPlayerAdd(MakeButton(QStringLiteral("Добавить"), "btnPlayerAdd", this)),
      m_btnListAdd(MakeButton(QStringLiteral("Добавить"), "btnListAdd", this)),
      m_btnListSave(MakeButton(QStringLiteral("Сохранить"), "btnListSave", this)),
      m_btnListSaveAs(MakeButton(QStringLiteral("Сохранить как ..."), "btnListSaveAs", this)),
      m_btnListLoad(MakeButton(QStringLiteral("Загрузить"), "btnListLoad", this)),
      m_btnNext(MakeButton(QStringLiteral("Далее"), "btnNext", this)),
      m_btnCancel(MakeButton(QStringLiteral("Отмена"), "btnCancel", this)),
      m_labelCount(new QLabel(this)) {
    setObjectName(QStringLiteral("CGetPlayersDlg"));
    setWindowTitle(QStringLiteral("Параметры нового чемпионата"));
    setModal(true);

    m_listPlayers->setObjectName(QStringLiteral("listPlayers"));
    m_listPlayers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listPlayers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every line has the font's height: lets the list lay out thousands of rows at once.
    m_listPlayers->setUniformItemSizes(true);
    m_labelCount->setObjectName(QStringLiteral("labelCount"));
    m_btnPlayerAdd->setDefault(true);

    auto* labelPlayers = new QLabel(QStringLiteral("Игроки"), this);
    labelPlayers->setBuddy(m_listPlayers);
    auto* left = new QVBoxLayout;
    left->addWidget(labelPlayers);
    left->addWidget(m_listPlayers, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Количество игроков:"), this));
    countRow->addWidget(m_labelCount, 1);
    left->addLayout(countRow);

    auto* right = new QVBoxLayout;
    right->addSpacing(labelPlayers->sizeHint().height());
    right->addWidget(MakeGroup(QStringLiteral("Игрок"),
                               {m_btnPlayerAdd, m_btnPlayerModify, m_btnPlayerDelete}, this));
    right->addWidget(MakeGroup(QStringLiteral("Список игроков"),
                               {m_btnListAdd, m_btnListSave, m_btnListSaveAs, m_btnListLoad},
                               this));
    right->addWidget(MakeGroup(QStringLiteral("Чемпионат"), {m_btnNext, m_btnCancel}, this));
    right->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 144);
    layout->addLayout(right, 90);

    setTabOrder(m_listPlayers, m_btnPlayerAdd);
    setTabOrder(m_btnPlayerAdd, m_btnPlayerModify);
    setTabOrder(m_btnPlayerModify, m_btnPlayerDelete);
    setTabOrder(m_btnPlayerDelete, m_btnListAdd);
    setTabOrder(m_btnListAdd, m_btnListSave);
    setTabOrder(m_btnListSave, m_btnListSaveAs);
    setTabOrder(m_btnListSaveAs, m_btnListLoad);
    setTabOrder(m_btnListLoad, m_btnNext);
    setTabOrder(m_btnNext, m_btnCancel);

    connect(m_btnPlayerAdd, &QPushButton::clicked, this, &CGetPlayersDlg::OnPlayerAdd);
    connect(m_btnPlayerModify, &QPushButton::clicked, this, &CGetPlayersDlg::OnPlayerModify);
    connect(m_listPlayers, &QListWidget::itemDoubleClicked, this, &CGetPlayersDlg::OnPlayerModify);
    connect(m_btnPlayerDelete, &QPushButton::clicked, this, &CGetPlayersDlg::OnPlayerDelete);
    connect(m_btnListAdd, &QPushButton::clicked, this, &CGetPlayersDlg::OnListAdd);
    connect(m_btnListSave, &QPushButton::clicked, this, &CGetPlayersDlg::OnListSave);
    connect(m_btnListSaveAs, &QPushButton::clicked, this, &CGetPlayersDlg::OnListSaveAs);
    connect(m_btnListLoad, &QPushButton::clicked, this, &CGetPlayersDlg::OnListLoad);
    connect(m_btnNext, &QPushButton::clicked, this, &CGetPlayersDlg::OnNext);
    connect(m_btnCancel, &QPushButton::clicked, this, &CGetPlayersDlg::reject);

    RefreshControls();
    resize(DialogUnitsToPixels(this, 250, 252));
}

void CGetPlayersDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        RefreshControls();
        m_listPlayers->setFocus();
    }
    QDialog::showEvent(event);
}

void CGetPlayersDlg::reject() {
    done(2);
}

QString CGetPlayersDlg::PlayerLine(int index) const {
    char line[VELMORA_NAME_SIZE] = {};
    m_pEntries->GetPlayerHeader(Players(), line, index);
    return TextFromBuffer(line, sizeof line);
}

void CGetPlayersDlg::RefreshControls() {
    m_nPlayers = m_listPlayers->count();
    m_btnPlayerModify->setEnabled(m_nPlayers != 0);
    m_btnPlayerDelete->setEnabled(m_nPlayers != 0);
    m_btnPlayerAdd->setEnabled(m_nPlayers < kMaxPlayers);
    for (QPushButton* button : {m_btnPlayerAdd, m_btnPlayerModify, m_btnPlayerDelete})
        if (button->isVisible())
            button->repaint();
    m_labelCount->setText(QString::number(m_nPlayers));
}

void CGetPlayersDlg::OnPlayerAdd() {
    if (m_listPlayers->count() < kMaxPlayers) {
        const int row = m_pEntries->OnAddPlayer(Players());
        if (row >= 0) {
            // A plug-in that answers past the end still gets its line shown, at the end.
            const int at = qMin(row, m_listPlayers->count());
            m_listPlayers->insertItem(at, PlayerLine(row));
            if (m_listPlayers->count() == 1)
                m_listPlayers->setCurrentRow(0);
        }
    }
    RefreshControls();
    m_listPlayers->setFocus();
}

void CGetPlayersDlg::OnPlayerModify() {
    if (m_listPlayers->count() == 0)
        return;
    const int row = m_listPlayers->currentRow();
    if (row < 0 || !m_listPlayers->item(row)->isSelected())
        return;
    if (m_pEntries->OnModifyPlayer(Players(), row) == 0)
        return;
    m_listPlayers->setUpdatesEnabled(false);
    delete m_listPlayers->takeItem(row);
    m_listPlayers->insertItem(row, PlayerLine(row));
    m_listPlayers->setCurrentRow(row);
    m_listPlayers->setUpdatesEnabled(true);
    m_listPlayers->viewport()->update();
}

void CGetPlayersDlg::OnPlayerDelete() {
    if (m_listPlayers->count() == 0)
        return;
    const auto answer = Prompts::Message(
        this, QStringLiteral("Вы действительно хотите удалить этого игрока?"),
        QStringLiteral("Удаление игрока"), Prompts::Icon::None, QMessageBox::Yes | QMessageBox::No);
    const int row = m_listPlayers->currentRow();
    if (answer == QMessageBox::Yes && row >= 0 && m_listPlayers->item(row)->isSelected()) {
        m_pEntries->OnDeletePlayer(Players(), row);
        delete m_listPlayers->takeItem(row);
        const int count = m_listPlayers->count();
        if (count > 0)
            m_listPlayers->setCurrentRow(row < count ? row : count - 1);
    }
    RefreshControls();
}

QString CGetPlayersDlg::ListFolder() const {
    // A remembered file starts the next dialog in its folder.
    return m_strListPath.isEmpty() ? QString() : GetPathFolder(m_strListPath);
}

QString CGetPlayersDlg::AskListFile(bool save, const QString& title,
                                    const QString& initialFolder) const {
    Prompts::FileRequest request;
    request.save = save;
    request.owner = const_cast<CGetPlayersDlg*>(this);
    request.title = title;
    request.filters = {QStringLiteral("Players List Files (*.plr)")};
    // Systems also read lists exported from a spreadsheet; opening shows them too.
    if (!save)
        request.filters << QStringLiteral("Таблицы (*.csv *.tsv *.txt)")
                        << QStringLiteral("Все файлы (*)");
    request.defaultSuffix = QStringLiteral("plr");
    request.initialName = QStringLiteral("*.plr");
    request.initialFolder = initialFolder;
    request.mustExist = !save;
    request.confirmOverwrite = true;
    return Prompts::FileDialog(request);
}

void CGetPlayersDlg::OnListSave() {
    if (!m_strListPath.isEmpty()) {
        m_pEntries->OnSavePlayers(Players(), m_strListPath.toUtf8().constData());
        return;
    }
    SaveListFrom(m_strProgramFolder);
}

void CGetPlayersDlg::OnListSaveAs() {
    SaveListFrom(ListFolder());
}

void CGetPlayersDlg::SaveListFrom(const QString& initialFolder) {
    const QString path =
        AskListFile(true, QStringLiteral("Сохранить список игроков"), initialFolder);
    if (path.isEmpty())
        return;
    m_strListPath = path;
    m_pEntries->OnSavePlayers(Players(), path.toUtf8().constData());
}

void CGetPlayersDlg::OnListLoad() {
    const QString path =
        AskListFile(false, QStringLiteral("Загрузить список игроков"), ListFolder());
    if (path.isEmpty())
        return;
    ShowProgress(QStringLiteral("Загрузка списка игроков"), this);
    // The file is read before the current players are given up: a file the plug-in cannot
    // read must not cost the players typed so far.
    const VelmoraPlayers loaded = m_pEntries->OnLoadPlayers(path.toUtf8().constData());
    ShowProgress(QString());
    if (!loaded)
        return;
    // Only a file that was read is remembered, so "Сохранить" never writes over a file that
    // could not be read as a players list.
    m_strListPath = path;
    m_pEntries->FreePlayers(Players());
    *m_ppPlayers = loaded;
    ReloadPlayerList();
}

void CGetPlayersDlg::OnListAdd() {
    const QString path =
        AskListFile(false, QStringLiteral("Добавить список игроков"), ListFolder());
    if (path.isEmpty())
        return;
    ShowProgress(QStringLiteral("Добавление списка игроков"), this);
    if (const VelmoraPlayers loaded = m_pEntries->OnLoadPlayers(path.toUtf8().constData())) {
        // The list read is only a source: given back once its players are added.
        const PlayersHandle other(m_pEntries, loaded);
        m_strListPath = path;
        m_pEntries->OnAddPlayerList(Players(), other.Get());
    }
    ShowProgress(QString());
    ReloadPlayerList();
}

void CGetPlayersDlg::ReloadPlayerList() {
    const VelmoraPlayers players = Players();
    m_listPlayers->setUpdatesEnabled(false);
    m_listPlayers->clear();
    // Drop players at the front until the limit holds. A plug-in whose count does not fall
    // is asked no more often than its first count allows, so it cannot hang the dialog.
    int count = m_pEntries->GetPlayersCount(players);
    for (qint64 excess = qint64(count) - kMaxPlayers; count > kMaxPlayers && excess > 0; --excess) {
        m_pEntries->OnDeletePlayer(players, 0);
        count = m_pEntries->GetPlayersCount(players);
    }
    count = qBound(0, m_pEntries->GetPlayersCount(players), int(kMaxPlayers));
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(PlayerLine(i));
    m_listPlayers->addItems(lines);
    if (m_listPlayers->count() > 0)
        m_listPlayers->setCurrentRow(0);
    m_listPlayers->setUpdatesEnabled(true);
    if (m_listPlayers->isVisible())
        m_listPlayers->repaint();
    RefreshControls();
}

void CGetPlayersDlg::OnNext() {
    if (m_listPlayers->count() > 2) {
        done(1);
        return;
    }
    Prompts::Message(this, QStringLiteral("Количество игроков должно быть больше двух"),
                     QStringLiteral("Ошибка"), Prompts::Icon::None, QMessageBox::Ok);
}
