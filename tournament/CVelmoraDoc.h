#pragma once

#include "systems/SystemEntryTable.h"

#include <QObject>
#include <QString>

#include <memory>

class CChildFrame;
class CVelmoraView;
class SystemInfo;
class QWidget;

// One open tournament: the plug-in's handle, the system and skin, the tournament file and
// its table page. Owns its own entry table; frees the tournament when destroyed.
class CVelmoraDoc : public QObject {
    Q_OBJECT
public:
    explicit CVelmoraDoc(QObject* parent = nullptr);
    ~CVelmoraDoc() override; // FreeTournament, exactly once

    // The framework's new-document step: empty and not modified.
    bool OnNewDocument();
    void AttachTournament(VelmoraTournament hTournament, SystemInfo* pSystem, int nSkin,
                          const QString& strTournamentPath, const QString& strTablePath);
    // False, with a message and nothing changed, when the tournament file did not get written.
    bool SaveDocumentTo(const QString& path);
    void RefreshTitle();

    // The framework's document commands and save prompt.
    bool DoFileSave(); // Save (57603): falls back to Save As for a read-only or missing file
    bool DoSaveAs();   // Save As (57604); false when cancelled
    // Before closing: asks "Save changes to %1?" when modified. False: keep the window open.
    bool SaveModified();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    QString GetTitle() const { return m_strTitle; }
    QString GetPathName() const { return m_strPathName; }

    CVelmoraView* GetView() const { return m_pView; }
    CChildFrame* GetFrame() const;
    void SetView(CVelmoraView* view) { m_pView = view; }

    // Copies the current skin's files beside the tournament file.
    void CopyCurrentSkinFiles();
    // The current skin's folder in the system's package; the title the live view lists (the
    // file's name, never its folder).
    QString SkinFolder() const;
    QString LivePageTitle() const;

    VelmoraTournament m_hTournament = 0;
    std::unique_ptr<SystemEntryTable> m_pEntries;
    QString m_strTournamentPath;
    QString m_strTablePath;
    SystemInfo* m_pSystem = nullptr; // not owned; lives in the catalogue
    int m_nSkin = 0;

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

private:
    // The owner of the document's prompts: the main window, or the tournament's own window
    // when there is no main window.
    QWidget* DialogOwner() const;

    bool m_bModified = false;
    QString m_strTitle;
    QString m_strPathName;
    CVelmoraView* m_pView = nullptr;
};
