// The probe tournament system: exports the whole contract, answers as a test configures it
// and logs every call. Its configuration is "<library file>.cfg" beside it, re-read whenever
// it changes, so several copies of the library in one folder are different systems. Each call
// is appended to "<library file>.log" as one line: Name(arguments) -> result.
//
// Configuration, one "key=value" a line (values are UTF-8; lists are separated by '|'):
//   name, description, format_id        texts of the system
//   sortings=A|B|C                       draw methods (empty: none)
//   reports=Name:ext|Name2:ext2          reports and their extensions
//   nearest=a|b|c, current=..., last=... match headers; or
//   nearest_count=N (also current_count, last_count): N headers "nearest k"; may be negative
//   unterminated_headers=1               fill every header buffer to its end without a zero
//   add_player=0,-1,2                    results of successive OnAddPlayer calls (then "append")
//   modify_player=0|1                    result of OnModifyPlayer
//   load_players=N                       OnLoadPlayers: N players "Loaded k", or 0 for failure
//   create_tournament=0                  CreateTournament refuses (returns 0)
//   creation_params=0|1, load_tournament=0|1, table_modified=0|1, tournament_modified=0|1
//   players=N                            CreatePlayers starts with N players "Player k"
//   save_tournament=0|1|2                OnSaveTournament writes nothing (and still answers 0),
//                                        writes in place (the default), or writes a new file
//                                        and renames it over the old one
//   ignore_delete=1                      OnDeletePlayer removes nobody (a misbehaving system)
#include "velmora_system.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string LibraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) && info.dli_fname)
        return info.dli_fname;
    return "probe";
}

struct Config {
    std::map<std::string, std::string> values;
    time_t mtime = -1;
    long long size = -1;
    long mtimeNs = -1;
    size_t addIndex = 0;

    void Refresh() {
        const std::string path = LibraryPath() + ".cfg";
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) {
            if (mtime != 0)
                values.clear(), addIndex = 0;
            mtime = 0;
            return;
        }
        if (st.st_mtime == mtime && st.st_mtim.tv_nsec == mtimeNs && st.st_size == size)
            return;
        mtime = st.st_mtime, mtimeNs = st.st_mtim.tv_nsec, size = st.st_size;
        values.clear();
        addIndex = 0;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return;
        std::string content;
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            content.append(chunk, n);
        std::fclose(f);
        size_t pos = 0;
        while (pos < content.size()) {
            size_t end = content.find('\n', pos);
            if (end == std::string::npos)
                end = content.size();
            std::string line = content.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const size_t eq = line.find('=');
            if (eq != std::string::npos)
                values[line.substr(0, eq)] = line.substr(eq + 1);
            pos = end + 1;
        }
    }
    std::string Get(const std::string& key, const std::string& fallback = "") {
        Refresh();
        auto it = values.find(key);
        return it == values.end() ? fallback : it->second;
    }
    long long Int(const std::string& key, long long fallback) {
        const std::string v = Get(key);
        return v.empty() ? fallback : std::stoll(v);
    }
};

Config& Cfg() {
    static Config config;
    return config;
}

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t pos = 0;
    while (true) {
        size_t end = text.find(sep, pos);
        parts.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return parts;
}

void Log(const std::string& line) {
    const std::string path = LibraryPath() + ".log";
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fputs(line.c_str(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

std::string Quote(const char* s) {
    return s ? std::string("\"") + s + "\"" : std::string("null");
}

void Copy(char* buffer, size_t size, const std::string& text) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// As careful systems save: a new file beside the old one, put in its place only once it is
// whole. On a full disk the old file stays as it was.
bool WriteFileWhole(const char* path, const std::string& content) {
    if (!path)
        return false;
    const std::string temporary = std::string(path) + ".new";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    if (std::fclose(f) != 0 || !written) {
        std::remove(temporary.c_str());
        return false;
    }
    return std::rename(temporary.c_str(), path) == 0;
}

bool WriteFile(const char* path, const std::string& content) {
    FILE* f = path ? std::fopen(path, "wb") : nullptr;
    if (!f)
        return false;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return true;
}

struct Players {
    std::vector<std::string> names;
    int added = 0;
};

struct Tournament {
    std::string name;
    int saves = 0;
    int tables = 0;
};

int g_nextParameters = 1;

Players* AsPlayers(VelmoraPlayers h) {
    return reinterpret_cast<Players*>(h);
}
Tournament* AsTournament(VelmoraTournament h) {
    return reinterpret_cast<Tournament*>(h);
}

std::vector<std::string> Headers(const std::string& list) {
    const std::string explicitList = Cfg().Get(list, "\x01");
    if (explicitList != "\x01")
        return Split(explicitList, '|');
    std::vector<std::string> headers;
    const long long n = Cfg().Int(list + "_count", 0);
    for (long long k = 0; k < n && k < 1000000; ++k)
        headers.push_back(list + " " + std::to_string(k));
    return headers;
}

int32_t Count(const std::string& list) {
    const std::string explicitList = Cfg().Get(list, "\x01");
    if (explicitList != "\x01")
        return static_cast<int32_t>(Split(explicitList, '|').size());
    return static_cast<int32_t>(Cfg().Int(list + "_count", 0));
}

void FillList(const std::vector<std::string>& texts, char** buffers, int32_t count) {
    const bool unterminated = Cfg().Int("unterminated_headers", 0) != 0;
    for (int32_t k = 0; k < count; ++k) {
        if (unterminated)
            std::memset(buffers[k], 'x', VELMORA_NAME_SIZE);
        else
            Copy(buffers[k], VELMORA_NAME_SIZE,
                 k < static_cast<int32_t>(texts.size()) ? texts[k] : "");
    }
}

// Handles are logged as "h<n>", numbered in order of creation, so tests can tell which
// handle was passed where.
std::map<uintptr_t, int>& HandleIds() {
    static std::map<uintptr_t, int> ids;
    return ids;
}
int g_nextHandleId = 1;

uintptr_t Register(uintptr_t h) {
    HandleIds()[h] = g_nextHandleId++;
    return h;
}

std::string H(uintptr_t h) {
    if (!h)
        return "0";
    auto it = HandleIds().find(h);
    return it == HandleIds().end() ? "h?" : "h" + std::to_string(it->second);
}

} // namespace

extern "C" {

VELMORA_EXPORT int32_t GetSystemName(char* name) {
    Copy(name, VELMORA_NAME_SIZE, Cfg().Get("name", "Probe"));
    Log("GetSystemName() -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetSystemDescription(char* description) {
    Copy(description, VELMORA_DESCRIPTION_SIZE, Cfg().Get("description", "Probe system"));
    Log("GetSystemDescription() -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetTournamentFormatID(char* formatId) {
    Copy(formatId, VELMORA_NAME_SIZE, Cfg().Get("format_id", "PROBE"));
    Log("GetTournamentFormatID() -> 0");
    return 0;
}

VELMORA_EXPORT VelmoraPlayers CreatePlayers(void) {
    auto* p = new Players;
    for (long long k = 0, n = Cfg().Int("players", 0); k < n; ++k)
        p->names.push_back("Player " + std::to_string(k));
    const auto h = Register(reinterpret_cast<VelmoraPlayers>(p));
    Log("CreatePlayers() -> " + H(h));
    return h;
}

VELMORA_EXPORT int32_t OnAddPlayer(VelmoraPlayers players) {
    Players* p = AsPlayers(players);
    const std::vector<std::string> seq = Split(Cfg().Get("add_player"), ',');
    int32_t r;
    if (Cfg().addIndex < seq.size())
        r = static_cast<int32_t>(std::stol(seq[Cfg().addIndex++]));
    else
        r = p ? static_cast<int32_t>(p->names.size()) : -1;
    if (p && r >= 0) {
        if (r > static_cast<int32_t>(p->names.size()))
            r = static_cast<int32_t>(p->names.size());
        p->names.insert(p->names.begin() + r, "New " + std::to_string(p->added++));
    }
    Log("OnAddPlayer(" + H(players) + ") -> " + std::to_string(r));
    return r;
}

VELMORA_EXPORT int32_t OnAddPlayerList(VelmoraPlayers target, VelmoraPlayers source) {
    if (AsPlayers(target) && AsPlayers(source))
        for (const auto& n : AsPlayers(source)->names)
            AsPlayers(target)->names.push_back(n);
    Log("OnAddPlayerList(" + H(target) + ", " + H(source) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t OnModifyPlayer(VelmoraPlayers players, int32_t index) {
    const int32_t r = static_cast<int32_t>(Cfg().Int("modify_player", 1));
    Players* p = AsPlayers(players);
    if (r && p && index >= 0 && index < static_cast<int32_t>(p->names.size()))
        p->names[index] += " (changed)";
    Log("OnModifyPlayer(" + H(players) + ", " + std::to_string(index) + ") -> " +
        std::to_string(r));
    return r;
}

VELMORA_EXPORT int32_t OnDeletePlayer(VelmoraPlayers players, int32_t index) {
    Players* p = AsPlayers(players);
    if (p && index >= 0 && index < static_cast<int32_t>(p->names.size()) &&
        !Cfg().Int("ignore_delete", 0))
        p->names.erase(p->names.begin() + index);
    Log("OnDeletePlayer(" + H(players) + ", " + std::to_string(index) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t OnSavePlayers(VelmoraPlayers players, const char* path) {
    std::string content;
    if (Players* p = AsPlayers(players))
        for (const auto& n : p->names)
            content += n + "\n";
    WriteFile(path, content);
    Log("OnSavePlayers(" + H(players) + ", " + Quote(path) + ") -> 0");
    return 0;
}

VELMORA_EXPORT VelmoraPlayers OnLoadPlayers(const char* path) {
    const long long n = Cfg().Int("load_players", 3);
    VelmoraPlayers h = 0;
    if (n > 0) {
        auto* p = new Players;
        for (long long k = 0; k < n; ++k)
            p->names.push_back("Loaded " + std::to_string(k));
        h = Register(reinterpret_cast<VelmoraPlayers>(p));
    }
    Log("OnLoadPlayers(" + Quote(path) + ") -> " + H(h));
    return h;
}

VELMORA_EXPORT int32_t GetPlayerHeader(VelmoraPlayers players, char* line, int32_t index) {
    Players* p = AsPlayers(players);
    std::string text = p && index >= 0 && index < static_cast<int32_t>(p->names.size())
                           ? p->names[index]
                           : std::string("?");
    Copy(line, VELMORA_NAME_SIZE, text);
    Log("GetPlayerHeader(" + H(players) + ", " + std::to_string(index) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetPlayersCount(VelmoraPlayers players) {
    Players* p = AsPlayers(players);
    const int32_t n = p ? static_cast<int32_t>(p->names.size()) : 0;
    Log("GetPlayersCount(" + H(players) + ") -> " + std::to_string(n));
    return n;
}

VELMORA_EXPORT int32_t FreePlayers(VelmoraPlayers players) {
    delete AsPlayers(players);
    Log("FreePlayers(" + H(players) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetSortingTypesCount(void) {
    const int32_t n =
        static_cast<int32_t>(Split(Cfg().Get("sortings", "Random|Rating"), '|').size());
    Log("GetSortingTypesCount() -> " + std::to_string(n));
    return n;
}

VELMORA_EXPORT int32_t GetSortingTypesHeaders(char** names, int32_t count) {
    FillList(Split(Cfg().Get("sortings", "Random|Rating"), '|'), names, count);
    Log("GetSortingTypesHeaders(" + std::to_string(count) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t ApplySorting(VelmoraPlayers players, int32_t index) {
    Log("ApplySorting(" + H(players) + ", " + std::to_string(index) + ") -> 0");
    return 0;
}

VELMORA_EXPORT VelmoraTournament CreateTournament(const char* name, VelmoraParameters parameters,
                                                  VelmoraPlayers players) {
    const std::string playersId = H(players); // before the address can be reused
    delete AsPlayers(players);                // the tournament owns the players from here on
    VelmoraTournament h = 0;
    if (Cfg().Int("create_tournament", 1)) {
        auto* t = new Tournament;
        t->name = name ? name : "";
        h = Register(reinterpret_cast<VelmoraTournament>(t));
    }
    Log("CreateTournament(" + Quote(name) + ", " + std::to_string(parameters) + ", " + playersId +
        ") -> " + H(h));
    return h;
}

VELMORA_EXPORT int32_t FreeTournament(VelmoraTournament tournament) {
    delete AsTournament(tournament);
    Log("FreeTournament(" + H(tournament) + ") -> 0");
    return 0;
}

VELMORA_EXPORT VelmoraParameters GetCustomTournamentCreationParameters(void) {
    const VelmoraParameters h =
        Cfg().Int("creation_params", 1) ? static_cast<VelmoraParameters>(g_nextParameters++) : 0;
    Log("GetCustomTournamentCreationParameters() -> " + std::to_string(h));
    return h;
}

VELMORA_EXPORT int32_t FreeCustomTournamentCreationParameters(VelmoraParameters parameters) {
    Log("FreeCustomTournamentCreationParameters(" + std::to_string(parameters) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t OnTournamentParameters(VelmoraTournament tournament) {
    Log("OnTournamentParameters(" + H(tournament) + ") -> 0");
    return 0;
}

#define PROBE_LIST(Kind, key)                                                                      \
    VELMORA_EXPORT int32_t Get##Kind##MatchesCount(VelmoraTournament tournament) {                 \
        const int32_t n = Count(key);                                                              \
        Log("Get" #Kind "MatchesCount(" + H(tournament) + ") -> " + std::to_string(n));            \
        return n;                                                                                  \
    }                                                                                              \
    VELMORA_EXPORT int32_t Get##Kind##MatchesHeaders(VelmoraTournament tournament, char** lines,   \
                                                     int32_t count) {                              \
        FillList(Headers(key), lines, count);                                                      \
        Log("Get" #Kind "MatchesHeaders(" + H(tournament) + ", " + std::to_string(count) +         \
            ") -> 0");                                                                             \
        return 0;                                                                                  \
    }
PROBE_LIST(Nearest, "nearest")
PROBE_LIST(Current, "current")
PROBE_LIST(Last, "last")

#define PROBE_MATCH_COMMAND(Name)                                                                  \
    VELMORA_EXPORT int32_t Name(VelmoraTournament tournament, int32_t index) {                     \
        Log(#Name "(" + H(tournament) + ", " + std::to_string(index) + ") -> 0");                  \
        return 0;                                                                                  \
    }
PROBE_MATCH_COMMAND(OnAddMatchResult)
PROBE_MATCH_COMMAND(OnModifyLastMatchResult)
PROBE_MATCH_COMMAND(OnDeleteLastMatchResult)
PROBE_MATCH_COMMAND(OnModifyCurrentMatchResult)
PROBE_MATCH_COMMAND(OnDeleteCurrentMatchResult)

VELMORA_EXPORT int32_t OnSaveTournament(VelmoraTournament tournament, const char* path) {
    Tournament* t = AsTournament(tournament);
    const int saves = t ? ++t->saves : 0;
    const std::string content = Cfg().Get("format_id", "PROBE") + "\nprobe tournament " +
                                (t ? t->name : "") + "\nsave " + std::to_string(saves) + "\n";
    const long long mode = Cfg().Int("save_tournament", 1);
    if (mode == 1)
        WriteFile(path, content);
    else if (mode == 2)
        WriteFileWhole(path, content);
    Log("OnSaveTournament(" + H(tournament) + ", " + Quote(path) + ") -> 0");
    return 0;
}

VELMORA_EXPORT VelmoraTournament OnLoadTournament(const char* path) {
    VelmoraTournament h = 0;
    if (Cfg().Int("load_tournament", 1)) {
        auto* t = new Tournament;
        t->name = "loaded";
        h = Register(reinterpret_cast<VelmoraTournament>(t));
    }
    Log("OnLoadTournament(" + Quote(path) + ") -> " + H(h));
    return h;
}

VELMORA_EXPORT int32_t SaveTable(VelmoraTournament tournament, const char* path) {
    Tournament* t = AsTournament(tournament);
    const int tables = t ? ++t->tables : 0;
    WriteFile(path, "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                    "<link rel=\"stylesheet\" href=\"style.css\"></head><body><h1 id=\"name\">" +
                        (t ? t->name : "") + "</h1><p id=\"table\">"
                    "probe table " + std::to_string(tables) + "</p></body></html>\n");
    Log("SaveTable(" + H(tournament) + ", " + Quote(path) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetReportsCount(void) {
    const int32_t n =
        static_cast<int32_t>(Split(Cfg().Get("reports", "Table:htm|Protocol:txt"), '|').size());
    Log("GetReportsCount() -> " + std::to_string(n));
    return n;
}

VELMORA_EXPORT int32_t GetReportExtention(char* extension, int32_t index) {
    const auto reports = Split(Cfg().Get("reports", "Table:htm|Protocol:txt"), '|');
    std::string ext;
    if (index >= 0 && index < static_cast<int32_t>(reports.size())) {
        const size_t colon = reports[index].rfind(':');
        ext = colon == std::string::npos ? "" : reports[index].substr(colon + 1);
    }
    if (ext == "<unterminated>")
        std::memset(extension, 'e', VELMORA_EXTENSION_SIZE);
    else
        Copy(extension, VELMORA_EXTENSION_SIZE, ext);
    Log("GetReportExtention(" + std::to_string(index) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t GetReportsNames(char** names, int32_t count) {
    std::vector<std::string> texts;
    for (const auto& r : Split(Cfg().Get("reports", "Table:htm|Protocol:txt"), '|'))
        texts.push_back(r.substr(0, r.rfind(':')));
    FillList(texts, names, count);
    Log("GetReportsNames(" + std::to_string(count) + ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t SaveReport(VelmoraTournament tournament, int32_t index, const char* path) {
    WriteFile(path, "report " + std::to_string(index) + "\n");
    Log("SaveReport(" + H(tournament) + ", " + std::to_string(index) + ", " + Quote(path) +
        ") -> 0");
    return 0;
}

VELMORA_EXPORT int32_t OnTournamentInfo(VelmoraTournament tournament) {
    Log("OnTournamentInfo(" + H(tournament) + ") -> 0");
    return 0;
}

#ifndef PROBE_OMIT_TableWasModified
VELMORA_EXPORT int32_t TableWasModified(VelmoraTournament tournament) {
    const int32_t r = static_cast<int32_t>(Cfg().Int("table_modified", 0));
    Log("TableWasModified(" + H(tournament) + ") -> " + std::to_string(r));
    return r;
}
#endif

VELMORA_EXPORT int32_t TournamentWasModified(VelmoraTournament tournament) {
    const int32_t r = static_cast<int32_t>(Cfg().Int("tournament_modified", 0));
    Log("TournamentWasModified(" + H(tournament) + ") -> " + std::to_string(r));
    return r;
}

} // extern "C"
