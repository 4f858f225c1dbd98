#pragma once

#include <QByteArray>
#include <QString>

namespace kit {

// Writes a file so that a failure at any point leaves the old file whole. An empty string on
// success; otherwise `failure` (its %1 is the path) followed by the reason, for the user.
QString
WriteFileAtomically(const QString& path, const QByteArray& content,
                    const QString& failure = QStringLiteral("Не удалось записать файл «%1»"));

} // namespace kit
