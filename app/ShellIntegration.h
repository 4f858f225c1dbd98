#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// The desktop's side of the program: the per-user desktop entry and the MIME type of
// tournament files, and the hand-over of files to a program that is already running.
namespace ShellIntegration {

// The MIME type of ".trn" files.
inline constexpr const char* kTournamentMimeType = "application/x-velmora-tournament";

// $XDG_DATA_HOME, or ~/.local/share when it is not set.
QString DataHome();

// Writes the desktop entry (which runs `<executable> /dde %F`), the MIME type of ".trn" and
// their icons under DataHome(), unless they are there already with the same contents, and
// then asks the desktop databases to refresh. Failures are passed over: the program runs
// without them. Nothing is written for a program that a system-wide desktop entry (a
// package's) already starts. Returns true when anything was written.
bool EnsureRegistered(const QString& executablePath);

// The texts written, for the installed copies and for tests.
QByteArray DesktopEntry(const QString& exec);
QByteArray MimePackage();

} // namespace ShellIntegration

// One listening socket per user's desktop: a start for files that finds it hands them over and
// ends; the running program opens them one at a time.
class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit CInstanceChannel(QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The socket's name: per user and per desktop data folder, so that tests with their own
    // folders never meet the user's program.
    static QString ServerName();

    // Sends the files to a running program. True when it took them (this process should end).
    static bool HandOver(const QStringList& files, int timeoutMs = 3000);

    // Starts listening; false when another program already listens.
    bool Listen();
    bool IsListening() const;

    // Called with each file handed over, in order.
    void SetReceiver(std::function<void(const QString&)> receiver) {
        m_receiver = std::move(receiver);
    }

private:
    void OnNewConnection();

    QLocalServer* m_pServer;
    std::function<void(const QString&)> m_receiver;
};
