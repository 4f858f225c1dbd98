#include "CVelmoraDoc.h"

#include "app/CChildFrame.h"
#include "tournament/CVelmoraView.h"

CVelmoraDoc::CVelmoraDoc(QObject* parent) : QObject(parent) {}

CVelmoraDoc::~CVelmoraDoc() {
    if (m_pEntries && m_pEntries->FreeTournament)
        m_pEntries->FreeTournament(m_hTournament);
}

bool CVelmoraDoc::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

void CVelmoraDoc::AttachTournament(VelmoraTournament hTournament, SystemInfo* pSystem, int nSkin,
                                   const QString& strTournamentPath, const QString& strTablePath) {
    // Skeleton; completed with the document window.
    Q_UNUSED(hTournament) Q_UNUSED(pSystem) Q_UNUSED(nSkin) Q_UNUSED(strTournamentPath)
    Q_UNUSED(strTablePath)
}

bool CVelmoraDoc::SaveDocumentTo(const QString& path) {
    Q_UNUSED(path)
    return true;
}

void CVelmoraDoc::RefreshTitle() {}

bool CVelmoraDoc::DoFileSave() {
    return SaveDocumentTo(m_strTournamentPath);
}

bool CVelmoraDoc::DoSaveAs() {
    return false;
}

bool CVelmoraDoc::SaveModified() {
    return true;
}

void CVelmoraDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

CChildFrame* CVelmoraDoc::GetFrame() const {
    return nullptr;
}
