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
        ParseParam(param, bFlag, i + 1 == arguments.size());
    }
    // A document named without a command is opened.
    if (m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}

void CCommandLineInfo::ParseParam(const QString& param, bool bFlag, bool bLast) {
    Q_UNUSED(bLast)
    if (bFlag) {
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
        else if (flag == u"embedding")
            m_bRunEmbedded = true;
        else if (flag == u"automation")
            m_bRunAutomated = true;
        return;
    }
    // "/pt" takes the document, then the printer, its driver and its port.
    if (m_nShellCommand == FilePrintTo && !m_strFileName.isEmpty()) {
        if (m_strPrinterName.isEmpty())
            m_strPrinterName = param;
        else if (m_strDriverName.isEmpty())
            m_strDriverName = param;
        else if (m_strPortName.isEmpty())
            m_strPortName = param;
        return;
    }
    if (m_strFileName.isEmpty())
        m_strFileName = param;
    // "/dde" and a plain start name every file to open; the printing commands one.
    if (m_nShellCommand == FileDDE || m_nShellCommand == FileNew || m_files.isEmpty())
        m_files.append(param);
}
