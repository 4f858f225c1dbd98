#include "wizard/WizardHelpers.h"

#include "systems/PathHelpers.h"
#include "velmora_system.h"

#include <QFile>
#include <QFileInfo>

Prompts::FileRequest TournamentFileRequest(const QString& title, bool save) {
    Prompts::FileRequest request;
    request.save = save;
    request.title = title;
    request.filters = {QStringLiteral("Tournament Files (*.trn)")};
    request.defaultSuffix = QStringLiteral("trn");
    request.initialName = QStringLiteral("*.trn");
    request.initialFolder = GetFullPath(GetCurrentFolder()) + QStringLiteral("/Tournaments");
    return request;
}

bool ReadFormatIdentifier(const QString& path, QByteArray* identifier) {
    identifier->clear();
    const QFileInfo info(path);
    // Only regular files: a folder cannot be read, and reading a pipe or a device may block
    // or never end.
    if (path.isEmpty() || !info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The longest identifier that can match, its carriage return and line feed, and one
    // byte more, so that a longer line is still seen to be longer.
    constexpr qint64 kEnough = VELMORA_NAME_SIZE + 2;
    QByteArray head = file.read(kEnough);
    file.close();
    const qsizetype lineFeed = head.indexOf('\n');
    if (lineFeed >= 0) {
        head.truncate(lineFeed);
        if (head.endsWith('\r'))
            head.chop(1);
    }
    *identifier = head;
    return true;
}
