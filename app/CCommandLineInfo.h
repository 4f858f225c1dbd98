#pragma once

#include <QString>
#include <QStringList>

// The framework's standard command-line parser: switches start with '/' or '-' and are
// compared without regard to case; the other arguments are the documents. A start by the
// desktop passes "/dde" followed by every file to open, and a start from a terminal names the
// files alone; all of them are kept.
class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,       // no document named: the ordinary start
        FileOpen,      // a document named
        FilePrint,     // "/p document"
        FilePrintTo,   // "/pt document printer driver port"
        FileDDE,       // "/dde [documents...]": started by the desktop for its files
        AppRegister,   // "/register" or "/regserver"
        AppUnregister, // "/unregister" or "/unregserver"
        FileNothing,   // nothing to do
    };

    CCommandLineInfo() = default;
    explicit CCommandLineInfo(const QStringList& arguments) { Parse(arguments); }

    void Parse(const QStringList& arguments);
    // A start by the desktop or for a document: one whose folder need not be the program's.
    bool IsShellStart() const {
        return m_nShellCommand != FileNew && m_nShellCommand != FileNothing;
    }
    // A start that opens tournaments: "/dde" with files, or files named without a switch, as
    // a terminal, a script or another desktop names them.
    bool OpensFiles() const {
        return (m_nShellCommand == FileDDE || m_nShellCommand == FileOpen) && !m_files.isEmpty();
    }

    ShellCommand m_nShellCommand = FileNew;
    // The documents named, in order: every one after "/dde", otherwise only the first (the
    // printer, driver and port that follow a "/pt" document are not documents).
    QStringList m_files;

private:
    void ParseParam(const QString& param, bool bFlag);
};
