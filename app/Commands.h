#pragma once

// Command ids of the menus, the toolbar and the accelerators. Each QAction carries its id as
// data() and is named "command<id>".
namespace Command {
enum : int {
    TournamentInfo = 131,
    Reports = 132,
    TournamentParameters = 139,
    ChangeSkin = 141,
    SaveAsPdf = 143,
    Live = 150,    // the live view in the hall
    Publish = 151, // publishing the page beyond the hall
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileMru1 = 57616, // up to FileMru1 + 15
    WindowCascade = 57650,
    WindowTile = 57651,
    AppAbout = 57664,
    AppExit = 57665,
    HelpFinder = 57670,
    ViewToolbar = 59392,
    WindowListFirst = 0xFF00, // entries of the window list
};
} // namespace Command

// The two menu bars: one while no tournament window is active, one while a tournament is.
enum class MenuResource { NoTournament = 128, Tournament = 129 };
