/*
 * velmora_system.h - the whole contract between Velmora and a tournament system.
 *
 * A tournament system is a shared library (.so, .dll, .dylib) in its own folder
 * under "Systems", with one subfolder per skin beside it. It exports the 42
 * functions below with C linkage and the platform's default calling convention.
 * This header is the only one a system includes.
 *
 * Ground rules:
 *  - Every call comes from the host's one GUI thread, one at a time.
 *  - All text is UTF-8, paths included. Text buffers belong to the host; write at
 *    most size - 1 bytes and a terminating zero, cut at a character boundary, and
 *    keep no pointer to a buffer after returning.
 *  - A "list" argument is an array of `count` pointers, each to a host-owned buffer
 *    of VELMORA_NAME_SIZE bytes; fill buffer k with item k. `count` is always what
 *    the matching count call returned just before.
 *  - Handles are opaque to the host; 0 is the "none" value. The system owns what
 *    stands behind them; the host gives each back with the matching Free call.
 *  - Results marked "ignored" are not looked at by the host. Report your own
 *    failures (a file that cannot be written, say) to the user yourself.
 *  - Functions named On... carry a user's command whole: ask the user whatever you
 *    need in your own modal dialog before returning. No window handle is passed.
 */
#ifndef VELMORA_SYSTEM_H
#define VELMORA_SYSTEM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sizes in bytes of the host's text buffers, terminating zero included. */
#define VELMORA_NAME_SIZE 256        /* names, format id, player and match lines */
#define VELMORA_DESCRIPTION_SIZE 2052 /* system description */
#define VELMORA_EXTENSION_SIZE 12     /* report file extension, without the dot */

/* Opaque handles; pointer-sized so that a system may hand out a pointer. */
typedef uintptr_t VelmoraPlayers;    /* a list of players */
typedef uintptr_t VelmoraParameters; /* settings for a new tournament */
typedef uintptr_t VelmoraTournament; /* one tournament */

#if defined(_WIN32)
#define VELMORA_EXPORT __declspec(dllexport)
#elif defined(__GNUC__)
#define VELMORA_EXPORT __attribute__((visibility("default")))
#else
#define VELMORA_EXPORT
#endif

/*
 * The entry points in the host's slot order: X(slot, result type, name, parameter list).
 * The host resolves every name by string; a library lacking any of them is not loaded.
 */
#define VELMORA_ENTRY_POINTS(X)                                                             \
  /* System as a whole. Fill the buffer with the display name (256). Ignored. */             \
  X(0, int32_t, GetSystemName, (char *name))                                                  \
  /* Fill with a description of the rules (2052). Ignored. */                                \
  X(1, int32_t, GetSystemDescription, (char *description))                                    \
  /* Fill with the exact first line of your tournament files (256). Ignored. */              \
  X(2, int32_t, GetTournamentFormatID, (char *formatId))                                      \
  /* A new, empty players list. The host gives it back with FreePlayers unless it is */      \
  /* handed to CreateTournament, which then owns it. */                                      \
  X(3, VelmoraPlayers, CreatePlayers, (void))                                                 \
  /* Ask the user for a new player and add it. Returns its index, or < 0 if none added. */   \
  X(4, int32_t, OnAddPlayer, (VelmoraPlayers players))                                        \
  /* Append the players of source to target. The host frees source afterwards. Ignored. */   \
  X(5, int32_t, OnAddPlayerList, (VelmoraPlayers target, VelmoraPlayers source))              \
  /* Let the user edit player index. Non-zero if it changed (the host refetches its line). */\
  X(6, int32_t, OnModifyPlayer, (VelmoraPlayers players, int32_t index))                      \
  /* Remove player index. Ignored. */                                                        \
  X(7, int32_t, OnDeletePlayer, (VelmoraPlayers players, int32_t index))                      \
  /* Write the players to a players list file (.plr) at path. Ignored. */                    \
  X(8, int32_t, OnSavePlayers, (VelmoraPlayers players, const char *path))                    \
  /* Read a players list file. A new handle the host owns, or 0 if unreadable (tell why). */ \
  X(9, VelmoraPlayers, OnLoadPlayers, (const char *path))                                     \
  /* Fill line (256) with player index's one-line description. Ignored. */                   \
  X(10, int32_t, GetPlayerHeader, (VelmoraPlayers players, char *line, int32_t index))        \
  /* Number of players. */                                                                   \
  X(11, int32_t, GetPlayersCount, (VelmoraPlayers players))                                   \
  /* Release a players list. Ignored. */                                                     \
  X(12, int32_t, FreePlayers, (VelmoraPlayers players))                                       \
  /* Number of draw methods; 0 if the system has none (no draw step then). */                \
  X(13, int32_t, GetSortingTypesCount, (void))                                                \
  /* Fill names[k] (256 each) with the name of draw method k. Ignored. */                    \
  X(14, int32_t, GetSortingTypesHeaders, (char **names, int32_t count))                       \
  /* Order the players by draw method index. Ignored. */                                     \
  X(15, int32_t, ApplySorting, (VelmoraPlayers players, int32_t index))                       \
  /* Create a tournament; it takes ownership of players, not of parameters. 0 if it cannot */ \
  /* be created (tell the user why): the host then writes nothing and opens no window. */    \
  X(16, VelmoraTournament, CreateTournament,                                                  \
    (const char *name, VelmoraParameters parameters, VelmoraPlayers players))                \
  /* Release a tournament when its window closes. Ignored. */                                \
  X(17, int32_t, FreeTournament, (VelmoraTournament tournament))                              \
  /* Ask the user for the system's own settings. 0 cancels the new tournament. */            \
  X(18, VelmoraParameters, GetCustomTournamentCreationParameters, (void))                     \
  /* Release what GetCustomTournamentCreationParameters returned, 0 included. Ignored. */   \
  X(19, int32_t, FreeCustomTournamentCreationParameters, (VelmoraParameters parameters))      \
  /* Show and let the user change the tournament's parameters. Ignored. */                   \
  X(20, int32_t, OnTournamentParameters, (VelmoraTournament tournament))                      \
  /* The three match lists: count, then fill lines[k] (256 each) for match k. */             \
  X(21, int32_t, GetNearestMatchesCount, (VelmoraTournament tournament))                      \
  X(22, int32_t, GetNearestMatchesHeaders,                                                    \
    (VelmoraTournament tournament, char **lines, int32_t count))                             \
  X(23, int32_t, GetCurrentMatchesCount, (VelmoraTournament tournament))                      \
  X(24, int32_t, GetCurrentMatchesHeaders,                                                    \
    (VelmoraTournament tournament, char **lines, int32_t count))                             \
  X(25, int32_t, GetLastMatchesCount, (VelmoraTournament tournament))                         \
  X(26, int32_t, GetLastMatchesHeaders,                                                       \
    (VelmoraTournament tournament, char **lines, int32_t count))                             \
  /* Ask for and store the result of nearest match index. Ignored. */                        \
  X(27, int32_t, OnAddMatchResult, (VelmoraTournament tournament, int32_t index))             \
  /* Change or delete the result of last (played) match index. Ignored. */                   \
  X(28, int32_t, OnModifyLastMatchResult, (VelmoraTournament tournament, int32_t index))      \
  X(29, int32_t, OnDeleteLastMatchResult, (VelmoraTournament tournament, int32_t index))      \
  /* Change or delete the result of current match index. Ignored. */                         \
  X(30, int32_t, OnModifyCurrentMatchResult, (VelmoraTournament tournament, int32_t index))   \
  X(31, int32_t, OnDeleteCurrentMatchResult, (VelmoraTournament tournament, int32_t index))   \
  /* Write the tournament file; its first line must be the format id. Ignored. */            \
  X(32, int32_t, OnSaveTournament, (VelmoraTournament tournament, const char *path))          \
  /* Read a tournament file. A new handle, or 0 if it cannot be loaded (tell why). */        \
  X(33, VelmoraTournament, OnLoadTournament, (const char *path))                              \
  /* Write the table page (HTML; the skin's files lie beside it). Ignored. */                \
  X(34, int32_t, SaveTable, (VelmoraTournament tournament, const char *path))                 \
  /* Number of report kinds; 0 if none. */                                                   \
  X(35, int32_t, GetReportsCount, (void))                                                     \
  /* Fill extension (12) with report index's file extension, no dot. Ignored. */             \
  X(36, int32_t, GetReportExtention, (char *extension, int32_t index))                        \
  /* Fill names[k] (256 each) with the name of report k. Ignored. */                         \
  X(37, int32_t, GetReportsNames, (char **names, int32_t count))                              \
  /* Write report index to path. Ignored. */                                                 \
  X(38, int32_t, SaveReport, (VelmoraTournament tournament, int32_t index, const char *path)) \
  /* Show (and let the user edit) the tournament's information. Ignored. */                  \
  X(39, int32_t, OnTournamentInfo, (VelmoraTournament tournament))                            \
  /* Non-zero if the table page must be written again; reset it after SaveTable. */          \
  X(40, int32_t, TableWasModified, (VelmoraTournament tournament))                            \
  /* Non-zero if the tournament has unsaved changes; reset it after OnSaveTournament. */      \
  X(41, int32_t, TournamentWasModified, (VelmoraTournament tournament))

#define VELMORA_ENTRY_POINT_COUNT 42

/* Declarations of the exports, and a pointer type per entry point (VelmoraFn_Name). */
#define VELMORA_DECLARE_EXPORT(slot, ret, name, params) VELMORA_EXPORT ret name params;
#define VELMORA_DECLARE_POINTER(slot, ret, name, params) typedef ret(*VelmoraFn_##name) params;
VELMORA_ENTRY_POINTS(VELMORA_DECLARE_EXPORT)
VELMORA_ENTRY_POINTS(VELMORA_DECLARE_POINTER)
#undef VELMORA_DECLARE_EXPORT
#undef VELMORA_DECLARE_POINTER

#ifdef __cplusplus
}
#endif

#endif /* VELMORA_SYSTEM_H */
