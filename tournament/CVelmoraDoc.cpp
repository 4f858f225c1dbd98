#include "CVelmoraDoc.h"

#include "core/ProgressText.h"
#include "core/Prompts.h"
#include "core/Profile.h"
#include "live/CLiveService.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"
#include "tournament/CChildFrame.h"
#include "tournament/CVelmoraView.h"
#include "tournament/HostServices.h"
#include "tournament/FileStamp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CVelmoraDoc::CVelmoraDoc(HostServices* host, QObject* parent) : QObject(parent), m_pHost(host) {}

CVelmoraDoc::~CVelmoraDoc() {
    // Its page leaves the live view before the tournament (freed by its guard) goes.
    CLiveService::Instance()->TournamentClosed(this);
}

bool CVelmoraDoc::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

void CVelmoraDoc::AttachTournament(VelmoraTournament hTournament, SystemInfo* pSystem, int nSkin,
                                   const QString& strTournamentPath, const QString& strTablePath) {
    m_pEntries = pSystem ? &pSystem->m_entries : nullptr;
    m_tournament = TournamentHandle(m_pEntries, hTournament);
    m_pSystem = pSystem;
    m_nSkin = nSkin;
    m_strTournamentPath = strTournamentPath;
    m_strTablePath = strTablePath;
    RefreshTitle();
    RememberChoice();
}

void CVelmoraDoc::RememberChoice() const {
    if (!m_pSystem || m_strTournamentPath.isEmpty())
        return;
    Profile::RememberChoice(m_strTournamentPath,
                            {m_pSystem->m_strLibraryPath, m_pSystem->m_skins.value(m_nSkin)});
}

namespace {

// The first line of a file, up to what a format identifier can hold: the line the opening
// reads to find the systems that accept the file.
QByteArray FirstLineOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray head = file.read(VELMORA_NAME_SIZE + 2);
    const qsizetype lineFeed = head.indexOf('\n');
    if (lineFeed >= 0)
        head.truncate(lineFeed);
    if (head.endsWith('\r'))
        head.chop(1);
    return head;
}

} // namespace

bool CVelmoraDoc::SaveDocumentTo(const QString& path) {
    const QString target = GetFullPath(path);
    const QByteArray tournamentPath = target.toUtf8();
    const FileStamp before = FileStamp::Take(target);
    const QByteArray formatBefore = before.Exists() ? FirstLineOf(target) : QByteArray();
    if (m_pEntries && m_pEntries->OnSaveTournament)
        m_pEntries->OnSaveTournament(GetTournament(), tournamentPath.constData());
    // The system's answer says nothing reliable (many answer 0 either way); the disk does. A
    // file that is not there, or is still the old one (a full disk, a folder that takes no
    // new files), or was cut short as it was written (empty, or no longer starting with the
    // format line the opening reads) holds no save: the document keeps its path and its
    // changes, so that closing still asks instead of losing them.
    const FileStamp after = FileStamp::Take(target);
    const bool saved = after.RewrittenSince(before) && after.Size() > 0 &&
                       (!before.Exists() || FirstLineOf(target) == formatBefore);
    if (!saved) {
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
        m_pEntries->SaveTable(GetTournament(), tablePath.constData());
    ShowProgress(QString());

    ShowProgress(QStringLiteral("Обновляются дополнительные файлы"));
    CopyCurrentSkinFiles();
    ShowProgress(QString());

    SetModifiedFlag(false);
    RefreshTitle();
    RememberChoice();
    return true;
}

void CVelmoraDoc::CopyCurrentSkinFiles() {
    const SystemCatalogue* catalogue = m_pHost ? m_pHost->Catalogue() : nullptr;
    if (!catalogue || !m_pSystem)
        return;
    if (m_nSkin < 0 || m_nSkin >= m_pSystem->m_skins.size())
        return;
    catalogue->CopySkinFiles(m_pSystem, m_pSystem->m_skins.at(m_nSkin),
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
    // "[*]": the platform's mark of unsaved changes, shown while the document is modified.
    if (CChildFrame* frame = GetFrame()) {
        frame->setWindowTitle(title + QStringLiteral("[*]"));
        frame->setWindowModified(m_bModified);
    }
    m_strPathName = m_strTournamentPath;
    if (m_pHost && !m_strPathName.isEmpty())
        m_pHost->AddToRecentFiles(m_strPathName);
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
    // The framework's own strings: Russian through the program's translation.
    request.title = tr("Save As");
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
        DialogOwner(), tr("Save changes to %1?").arg(name), QStringLiteral("Velmora"),
        Prompts::Icon::Exclamation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return DoFileSave();
    return answer == QMessageBox::No;
}

void CVelmoraDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    if (CChildFrame* frame = GetFrame())
        frame->setWindowModified(modified);
    emit modifiedChanged(modified);
}

CChildFrame* CVelmoraDoc::GetFrame() const {
    for (QWidget* w = m_pView; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

QWidget* CVelmoraDoc::DialogOwner() const {
    if (QWidget* owner = m_pHost ? m_pHost->DialogOwner() : nullptr)
        return owner;
    if (CChildFrame* frame = GetFrame())
        return frame;
    return m_pView;
}
