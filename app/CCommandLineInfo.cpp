#include "CCommandLineInfo.h"

namespace {

const QStringList& KnownFlags() {
    static const QStringList flags{"pt",          "p",   "register",  "regserver", "unregister",
                                   "unregserver", "dde", "embedding", "automation"};
    return flags;
}

// Absolute paths begin with '/' here, so a '/' argument is a switch only when it names one;
// '-' always begins a switch, as it did before.
bool IsFlag(const QString& param) {
    if (param.size() < 2)
        return false;
    if (param.startsWith(u'-'))
        return true;
    return param.startsWith(u'/') && KnownFlags().contains(param.mid(1), Qt::CaseInsensitive);
}

} // namespace

void CCommandLineInfo::Parse(const QStringList& arguments) {
    *this = CCommandLineInfo();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString param = arguments.at(i);
        const bool bFlag = IsFlag(param);
        if (bFlag)
            param.remove(0, 1);
        ParseParam(param, bFlag);
    }
    // A document named without a command is opened.
    if (m_nShellCommand == FileNew && !m_files.isEmpty())
        m_nShellCommand = FileOpen;
}

void CCommandLineInfo::ParseParam(const QString& param, bool bFlag) {
    if (bFlag) {
        // "/embedding" and "/automation" are known, so that they are not taken for documents,
        // and change nothing: the program is never started as a component.
        const QString flag = param.toLower();
        if (flag == u"pt")
            m_nShellCommand = FilePrintTo;
        else if (flag == u"p")
            m_nShellCommand = FilePrint;
        else if (flag == u"register" || flag == u"regserver")
            m_nShellCommand = AppRegister;
        else if (flag == u"unregister" || flag == u"unregserver")
            m_nShellCommand = AppUnregister;
        else if (flag == u"dde")
            m_nShellCommand = FileDDE;
        return;
    }
    // "/dde" and a plain start name every file to open; the printing commands one.
    if (m_nShellCommand == FileDDE || m_nShellCommand == FileNew || m_files.isEmpty())
        m_files.append(param);
}
