// The 42 entry points, once for every bundled system. Each one checks its handle against the
// registries first, so a null, stale or foreign handle does nothing and answers 0 (or -1
// where the contract says so); nothing thrown inside ever crosses into the host.
#include "velmora_system.h"

#include "AtomicFile.h"
#include "Guard.h"
#include "Handles.h"
#include "PlayerDialog.h"
#include "PlayersFile.h"
#include "PlayersPreviewDialog.h"
#include "System.h"
#include "Text.h"
#include "Ui.h"

#include <QRandomGenerator>

using namespace kit;
using namespace kit::ui;

namespace {

Registry<PlayerList>& PlayerLists() {
    static Registry<PlayerList> registry;
    return registry;
}
Registry<CreationParameters>& ParameterSets() {
    static Registry<CreationParameters> registry;
    return registry;
}
Registry<Event>& Events() {
    static Registry<Event> registry;
    return registry;
}

int g_wizardPlayers = -1;

QString Path(const char* path) {
    return path ? QString::fromUtf8(path) : QString();
}

void FillList(char** lines, int32_t count, const QStringList& texts) {
    if (!lines)
        return;
    for (int32_t k = 0; k < count; ++k)
        CopyToBuffer(lines[k], VELMORA_NAME_SIZE, k < texts.size() ? texts[k] : QString());
}

int32_t ListCount(VelmoraTournament handle, GameList list) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Event* e = Events().Find(handle);
        return e ? int32_t(e->Games(list).size()) : 0;
    });
}

int32_t ListHeaders(VelmoraTournament handle, GameList list, char** lines, int32_t count) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Event* e = Events().Find(handle);
        QStringList texts;
        if (e) {
            const QList<int> games = e->Games(list);
            texts.reserve(games.size());
            for (int game : games)
                texts.append(e->GameLine(game));
        }
        FillList(lines, count, texts);
        return e ? 1 : 0;
    });
}

// Runs `act` on the game behind an index of one of the three lists, if there is one. The
// host learns nothing from the answer but that the call did not fail.
template <class F>
int32_t OnListedGame(VelmoraTournament handle, GameList list, int32_t index, F act) {
    return Guard(int32_t(0), [&] {
        if (Event* e = Events().Find(handle)) {
            const QList<int> games = e->Games(list);
            if (index >= 0 && index < games.size())
                act(*e, games[index]);
        }
        return int32_t(1);
    });
}

void EditResult(Event& e, int game) {
    e.EditResult(game);
}
void DeleteResult(Event& e, int game) {
    e.DeleteResult(game);
}

// Writes what `content` makes of a tournament to a file; shows the error and answers 0 on
// failure, and otherwise calls `written`.
template <class C, class W>
int32_t WriteEventFile(VelmoraTournament handle, const char* path, const QString& failure,
                       C content, W written) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Event* e = Events().Find(handle);
        if (!e || !path)
            return 0;
        const QString error = WriteFileAtomically(Path(path), content(*e), failure);
        if (!error.isEmpty()) {
            ShowError(error);
            return 0;
        }
        written(*e);
        return 1;
    });
}

} // namespace

int kit::WizardPlayerCount() {
    return g_wizardPlayers;
}

extern "C" {

VELMORA_EXPORT int32_t GetSystemName(char* name) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(name, VELMORA_NAME_SIZE, TheSystem().Name());
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t GetSystemDescription(char* description) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(description, VELMORA_DESCRIPTION_SIZE, TheSystem().Description());
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t GetTournamentFormatID(char* formatId) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(formatId, VELMORA_NAME_SIZE, TheSystem().FormatId());
        return int32_t(1);
    });
}

VELMORA_EXPORT VelmoraPlayers CreatePlayers(void) {
    return Guard(VelmoraPlayers(0),
                 [] { return PlayerLists().Add(std::make_unique<PlayerList>()); });
}

VELMORA_EXPORT int32_t OnAddPlayer(VelmoraPlayers players) {
    return Guard(int32_t(-1), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        if (!list)
            return -1;
        PlayerDialog dialog(Player{}, true, TheSystem().AsksRatingIds());
        if (RunDialog(dialog) != QDialog::Accepted || dialog.GetPlayer().name.isEmpty())
            return -1;
        return list->Add(dialog.GetPlayer());
    });
}

VELMORA_EXPORT int32_t OnAddPlayerList(VelmoraPlayers target, VelmoraPlayers source) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* to = PlayerLists().Find(target);
        PlayerList* from = PlayerLists().Find(source);
        if (!to || !from)
            return 0;
        to->Append(*from);
        return 1;
    });
}

VELMORA_EXPORT int32_t OnModifyPlayer(VelmoraPlayers players, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        if (!list || !list->Valid(index))
            return 0;
        PlayerDialog dialog(list->Players()[index], false, TheSystem().AsksRatingIds());
        if (RunDialog(dialog) != QDialog::Accepted || dialog.GetPlayer().name.isEmpty())
            return 0;
        return list->Replace(index, dialog.GetPlayer()) ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t OnDeletePlayer(VelmoraPlayers players, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        return list && list->Remove(index) ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t OnSavePlayers(VelmoraPlayers players, const char* path) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        if (!list || !path)
            return 0;
        const QString error = SavePlayers(list->Players(), Path(path));
        if (!error.isEmpty())
            ShowError(error);
        return error.isEmpty() ? 1 : 0;
    });
}

VELMORA_EXPORT VelmoraPlayers OnLoadPlayers(const char* path) {
    return Guard(VelmoraPlayers(0), [&]() -> VelmoraPlayers {
        const std::optional<QList<Player>> read = ImportPlayers(Path(path));
        if (!read)
            return 0;
        auto list = std::make_unique<PlayerList>();
        for (const Player& p : *read)
            list->Add(p);
        return PlayerLists().Add(std::move(list));
    });
}

VELMORA_EXPORT int32_t GetPlayerHeader(VelmoraPlayers players, char* line, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        const bool valid = list && list->Valid(index);
        CopyToBuffer(line, VELMORA_NAME_SIZE,
                     valid ? PlayerLine(list->Players()[index]) : QString());
        return valid ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t GetPlayersCount(VelmoraPlayers players) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const PlayerList* list = PlayerLists().Find(players);
        if (list)
            g_wizardPlayers = list->Count();
        return list ? list->Count() : 0;
    });
}

VELMORA_EXPORT int32_t FreePlayers(VelmoraPlayers players) {
    return Guard(int32_t(0), [&] { return int32_t(PlayerLists().Free(players)); });
}

VELMORA_EXPORT int32_t GetSortingTypesCount(void) {
    return kDrawMethodCount;
}

VELMORA_EXPORT int32_t GetSortingTypesHeaders(char** names, int32_t count) {
    return Guard(int32_t(0), [&] {
        FillList(names, count, DrawMethodNames());
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t ApplySorting(VelmoraPlayers players, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        PlayerList* list = PlayerLists().Find(players);
        if (!list || index < 0 || index >= kDrawMethodCount)
            return 0;
        const DrawMethod method = DrawMethod(index);
        const quint32 seed =
            method == DrawMethod::Random ? QRandomGenerator::global()->generate() : 0;
        list->ApplyDraw(method, seed);
        g_wizardPlayers = list->Count();
        return 1;
    });
}

VELMORA_EXPORT VelmoraTournament CreateTournament(const char* name, VelmoraParameters parameters,
                                                  VelmoraPlayers players) {
    return Guard(VelmoraTournament(0), [&]() -> VelmoraTournament {
        // The players are ours from here on, whatever happens next.
        std::unique_ptr<PlayerList> list = PlayerLists().Take(players);
        if (!list)
            list = std::make_unique<PlayerList>();
        const QString title = name ? QString::fromUtf8(name) : QString();
        std::unique_ptr<Event> event =
            TheSystem().Create(title, ParameterSets().Find(parameters), *list);
        return event ? Events().Add(std::move(event)) : 0;
    });
}

VELMORA_EXPORT int32_t FreeTournament(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&] { return int32_t(Events().Free(tournament)); });
}

VELMORA_EXPORT VelmoraParameters GetCustomTournamentCreationParameters(void) {
    return Guard(VelmoraParameters(0), [&]() -> VelmoraParameters {
        std::unique_ptr<CreationParameters> parameters = TheSystem().AskCreationParameters();
        return parameters ? ParameterSets().Add(std::move(parameters)) : 0;
    });
}

VELMORA_EXPORT int32_t FreeCustomTournamentCreationParameters(VelmoraParameters parameters) {
    return Guard(int32_t(0), [&] { return int32_t(ParameterSets().Free(parameters)); });
}

VELMORA_EXPORT int32_t OnTournamentParameters(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Event* e = Events().Find(tournament);
        return e && e->EditParameters() ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t GetNearestMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, GameList::Nearest);
}

VELMORA_EXPORT int32_t GetNearestMatchesHeaders(VelmoraTournament tournament, char** lines,
                                                int32_t count) {
    return ListHeaders(tournament, GameList::Nearest, lines, count);
}

VELMORA_EXPORT int32_t GetCurrentMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, GameList::Current);
}

VELMORA_EXPORT int32_t GetCurrentMatchesHeaders(VelmoraTournament tournament, char** lines,
                                                int32_t count) {
    return ListHeaders(tournament, GameList::Current, lines, count);
}

VELMORA_EXPORT int32_t GetLastMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, GameList::Last);
}

VELMORA_EXPORT int32_t GetLastMatchesHeaders(VelmoraTournament tournament, char** lines,
                                             int32_t count) {
    return ListHeaders(tournament, GameList::Last, lines, count);
}

VELMORA_EXPORT int32_t OnAddMatchResult(VelmoraTournament tournament, int32_t index) {
    return OnListedGame(tournament, GameList::Nearest, index, EditResult);
}

VELMORA_EXPORT int32_t OnModifyLastMatchResult(VelmoraTournament tournament, int32_t index) {
    return OnListedGame(tournament, GameList::Last, index, EditResult);
}

VELMORA_EXPORT int32_t OnDeleteLastMatchResult(VelmoraTournament tournament, int32_t index) {
    return OnListedGame(tournament, GameList::Last, index, DeleteResult);
}

VELMORA_EXPORT int32_t OnModifyCurrentMatchResult(VelmoraTournament tournament, int32_t index) {
    return OnListedGame(tournament, GameList::Current, index, EditResult);
}

VELMORA_EXPORT int32_t OnDeleteCurrentMatchResult(VelmoraTournament tournament, int32_t index) {
    return OnListedGame(tournament, GameList::Current, index, DeleteResult);
}

VELMORA_EXPORT int32_t OnSaveTournament(VelmoraTournament tournament, const char* path) {
    return WriteEventFile(
        tournament, path, TheSystem().SaveFailure(), [](const Event& e) { return e.FileContent(); },
        [](Event& e) { e.Saved(); });
}

VELMORA_EXPORT VelmoraTournament OnLoadTournament(const char* path) {
    return Guard(VelmoraTournament(0), [&]() -> VelmoraTournament {
        QString error;
        std::unique_ptr<Event> e = TheSystem().Load(Path(path), &error);
        if (!e) {
            ShowError(error);
            return 0;
        }
        return Events().Add(std::move(e));
    });
}

VELMORA_EXPORT int32_t SaveTable(VelmoraTournament tournament, const char* path) {
    return WriteEventFile(
        tournament, path, QStringLiteral("Не удалось записать файл «%1»"),
        [](const Event& e) { return e.TablePage(); }, [](Event& e) { e.TableSaved(); });
}

VELMORA_EXPORT int32_t GetReportsCount(void) {
    return Guard(int32_t(0), [] { return int32_t(TheSystem().Reports().size()); });
}

VELMORA_EXPORT int32_t GetReportExtention(char* extension, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const QList<ReportKind> reports = TheSystem().Reports();
        const bool valid = index >= 0 && index < reports.size();
        CopyToBuffer(extension, VELMORA_EXTENSION_SIZE,
                     valid ? reports[index].extension : QString());
        return valid ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t GetReportsNames(char** names, int32_t count) {
    return Guard(int32_t(0), [&] {
        QStringList texts;
        for (const ReportKind& report : TheSystem().Reports())
            texts << report.name;
        FillList(names, count, texts);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t SaveReport(VelmoraTournament tournament, int32_t index, const char* path) {
    if (Guard(false, [&] { return index < 0 || index >= TheSystem().Reports().size(); }))
        return 0;
    // A report changes nothing in the tournament: nothing is marked as written.
    return WriteEventFile(
        tournament, path, QStringLiteral("Не удалось записать файл «%1»"),
        [index](const Event& e) { return e.Report(index); }, [](Event&) {});
}

VELMORA_EXPORT int32_t OnTournamentInfo(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Event* e = Events().Find(tournament);
        return e && e->EditInfo() ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t TableWasModified(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Event* e = Events().Find(tournament);
        return e && e->TableModified() ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t TournamentWasModified(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Event* e = Events().Find(tournament);
        return e && e->Modified() ? 1 : 0;
    });
}

} // extern "C"
