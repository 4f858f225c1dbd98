#include "AtomicFile.h"

#include <QSaveFile>

namespace kit {

QString WriteFileAtomically(const QString& path, const QByteArray& content,
                            const QString& failure) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return {};
    // The path goes in after the pattern is filled, so a "%2" in a file name stays as it is.
    return failure.arg(path) + QStringLiteral(": ") + file.errorString();
}

} // namespace kit
