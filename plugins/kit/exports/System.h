#pragma once

#include "PlayerList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// What a bundled system gives the kit's exports. The kit owns the 42 entry points: it checks
// every handle, catches everything, fills the host's buffers and keeps the players lists;
// the system answers in C++ for what its rules decide. A module links kit_exports and
// defines kit::TheSystem().
namespace kit {

// The host's three lists of games.
enum class GameList { Nearest, Current, Last };

// The settings a system's creation dialog chose, kept under a handle until the host
// creates the tournament with them.
class CreationParameters {
public:
    virtual ~CreationParameters() = default;
};

// One open tournament. Games are named by the system's own indexes.
class Event {
public:
    virtual ~Event() = default;

    virtual QList<int> Games(GameList list) const = 0;
    virtual QString GameLine(int game) const = 0;
    // The result dialog for a game; nothing changes when it is cancelled.
    virtual void EditResult(int game) = 0;
    // The host has asked the user already: a second question would only be in the way.
    virtual void DeleteResult(int game) = 0;
    // The parameters and information dialogs; false when cancelled or refused.
    virtual bool EditParameters() = 0;
    virtual bool EditInfo() = 0;

    virtual QByteArray FileContent() const = 0;
    virtual QByteArray TablePage() const = 0;
    virtual QByteArray Report(int index) const = 0; // index within System::Reports()

    virtual bool TableModified() const = 0;
    virtual bool Modified() const = 0;
    virtual void TableSaved() = 0;
    virtual void Saved() = 0;
};

struct ReportKind {
    QString name;
    QString extension; // without the dot
};

class System {
public:
    virtual ~System() = default;

    virtual QString Name() const = 0;
    virtual QString Description() const = 0;
    virtual QString FormatId() const = 0;
    virtual QList<ReportKind> Reports() const = 0;

    // The creation dialog; nullptr when cancelled or refused (the system has said why).
    virtual std::unique_ptr<CreationParameters> AskCreationParameters() = 0;
    // A new tournament; `parameters` is null when the host asked for none (the system's
    // defaults). nullptr when the system refuses, having told the user why.
    virtual std::unique_ptr<Event> Create(const QString& name, const CreationParameters* parameters,
                                          const PlayerList& players) = 0;
    // nullptr with the reason, for the user, in `error`.
    virtual std::unique_ptr<Event> Load(const QString& path, QString* error) = 0;
    // Said when saving fails; %1 is the path, the reason follows.
    virtual QString SaveFailure() const {
        return QStringLiteral("Не удалось сохранить турнир в файл «%1»");
    }
};

// Defined once by each system module.
System& TheSystem();

} // namespace kit
