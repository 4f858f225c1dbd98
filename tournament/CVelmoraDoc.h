#pragma once

#include "systems/PluginHandles.h"

#include <QObject>
#include <QString>

class CChildFrame;
class CVelmoraView;
class HostServices;
class SystemInfo;
class QWidget;

// One open tournament: the plug-in's handle, the system and skin, the tournament file and
// its table page. Owns the tournament handle and frees it when destroyed; the entry table is
// the system's, kept in the catalogue.
class CVelmoraDoc : public QObject {
    Q_OBJECT
public:
    explicit CVelmoraDoc(HostServices* host = nullptr, QObject* parent = nullptr);
    ~CVelmoraDoc() override; // FreeTournament, exactly once

    // The framework's new-document step: empty and not modified.
    bool OnNewDocument();
    // Takes ownership of the tournament, which the system's FreeTournament gives back.
    void AttachTournament(VelmoraTournament hTournament, SystemInfo* pSystem, int nSkin,
                          const QString& strTournamentPath, const QString& strTablePath);
    // False, with a message and nothing changed, when the tournament file did not get written.
    bool SaveDocumentTo(const QString& path);
    void RefreshTitle();

    // The framework's document commands and save prompt.
    // Save: falls back to Save As for a read-only or missing file, which Save cannot write.
    bool DoFileSave();
    bool DoSaveAs(); // false when cancelled
    // Before closing: asks "Save changes to %1?" when modified. False: keep the window open.
    bool SaveModified();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    QString GetTitle() const { return m_strTitle; }
    QString GetPathName() const { return m_strPathName; }

    CVelmoraView* GetView() const { return m_pView; }
    CChildFrame* GetFrame() const;
    void SetView(CVelmoraView* view) { m_pView = view; }

    // Remembers the system and skin of this tournament file for its next opening.
    void RememberChoice() const;
    // Copies the current skin's files beside the tournament file.
    void CopyCurrentSkinFiles();
    // The current skin's folder in the system's package; the title the live view lists (the
    // file's name, never its folder).
    QString SkinFolder() const;
    QString LivePageTitle() const;

    VelmoraTournament GetTournament() const { return m_tournament.Get(); }
    HostServices* Host() const { return m_pHost; }

    const SystemEntryTable* m_pEntries = nullptr; // the system's; null until attached
    QString m_strTournamentPath;
    QString m_strTablePath;
    SystemInfo* m_pSystem = nullptr; // not owned; lives in the catalogue
    int m_nSkin = 0;

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

public:
    // The owner of the document's prompts: the main window, or the tournament's own window
    // when there is no main window.
    QWidget* DialogOwner() const;

private:
    HostServices* m_pHost;
    TournamentHandle m_tournament{nullptr};
    bool m_bModified = false;
    QString m_strTitle;
    QString m_strPathName;
    CVelmoraView* m_pView = nullptr;
};
