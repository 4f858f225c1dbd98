#include "CVelmoraDoc.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVelmoraApp.h"
#include "app/Prompts.h"
#include "live/CLiveService.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CVelmoraView.h"
#include "tournament/ProgressText.h"

#include <QDir>
#include <QFileInfo>

CVelmoraDoc::CVelmoraDoc(QObject* parent) : QObject(parent) {}

CVelmoraDoc::~CVelmoraDoc() {
    CLiveService::Instance()->TournamentClosed(this);
    if (m_pEntries && m_pEntries->FreeTournament)
        m_pEntries->FreeTournament(m_hTournament);
}

bool CVelmoraDoc::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

void CVelmoraDoc::AttachTournament(VelmoraTournament hTournament, SystemInfo* pSystem, int nSkin,
                                   const QString& strTournamentPath, const QString& strTablePath) {
    m_hTournament = hTournament;
    // Each document resolves its own table, even when another document uses the same system.
    m_pEntries = std::make_unique<SystemEntryTable>();
    if (pSystem && pSystem->m_hLibrary)
        m_pEntries->Resolve(pSystem->m_hLibrary.get());
    m_pSystem = pSystem;
    m_nSkin = nSkin;
    m_strTournamentPath = strTournamentPath;
    m_strTablePath = strTablePath;
    RefreshTitle();
}

bool CVelmoraDoc::SaveDocumentTo(const QString& path) {
    const QString target = GetFullPath(path);
    const QByteArray tournamentPath = target.toUtf8();
    if (m_pEntries && m_pEntries->OnSaveTournament)
        m_pEntries->OnSaveTournament(m_hTournament, tournamentPath.constData());
    // The system's answer says nothing reliable (many answer 0 either way), but a file that is
    // not there was not saved: the document keeps its path and its changes, so that closing
    // still asks instead of losing them.
    if (!QFileInfo(target).isFile()) {
        Prompts::Message(DialogOwner(),
                         QStringLiteral("Чемпионат не сохранён в файл «%1»")
                             .arg(QDir::toNativeSeparators(target)),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
        return false;
    }
    m_strTournamentPath = target;

    m_strTablePath = TablePagePath(m_strTournamentPath);
    ShowProgress(QStringLiteral("Обновляется турнирная таблица"));
    const QByteArray tablePath = m_strTablePath.toUtf8();
    if (m_pEntries && m_pEntries->SaveTable)
        m_pEntries->SaveTable(m_hTournament, tablePath.constData());
    ShowProgress(QString());

    ShowProgress(QStringLiteral("Обновляются дополнительные файлы"));
    CopyCurrentSkinFiles();
    ShowProgress(QString());

    SetModifiedFlag(false);
    RefreshTitle();
    return true;
}

void CVelmoraDoc::CopyCurrentSkinFiles() {
    CVelmoraApp* app = theApp();
    if (!app || !app->m_pCatalogue || !m_pSystem)
        return;
    if (m_nSkin < 0 || m_nSkin >= m_pSystem->m_skins.size())
        return;
    app->m_pCatalogue->CopySkinFiles(m_pSystem, m_pSystem->m_skins.at(m_nSkin),
                                     GetPathFolder(m_strTournamentPath));
}

QString CVelmoraDoc::SkinFolder() const {
    if (!m_pSystem || m_nSkin < 0 || m_nSkin >= m_pSystem->m_skins.size())
        return {};
    return GetPathFolder(m_pSystem->m_strLibraryPath) + m_pSystem->m_skins.at(m_nSkin);
}

QString CVelmoraDoc::LivePageTitle() const {
    return QFileInfo(m_strTournamentPath).completeBaseName();
}

void CVelmoraDoc::RefreshTitle() {
    const QString title = QStringLiteral("Чемпионат ") + m_strTournamentPath;
    if (CChildFrame* frame = GetFrame())
        frame->setWindowTitle(title);
    m_strPathName = m_strTournamentPath;
    if (CVelmoraApp* app = theApp(); app && !m_strPathName.isEmpty())
        app->AddToRecentFileList(m_strPathName);
    // Last: naming the file must not leave the bare file name as the title.
    m_strTitle = title;
    emit titleChanged(title);
}

bool CVelmoraDoc::DoFileSave() {
    const QFileInfo file(m_strTournamentPath);
    // The file's own write bit counts, not only access: as the superuser every file is
    // writable, yet a file marked read-only must not be overwritten behind the user's back.
    const bool readOnly = !file.isWritable() || !(file.permissions() & QFileDevice::WriteOwner);
    if (m_strTournamentPath.isEmpty() || !file.exists() || readOnly)
        return DoSaveAs();
    return SaveDocumentTo(m_strTournamentPath);
}

bool CVelmoraDoc::DoSaveAs() {
    Prompts::FileRequest request;
    request.save = true;
    request.owner = DialogOwner();
    request.title = QStringLiteral("Save As");
    request.filters = {QStringLiteral("Velmora Files (*.trn)"), QStringLiteral("All Files (*.*)")};
    request.defaultSuffix = QStringLiteral("trn");
    request.initialName = m_strTournamentPath;
    request.confirmOverwrite = true;
    const QString path = Prompts::FileDialog(request);
    if (path.isEmpty())
        return false;
    return SaveDocumentTo(path);
}

bool CVelmoraDoc::SaveModified() {
    if (!IsModified())
        return true;
    QString name = QFileInfo(m_strTournamentPath).fileName();
    if (name.isEmpty())
        name = m_strTitle;
    const auto answer = Prompts::Message(
        DialogOwner(), QStringLiteral("Save changes to %1?").arg(name), QStringLiteral("Velmora"),
        Prompts::Icon::Exclamation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return DoFileSave();
    return answer == QMessageBox::No;
}

void CVelmoraDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

CChildFrame* CVelmoraDoc::GetFrame() const {
    for (QWidget* w = m_pView; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

QWidget* CVelmoraDoc::DialogOwner() const {
    if (CVelmoraApp* app = theApp(); app && app->GetMainFrame())
        return app->GetMainFrame();
    if (CChildFrame* frame = GetFrame())
        return frame;
    return m_pView;
}
