/*
 * minimal_system.c - the smallest complete Velmora tournament system, in plain C99.
 *
 * It exists to show the contract at work: it needs nothing but velmora_system.h and
 * the C library. Everyone plays everyone once, a win is worth 1 point and a draw 1/2.
 * A real system would show dialogs inside the On... calls; plain C has no dialogs, so
 * this one invents the answers and says so where it does.
 *
 * Handles are pointers to our own structures, cast to uintptr_t. The host never looks
 * behind them, and gives each one back through the matching Free call.
 *
 * The project builds this file into build/examples/minimal_system/, beside its skin
 * folder Default/: copy that folder into the program's Systems folder to try it.
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "velmora_system.h"

#define FORMAT_ID "Velmora Minimal Example 1"
#define MAX_PLAYERS 4096
#define LINE_SIZE (VELMORA_NAME_SIZE + 2) /* 255 bytes of text, CR, LF, zero */

typedef char Name[VELMORA_NAME_SIZE];

typedef struct {
    Name* names;
    int32_t count;
    int32_t serial; /* numbers the players OnAddPlayer invents */
} Players;

enum { RESULT_NONE, RESULT_FIRST_WINS, RESULT_DRAW, RESULT_SECOND_WINS };

typedef struct {
    int32_t first, second, result;
} Match;

typedef struct {
    char title[LINE_SIZE]; /* read back as a line of the file */
    Players* players;
    Match* matches;
    int32_t matchCount;
    int tableModified, tournamentModified;
} Tournament;

/* ---- Helpers ---------------------------------------------------------------------- */

/* Copies UTF-8 text into a host buffer, cut at a character boundary, always terminated. */
static void CopyText(char* buffer, size_t size, const char* text) {
    size_t length = strlen(text);
    if (length >= size) {
        length = size - 1;
        while (length > 0 && ((unsigned char)text[length] & 0xC0) == 0x80)
            --length; /* never end inside a multi-byte character */
    }
    memcpy(buffer, text, length);
    buffer[length] = '\0';
}

/* Reads one line without its line end; 0 at the end of the file or if it does not fit. */
static int ReadLine(FILE* file, char* line, size_t size) {
    size_t length;
    if (!fgets(line, (int)size, file))
        return 0;
    length = strlen(line);
    if (length > 0 && line[length - 1] == '\n')
        line[--length] = '\0';
    else if (!feof(file))
        return 0; /* longer than any line we write: not our file */
    if (length > 0 && line[length - 1] == '\r')
        line[--length] = '\0';
    return 1;
}

static void WriteEscaped(FILE* file, const char* text) {
    for (; *text; ++text) {
        const char* entity = *text == '&'   ? "&amp;"
                             : *text == '<' ? "&lt;"
                             : *text == '>' ? "&gt;"
                             : *text == '"' ? "&quot;"
                                            : NULL;
        if (entity)
            fputs(entity, file);
        else
            fputc(*text, file);
    }
}

static Players* NewPlayers(void) {
    return (Players*)calloc(1, sizeof(Players));
}

static int AppendPlayer(Players* players, const char* name) {
    Name* grown;
    if (players->count >= MAX_PLAYERS)
        return -1;
    grown = (Name*)realloc(players->names, (size_t)(players->count + 1) * sizeof(Name));
    if (!grown)
        return -1;
    players->names = grown;
    CopyText(players->names[players->count], VELMORA_NAME_SIZE, name);
    return players->count++;
}

static void DeletePlayers(Players* players) {
    if (players) {
        free(players->names);
        free(players);
    }
}

static void DeleteTournament(Tournament* tournament) {
    if (tournament) {
        DeletePlayers(tournament->players);
        free(tournament->matches);
        free(tournament);
    }
}

/* Everyone meets everyone once: (0,1), (0,2) ... (1,2) ... in this fixed order. */
static int MakePairings(Tournament* tournament) {
    int32_t n = tournament->players->count, i, j, k = 0;
    tournament->matchCount = n * (n - 1) / 2;
    tournament->matches = (Match*)calloc((size_t)tournament->matchCount + 1, sizeof(Match));
    if (!tournament->matches)
        return 0;
    for (i = 0; i < n; ++i)
        for (j = i + 1; j < n; ++j, ++k) {
            tournament->matches[k].first = i;
            tournament->matches[k].second = j;
        }
    return 1;
}

/* The index-th match that is unplayed (wantPlayed 0) or played (1), or null. */
static Match* FindMatch(Tournament* tournament, int wantPlayed, int32_t index) {
    int32_t k;
    if (!tournament || index < 0)
        return NULL;
    for (k = 0; k < tournament->matchCount; ++k)
        if ((tournament->matches[k].result != RESULT_NONE) == wantPlayed && index-- == 0)
            return &tournament->matches[k];
    return NULL;
}

static int32_t CountMatches(const Tournament* tournament, int wantPlayed) {
    int32_t k, count = 0;
    for (k = 0; tournament && k < tournament->matchCount; ++k)
        count += (tournament->matches[k].result != RESULT_NONE) == wantPlayed;
    return count;
}

static void FormatMatch(const Tournament* tournament, const Match* match, char* line) {
    static const char* const results[] = {"", " 1–0", " ½–½", " 0–1"};
    char text[3 * VELMORA_NAME_SIZE];
    snprintf(text, sizeof text, "%s — %s%s", tournament->players->names[match->first],
             tournament->players->names[match->second], results[match->result]);
    CopyText(line, VELMORA_NAME_SIZE, text);
}

static void FillMatchLines(Tournament* tournament, int wantPlayed, char** lines, int32_t count) {
    int32_t k;
    const Match* match;
    for (k = 0; k < count && (match = FindMatch(tournament, wantPlayed, k)) != NULL; ++k)
        FormatMatch(tournament, match, lines[k]);
}

static void SetResult(Tournament* tournament, Match* match, int32_t result) {
    if (match) {
        match->result = result;
        tournament->tableModified = tournament->tournamentModified = 1;
    }
}

/* Points in halves, so that a draw stays an integer; indexed by the result. */
static void CountHalfPoints(const Tournament* tournament, int32_t* halves) {
    static const int32_t firstGets[] = {0, 2, 1, 0}, secondGets[] = {0, 0, 1, 2};
    int32_t k;
    for (k = 0; k < tournament->matchCount; ++k) {
        const Match* m = &tournament->matches[k];
        halves[m->first] += firstGets[m->result];
        halves[m->second] += secondGets[m->result];
    }
}

/* Player indexes by points, best first; equal points keep the list order. */
static void RankPlayers(const int32_t* halves, int32_t* order, int32_t count) {
    int32_t i, j;
    for (i = 0; i < count; ++i) {
        int32_t player = i;
        for (j = i; j > 0 && halves[order[j - 1]] < halves[player]; --j)
            order[j] = order[j - 1];
        order[j] = player;
    }
}

/* ---- The system as a whole --------------------------------------------------------- */

int32_t GetSystemName(char* name) {
    CopyText(name, VELMORA_NAME_SIZE, "Пример: каждый с каждым");
    return 0;
}

int32_t GetSystemDescription(char* description) {
    CopyText(description, VELMORA_DESCRIPTION_SIZE,
             "Учебный пример турнирной системы на языке C: каждый играет с каждым по одному "
             "разу, победа — 1 очко, ничья — ½.");
    return 0;
}

int32_t GetTournamentFormatID(char* formatId) {
    CopyText(formatId, VELMORA_NAME_SIZE, FORMAT_ID);
    return 0;
}

/* ---- Players ----------------------------------------------------------------------- */

VelmoraPlayers CreatePlayers(void) {
    return (VelmoraPlayers)NewPlayers();
}

/* A real system asks for the player's details in a dialog here, and returns -1 when the
   user cancels. Plain C has no dialog, so we add a numbered player. */
int32_t OnAddPlayer(VelmoraPlayers handle) {
    Players* players = (Players*)handle;
    char name[VELMORA_NAME_SIZE];
    if (!players)
        return -1;
    snprintf(name, sizeof name, "Игрок %d", (int)++players->serial);
    return AppendPlayer(players, name);
}

int32_t OnAddPlayerList(VelmoraPlayers target, VelmoraPlayers source) {
    Players *to = (Players*)target, *from = (Players*)source;
    int32_t i;
    for (i = 0; to && from && i < from->count; ++i)
        AppendPlayer(to, from->names[i]);
    return 0;
}

int32_t OnDeletePlayer(VelmoraPlayers handle, int32_t index) {
    Players* players = (Players*)handle;
    if (!(players && index >= 0 && index < players->count))
        return 0;
    memmove(players->names[index], players->names[index + 1],
            (size_t)(players->count - index - 1) * sizeof(Name));
    --players->count;
    return 0;
}

/* A players list file (.plr): one name per line, UTF-8. */
int32_t OnSavePlayers(VelmoraPlayers handle, const char* path) {
    Players* players = (Players*)handle;
    FILE* file = players ? fopen(path, "wb") : NULL;
    int32_t i;
    if (!file)
        return 0;
    for (i = 0; i < players->count; ++i)
        fprintf(file, "%s\n", players->names[i]);
    return fclose(file) == 0;
}

/* 0 when the file cannot be read; a real system also tells the user what is wrong. */
VelmoraPlayers OnLoadPlayers(const char* path) {
    char line[LINE_SIZE];
    FILE* file = fopen(path, "rb");
    Players* players = file ? NewPlayers() : NULL;
    int ok = players != NULL;
    while (ok && ReadLine(file, line, sizeof line))
        if (line[0] != '\0')
            ok = AppendPlayer(players, line) >= 0;
    if (ok && !feof(file))
        ok = 0; /* a line too long for a player's name */
    if (file)
        fclose(file);
    if (!ok) {
        DeletePlayers(players);
        return 0;
    }
    players->serial = players->count;
    return (VelmoraPlayers)players;
}

int32_t GetPlayerHeader(VelmoraPlayers handle, char* line, int32_t index) {
    Players* players = (Players*)handle;
    CopyText(line, VELMORA_NAME_SIZE,
             (players && index >= 0 && index < players->count) ? players->names[index] : "");
    return 0;
}

int32_t GetPlayersCount(VelmoraPlayers handle) {
    return handle ? ((Players*)handle)->count : 0;
}

int32_t FreePlayers(VelmoraPlayers handle) {
    DeletePlayers((Players*)handle);
    return 0;
}

/* ---- Creating and freeing a tournament --------------------------------------------- */

/* A real system asks for its settings here and returns 0 if the user cancels. We have
   none, but 0 would end the wizard, so we hand out a handle that stands for "nothing". */
VelmoraParameters GetCustomTournamentCreationParameters(void) {
    return 1;
}

VelmoraTournament CreateTournament(const char* name, VelmoraParameters parameters,
                                   VelmoraPlayers players) {
    Tournament* tournament = (Tournament*)calloc(1, sizeof(Tournament));
    char* end;
    (void)parameters;
    if (!tournament)
        return 0;
    CopyText(tournament->title, VELMORA_NAME_SIZE, name);
    for (end = tournament->title; *end; ++end)
        if (*end == '\r' || *end == '\n')
            *end = ' '; /* the title is one line of our file */
    /* From here on the players belong to the tournament; the host will not free them. */
    tournament->players = players ? (Players*)players : NewPlayers();
    if (!tournament->players || !MakePairings(tournament)) {
        DeleteTournament(tournament);
        return 0;
    }
    tournament->tableModified = tournament->tournamentModified = 1;
    return (VelmoraTournament)tournament;
}

int32_t FreeTournament(VelmoraTournament handle) {
    DeleteTournament((Tournament*)handle);
    return 0;
}

/* ---- Match lists: nearest = unplayed, last = played, no current list ---------------- */

int32_t GetNearestMatchesCount(VelmoraTournament handle) {
    return CountMatches((Tournament*)handle, 0);
}

int32_t GetNearestMatchesHeaders(VelmoraTournament handle, char** lines, int32_t count) {
    FillMatchLines((Tournament*)handle, 0, lines, count);
    return 0;
}

int32_t GetLastMatchesCount(VelmoraTournament handle) {
    return CountMatches((Tournament*)handle, 1);
}

int32_t GetLastMatchesHeaders(VelmoraTournament handle, char** lines, int32_t count) {
    FillMatchLines((Tournament*)handle, 1, lines, count);
    return 0;
}

/* ---- Results: a real system asks the user for the result in its own dialog ---------- */

/* index is the match's place in the array we filled for the nearest list, whatever
   order the host shows the lines in. A real system asks for the result here; we record
   a draw. */
int32_t OnAddMatchResult(VelmoraTournament handle, int32_t index) {
    Tournament* tournament = (Tournament*)handle;
    SetResult(tournament, FindMatch(tournament, 0, index), RESULT_DRAW);
    return 0;
}

int32_t OnModifyLastMatchResult(VelmoraTournament handle, int32_t index) {
    Tournament* tournament = (Tournament*)handle;
    Match* match = FindMatch(tournament, 1, index);
    /* Without a dialog, "modify" steps through the results: ½–½, 0–1, 1–0, ½–½ ... */
    if (match)
        SetResult(tournament, match, match->result % 3 + 1);
    return 0;
}

int32_t OnDeleteLastMatchResult(VelmoraTournament handle, int32_t index) {
    Tournament* tournament = (Tournament*)handle;
    SetResult(tournament, FindMatch(tournament, 1, index), RESULT_NONE);
    return 0;
}

/* ---- The tournament file ----------------------------------------------------------- */

/* The first line is the format id: the host reads it to offer our system for the file.
   Then the title, the players and one "first second result" line per match. (A real
   system writes a temporary file and renames it, so a failed write loses nothing.) */
int32_t OnSaveTournament(VelmoraTournament handle, const char* path) {
    Tournament* tournament = (Tournament*)handle;
    FILE* file = tournament ? fopen(path, "wb") : NULL;
    int32_t k, ok;
    if (!file)
        return 0;
    fprintf(file, "%s\n%s\n%d\n", FORMAT_ID, tournament->title, (int)tournament->players->count);
    for (k = 0; k < tournament->players->count; ++k)
        fprintf(file, "%s\n", tournament->players->names[k]);
    for (k = 0; k < tournament->matchCount; ++k)
        fprintf(file, "%d %d %d\n", (int)tournament->matches[k].first,
                (int)tournament->matches[k].second, (int)tournament->matches[k].result);
    ok = !ferror(file);
    ok = (fclose(file) == 0) && ok;
    if (ok)
        tournament->tournamentModified = 0;
    return ok;
}

/* Anything unexpected (a foreign file, an index out of range, a missing line) gives 0,
   never a half-loaded tournament. A real system also tells the user what was wrong. */
VelmoraTournament OnLoadTournament(const char* path) {
    char line[LINE_SIZE];
    Tournament* tournament = (Tournament*)calloc(1, sizeof(Tournament));
    FILE* file = fopen(path, "rb");
    int count = 0, ok, k;
    char extra;
    ok = tournament && file && ReadLine(file, line, sizeof line) && strcmp(line, FORMAT_ID) == 0 &&
         ReadLine(file, tournament->title, sizeof tournament->title) &&
         ReadLine(file, line, sizeof line) && sscanf(line, "%d%c", &count, &extra) == 1 &&
         count >= 0 && count <= MAX_PLAYERS && (tournament->players = NewPlayers()) != NULL;
    while (ok && tournament->players->count < count)
        ok = ReadLine(file, line, sizeof line) && AppendPlayer(tournament->players, line) >= 0;
    ok = ok && MakePairings(tournament);
    for (k = 0; ok && k < tournament->matchCount; ++k) {
        Match* m = &tournament->matches[k];
        int first, second, result;
        ok = ReadLine(file, line, sizeof line) &&
             sscanf(line, "%d %d %d%c", &first, &second, &result, &extra) == 3 &&
             first == m->first && second == m->second && result >= RESULT_NONE &&
             result <= RESULT_SECOND_WINS;
        if (ok)
            m->result = result;
    }
    ok = ok && !ReadLine(file, line, sizeof line); /* nothing may follow */
    if (file)
        fclose(file);
    if (!ok) {
        DeleteTournament(tournament);
        return 0;
    }
    tournament->players->serial = tournament->players->count;
    tournament->tableModified = 1;
    return (VelmoraTournament)tournament;
}

/* ---- The table page and the report ------------------------------------------------- */

/* The page links the skin's style.css: the host copies the skin's files beside it. */
int32_t SaveTable(VelmoraTournament handle, const char* path) {
    Tournament* tournament = (Tournament*)handle;
    int32_t n = tournament ? tournament->players->count : 0, i;
    int32_t* halves = (int32_t*)calloc((size_t)n + 1, sizeof(int32_t));
    int32_t* order = (int32_t*)calloc((size_t)n + 1, sizeof(int32_t));
    FILE* file = (tournament && halves && order) ? fopen(path, "wb") : NULL;
    int ok = file != NULL;
    if (ok) {
        CountHalfPoints(tournament, halves);
        RankPlayers(halves, order, n);
        fputs("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\"><title>", file);
        WriteEscaped(file, tournament->title);
        fputs("</title>\n<link rel=\"stylesheet\" href=\"style.css\"></head>\n<body><h1>", file);
        WriteEscaped(file, tournament->title);
        fprintf(file, "</h1>\n<p>Сыграно партий: %d из %d</p>\n<table>\n",
                (int)CountMatches(tournament, 1), (int)tournament->matchCount);
        fputs("<tr><th>Место</th><th>Игрок</th><th>Очки</th></tr>\n", file);
        for (i = 0; i < n; ++i) {
            fprintf(file, "<tr><td>%d</td><td>", (int)i + 1);
            WriteEscaped(file, tournament->players->names[order[i]]);
            fprintf(file, "</td><td>%d%s</td></tr>\n", (int)halves[order[i]] / 2,
                    halves[order[i]] % 2 ? "½" : "");
        }
        fputs("</table>\n</body></html>\n", file);
        ok = !ferror(file);
        ok = (fclose(file) == 0) && ok;
    }
    if (ok)
        tournament->tableModified = 0;
    free(halves);
    free(order);
    return ok;
}

int32_t GetReportsCount(void) {
    return 1;
}

int32_t GetReportExtention(char* extension, int32_t index) {
    CopyText(extension, VELMORA_EXTENSION_SIZE, index == 0 ? "txt" : "");
    return 0;
}

int32_t GetReportsNames(char** names, int32_t count) {
    if (count > 0)
        CopyText(names[0], VELMORA_NAME_SIZE, "Сыгранные партии (текст)");
    return 0;
}

int32_t SaveReport(VelmoraTournament handle, int32_t index, const char* path) {
    Tournament* tournament = (Tournament*)handle;
    char line[VELMORA_NAME_SIZE];
    const Match* match;
    int32_t k;
    FILE* file = (tournament && index == 0) ? fopen(path, "wb") : NULL;
    if (!file)
        return 0;
    fprintf(file, "%s\n\n", tournament->title);
    for (k = 0; (match = FindMatch(tournament, 1, k)) != NULL; ++k) {
        FormatMatch(tournament, match, line);
        fprintf(file, "%s\n", line);
    }
    return fclose(file) == 0;
}

/* ---- Change flags: the host asks after each command, and we reset them once the host
   has written what changed (SaveTable, OnSaveTournament). ----------------------------- */

int32_t TableWasModified(VelmoraTournament handle) {
    return handle ? ((Tournament*)handle)->tableModified : 0;
}

int32_t TournamentWasModified(VelmoraTournament handle) {
    return handle ? ((Tournament*)handle)->tournamentModified : 0;
}

/* ---- What this system leaves out --------------------------------------------------
   Every export must exist, or the host does not load the library, but it may do nothing.
   No draw methods: with a count of 0 the wizard skips the draw step and never calls
   ApplySorting. No current list: a match is either to be played or played. No settings,
   no parameters or information dialogs, and players cannot be edited (0: unchanged). */
/* clang-format off */
int32_t GetSortingTypesCount(void) { return 0; }
int32_t GetSortingTypesHeaders(char** names, int32_t count) { (void)names; (void)count; return 0; }
int32_t ApplySorting(VelmoraPlayers p, int32_t index) { (void)p; (void)index; return 0; }
int32_t GetCurrentMatchesCount(VelmoraTournament t) { (void)t; return 0; }
int32_t GetCurrentMatchesHeaders(VelmoraTournament t, char** lines, int32_t count) { (void)t; (void)lines; (void)count; return 0; }
int32_t OnModifyCurrentMatchResult(VelmoraTournament t, int32_t index) { (void)t; (void)index; return 0; }
int32_t OnDeleteCurrentMatchResult(VelmoraTournament t, int32_t index) { (void)t; (void)index; return 0; }
int32_t OnModifyPlayer(VelmoraPlayers p, int32_t index) { (void)p; (void)index; return 0; }
int32_t OnTournamentParameters(VelmoraTournament t) { (void)t; return 0; }
int32_t OnTournamentInfo(VelmoraTournament t) { (void)t; return 0; }
int32_t FreeCustomTournamentCreationParameters(VelmoraParameters parameters) { (void)parameters; return 0; }
/* clang-format on */
