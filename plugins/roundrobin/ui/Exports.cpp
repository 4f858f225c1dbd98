// The 42 entry points of the round-robin system. Each one checks its handle against the
// registries first, so a null, stale or foreign handle does nothing and answers 0; nothing
// thrown inside ever crosses into the host.
#include "velmora_system.h"

#include "CreationDialog.h"
#include "Handles.h"
#include "InfoDialog.h"
#include "MatchLists.h"
#include "ParametersDialog.h"
#include "PlayerDialog.h"
#include "PlayersFile.h"
#include "Reports.h"
#include "ResultDialog.h"
#include "TablePage.h"
#include "Text.h"
#include "TournamentFile.h"
#include "Ui.h"

#include <QRandomGenerator>

using namespace rr;
using namespace rr::ui;

namespace {

Registry<PlayerList>& PlayerLists() {
    static Registry<PlayerList> registry;
    return registry;
}
Registry<Settings>& ParameterSets() {
    static Registry<Settings> registry;
    return registry;
}
Registry<Tournament>& Tournaments() {
    static Registry<Tournament> registry;
    return registry;
}

template <class R, class F> R Guard(R fallback, F f) noexcept {
    try {
        return f();
    } catch (...) {
        return fallback;
    }
}

QString Path(const char* path) {
    return path ? QString::fromUtf8(path) : QString();
}

void FillList(char** lines, int32_t count, const QStringList& texts) {
    if (!lines)
        return;
    for (int32_t k = 0; k < count; ++k)
        CopyToBuffer(lines[k], VELMORA_NAME_SIZE, k < texts.size() ? texts[k] : QString());
}

QStringList Lines(const Tournament& t, const QList<int>& games) {
    QStringList lines;
    lines.reserve(games.size());
    for (int game : games)
        lines.append(GameLine(t, game));
    return lines;
}

// The game behind an index of one of the three lists, or -1.
int GameAt(const QList<int>& games, int32_t index) {
    return index >= 0 && index < games.size() ? games[index] : -1;
}

using GameList = QList<int> (*)(const Tournament&);

int32_t ListCount(VelmoraTournament handle, GameList list) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Tournament* t = Tournaments().Find(handle);
        return t ? int32_t(list(*t).size()) : 0;
    });
}

int32_t ListHeaders(VelmoraTournament handle, GameList list, char** lines, int32_t count) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Tournament* t = Tournaments().Find(handle);
        FillList(lines, count, t ? Lines(*t, list(*t)) : QStringList());
        return t ? 1 : 0;
    });
}

void EditResult(VelmoraTournament handle, GameList list, int32_t index) {
    Tournament* t = Tournaments().Find(handle);
    if (!t)
        return;
    const int game = GameAt(list(*t), index);
    if (game < 0)
        return;
    ResultDialog dialog(*t, game);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    const Result result = dialog.GetResult();
    if (result.IsSet())
        t->SetResult(game, result);
}

void DeleteResult(VelmoraTournament handle, GameList list, int32_t index) {
    Tournament* t = Tournaments().Find(handle);
    if (!t)
        return;
    const int game = GameAt(list(*t), index);
    if (game < 0)
        return;
    if (!t->Games()[size_t(game)].result.IsSet()) {
        ShowError(QStringLiteral("У встречи «%1» нет введённого результата: она засчитана, "
                                 "потому что участник выбыл. Верните его в параметрах турнира.")
                      .arg(GameLine(*t, game)));
        return;
    }
    // The host has asked the user already; a second question would only be in the way.
    t->SetResult(game, Result{});
}

} // namespace

extern "C" {

VELMORA_EXPORT int32_t GetSystemName(char* name) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(name, VELMORA_NAME_SIZE, QStringLiteral("Круговая система"));
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t GetSystemDescription(char* description) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(
            description, VELMORA_DESCRIPTION_SIZE,
            QStringLiteral(
                "Каждый участник встречается с каждым: один раз за круг, от одного до четырёх "
                "кругов. Расписание составляется по таблицам Бергера, принятым ФИДЕ; при "
                "нечётном числе участников один из них в каждом туре отдыхает, во втором круге "
                "цвет фигур (хозяева и гости) меняется. Результаты вводятся как исходы партий "
                "(1–0, ½–½, 0–1, неявки) или как счёт для командных видов спорта; очки за "
                "победу, ничью и поражение задаются. Места при равенстве очков делят "
                "дополнительные показатели: личная встреча, число побед, коэффициент Бергера, "
                "система Койя и другие."));
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t GetTournamentFormatID(char* formatId) {
    return Guard(int32_t(0), [&] {
        CopyToBuffer(formatId, VELMORA_NAME_SIZE, QString::fromLatin1(kFormatId));
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
        PlayerDialog dialog(Player{}, true);
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
        PlayerDialog dialog(list->Players()[index], false);
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
        const PlayersReadResult read = LoadPlayers(Path(path));
        if (!read.ok) {
            ShowError(read.error);
            return 0;
        }
        auto list = std::make_unique<PlayerList>();
        for (const Player& p : read.players)
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
        if (list->Count() > kMaxPlayers) {
            ShowError(QStringLiteral(
                          "В круговом турнире может быть не более %1 участников, а в списке %2.")
                          .arg(kMaxPlayers)
                          .arg(list->Count()));
            return 0;
        }
        const Settings* settings = ParameterSets().Find(parameters);
        const Settings chosen = settings ? *settings : DefaultSettings(ResultKind::Games);
        const QString title = name ? QString::fromUtf8(name) : QString();
        return Tournaments().Add(
            std::make_unique<Tournament>(title, list->Players(), chosen, list->Draw()));
    });
}

VELMORA_EXPORT int32_t FreeTournament(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&] { return int32_t(Tournaments().Free(tournament)); });
}

VELMORA_EXPORT VelmoraParameters GetCustomTournamentCreationParameters(void) {
    return Guard(VelmoraParameters(0), [&]() -> VelmoraParameters {
        CreationDialog dialog;
        if (RunDialog(dialog) != QDialog::Accepted)
            return 0;
        const Settings settings = dialog.GetSettings();
        const QString problem = CheckSettings(settings);
        if (!problem.isEmpty()) {
            ShowError(QStringLiteral("Параметры не подходят: %1.").arg(problem));
            return 0;
        }
        return ParameterSets().Add(std::make_unique<Settings>(settings));
    });
}

VELMORA_EXPORT int32_t FreeCustomTournamentCreationParameters(VelmoraParameters parameters) {
    return Guard(int32_t(0), [&] { return int32_t(ParameterSets().Free(parameters)); });
}

VELMORA_EXPORT int32_t OnTournamentParameters(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Tournament* t = Tournaments().Find(tournament);
        if (!t)
            return 0;
        ParametersDialog dialog(*t);
        if (RunDialog(dialog) != QDialog::Accepted)
            return 0;
        const Settings settings = dialog.GetSettings();
        const QString problem = CheckSettings(settings);
        if (!problem.isEmpty()) {
            ShowError(QStringLiteral("Параметры не изменены: %1.").arg(problem));
            return 0;
        }
        t->SetSettings(settings);
        const QList<bool> withdrawn = dialog.GetWithdrawn();
        for (int i = 0; i < withdrawn.size(); ++i)
            t->SetWithdrawn(i, withdrawn[i]);
        return 1;
    });
}

VELMORA_EXPORT int32_t GetNearestMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, NearestGames);
}

VELMORA_EXPORT int32_t GetNearestMatchesHeaders(VelmoraTournament tournament, char** lines,
                                                int32_t count) {
    return ListHeaders(tournament, NearestGames, lines, count);
}

VELMORA_EXPORT int32_t GetCurrentMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, CurrentGames);
}

VELMORA_EXPORT int32_t GetCurrentMatchesHeaders(VelmoraTournament tournament, char** lines,
                                                int32_t count) {
    return ListHeaders(tournament, CurrentGames, lines, count);
}

VELMORA_EXPORT int32_t GetLastMatchesCount(VelmoraTournament tournament) {
    return ListCount(tournament, LastGames);
}

VELMORA_EXPORT int32_t GetLastMatchesHeaders(VelmoraTournament tournament, char** lines,
                                             int32_t count) {
    return ListHeaders(tournament, LastGames, lines, count);
}

VELMORA_EXPORT int32_t OnAddMatchResult(VelmoraTournament tournament, int32_t index) {
    return Guard(int32_t(0), [&] {
        EditResult(tournament, NearestGames, index);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t OnModifyLastMatchResult(VelmoraTournament tournament, int32_t index) {
    return Guard(int32_t(0), [&] {
        EditResult(tournament, LastGames, index);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t OnDeleteLastMatchResult(VelmoraTournament tournament, int32_t index) {
    return Guard(int32_t(0), [&] {
        DeleteResult(tournament, LastGames, index);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t OnModifyCurrentMatchResult(VelmoraTournament tournament, int32_t index) {
    return Guard(int32_t(0), [&] {
        EditResult(tournament, CurrentGames, index);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t OnDeleteCurrentMatchResult(VelmoraTournament tournament, int32_t index) {
    return Guard(int32_t(0), [&] {
        DeleteResult(tournament, CurrentGames, index);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t OnSaveTournament(VelmoraTournament tournament, const char* path) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Tournament* t = Tournaments().Find(tournament);
        if (!t || !path)
            return 0;
        const QString error = SaveTournament(*t, Path(path));
        if (!error.isEmpty()) {
            ShowError(error);
            return 0;
        }
        t->Saved();
        return 1;
    });
}

VELMORA_EXPORT VelmoraTournament OnLoadTournament(const char* path) {
    return Guard(VelmoraTournament(0), [&]() -> VelmoraTournament {
        QString error;
        std::unique_ptr<Tournament> t = LoadTournament(Path(path), &error);
        if (!t) {
            ShowError(error);
            return 0;
        }
        return Tournaments().Add(std::move(t));
    });
}

VELMORA_EXPORT int32_t SaveTable(VelmoraTournament tournament, const char* path) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Tournament* t = Tournaments().Find(tournament);
        if (!t || !path)
            return 0;
        const QString error = WriteFileAtomically(Path(path), TablePageHtml(*t).toUtf8());
        if (!error.isEmpty()) {
            ShowError(error);
            return 0;
        }
        t->TableSaved();
        return 1;
    });
}

VELMORA_EXPORT int32_t GetReportsCount(void) {
    return kReportCount;
}

VELMORA_EXPORT int32_t GetReportExtention(char* extension, int32_t index) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const bool valid = index >= 0 && index < kReportCount;
        CopyToBuffer(extension, VELMORA_EXTENSION_SIZE,
                     valid ? ReportExtension(Report(index)) : QString());
        return valid ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t GetReportsNames(char** names, int32_t count) {
    return Guard(int32_t(0), [&] {
        QStringList texts;
        for (int k = 0; k < kReportCount; ++k)
            texts << ReportName(Report(k));
        FillList(names, count, texts);
        return int32_t(1);
    });
}

VELMORA_EXPORT int32_t SaveReport(VelmoraTournament tournament, int32_t index, const char* path) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Tournament* t = Tournaments().Find(tournament);
        if (!t || !path || index < 0 || index >= kReportCount)
            return 0;
        const QString error = WriteFileAtomically(Path(path), ReportContent(*t, Report(index)));
        if (!error.isEmpty())
            ShowError(error);
        return error.isEmpty() ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t OnTournamentInfo(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        Tournament* t = Tournaments().Find(tournament);
        if (!t)
            return 0;
        InfoDialog dialog(*t);
        if (RunDialog(dialog) != QDialog::Accepted)
            return 0;
        if (!dialog.GetName().isEmpty())
            t->SetName(dialog.GetName());
        t->SetInfo(dialog.GetInfo());
        return 1;
    });
}

VELMORA_EXPORT int32_t TableWasModified(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Tournament* t = Tournaments().Find(tournament);
        return t && t->TableModified() ? 1 : 0;
    });
}

VELMORA_EXPORT int32_t TournamentWasModified(VelmoraTournament tournament) {
    return Guard(int32_t(0), [&]() -> int32_t {
        const Tournament* t = Tournaments().Find(tournament);
        return t && t->Modified() ? 1 : 0;
    });
}

} // extern "C"
