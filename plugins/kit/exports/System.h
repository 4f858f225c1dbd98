#pragma once

#include "PlayerList.h"
#include "ReportKind.h"
#include "Ui.h"

#include <QByteArray>
#include <QDialog>
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

// What every bundled system's event answers alike over its tournament `T`, so that each
// system writes only what its rules decide.
template <class T> class EventOf : public Event {
public:
    explicit EventOf(std::unique_ptr<T> tournament) : m_t(std::move(tournament)) {}

    bool TableModified() const override { return m_t->TableModified(); }
    bool Modified() const override { return m_t->Modified(); }
    void TableSaved() override { m_t->TableSaved(); }
    void Saved() override { m_t->Saved(); }

protected:
    using ListOf = QList<int> (*)(const T&);
    QList<int> Pick(GameList list, ListOf nearest, ListOf current, ListOf last) const {
        switch (list) {
        case GameList::Nearest:
            return nearest(*m_t);
        case GameList::Current:
            return current(*m_t);
        case GameList::Last:
            return last(*m_t);
        }
        return {};
    }

    // The information dialog; an empty name keeps the one the tournament has.
    template <class D> bool TakeInfo(D& dialog) {
        if (ui::RunDialog(dialog) != QDialog::Accepted)
            return false;
        if (!dialog.GetName().isEmpty())
            m_t->SetName(dialog.GetName());
        m_t->SetInfo(dialog.GetInfo());
        return true;
    }

    std::unique_ptr<T> m_t;
};

// A loaded tournament as the system's event `E`, or nothing when it did not load.
template <class E, class T> std::unique_ptr<Event> EventFor(std::unique_ptr<T> tournament) {
    if (!tournament)
        return nullptr;
    return std::make_unique<E>(std::move(tournament));
}

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
    // Whether the player dialog asks for what rating lists need (FIDE ID, year of birth).
    virtual bool AsksRatingIds() const { return false; }
    // Said when saving fails; %1 is the path, the reason follows.
    virtual QString SaveFailure() const {
        return QStringLiteral("Не удалось сохранить турнир в файл «%1»");
    }
};

// A bundled system's answers that are only its constants: its name, its description, its
// files' format and its reports.
class SystemOf : public System {
public:
    SystemOf(QString name, QString description, const char* formatId, QList<ReportKind> reports)
        : m_name(std::move(name)), m_description(std::move(description)),
          m_formatId(QString::fromLatin1(formatId)), m_reports(std::move(reports)) {}

    QString Name() const override { return m_name; }
    QString Description() const override { return m_description; }
    QString FormatId() const override { return m_formatId; }
    QList<ReportKind> Reports() const override { return m_reports; }

private:
    QString m_name;
    QString m_description;
    QString m_formatId;
    QList<ReportKind> m_reports;
};

// Runs a settings dialog; true with its settings when confirmed and sound by the system's
// `check`, otherwise false, having said what is wrong after `refusal` ("Параметры не
// подходят").
template <class D, class S>
bool AskSettings(D& dialog, const QString& refusal, S* settings, QString (*check)(const S&)) {
    if (ui::RunDialog(dialog) != QDialog::Accepted)
        return false;
    *settings = dialog.GetSettings();
    const QString problem = check(*settings);
    if (!problem.isEmpty())
        ui::ShowError(QStringLiteral("%1: %2.").arg(refusal, problem));
    return problem.isEmpty();
}

// The settings a creation dialog gave, handed on to the system's Create.
template <class S>
struct ChosenSettings : CreationParameters {
    explicit ChosenSettings(const S& chosen) : settings(chosen) {}
    S settings;
};

// The creation dialog run until it gives settings the system's `check` accepts; nullptr when
// cancelled or refused (the user has been told why).
template <class D, class S>
std::unique_ptr<CreationParameters> AskCreationSettings(D& dialog, QString (*check)(const S&)) {
    S settings;
    if (!AskSettings(dialog, QStringLiteral("Параметры не подходят"), &settings, check))
        return nullptr;
    return std::make_unique<ChosenSettings<S>>(settings);
}

// The settings chosen at creation, or `defaults` when the host asked for none.
template <class S>
S SettingsChosen(const CreationParameters* parameters, const S& defaults) {
    const auto* chosen = dynamic_cast<const ChosenSettings<S>*>(parameters);
    return chosen ? chosen->settings : defaults;
}

// False, having told the user, when the list is longer than the system can take; `where`
// begins the sentence ("В круговом турнире").
inline bool WithinPlayerLimit(const PlayerList& players, int limit, const QString& where) {
    if (players.Count() <= limit)
        return true;
    ui::ShowError(QStringLiteral("%1 может быть не более %2 участников, а в списке %3.")
                      .arg(where)
                      .arg(limit)
                      .arg(players.Count()));
    return false;
}

// How many players the list has that the new-tournament wizard last counted or drew: the
// list the creation parameters are asked for, since the host hands over no list with that
// question. -1 before the host has looked at any.
int WizardPlayerCount();

// Defined once by each system module.
System& TheSystem();

} // namespace kit
