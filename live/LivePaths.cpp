#include "LivePaths.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace LivePaths {

QByteArray ContentType(const QString& fileName) {
    static const QHash<QString, QByteArray> types = {
        {QStringLiteral("htm"), "text/html; charset=utf-8"},
        {QStringLiteral("html"), "text/html; charset=utf-8"},
        {QStringLiteral("css"), "text/css; charset=utf-8"},
        {QStringLiteral("png"), "image/png"},
        {QStringLiteral("jpg"), "image/jpeg"},
        {QStringLiteral("jpeg"), "image/jpeg"},
        {QStringLiteral("svg"), "image/svg+xml"},
        {QStringLiteral("woff2"), "font/woff2"},
        {QStringLiteral("ico"), "image/x-icon"},
    };
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= 0 || fileName.lastIndexOf(u'/') > dot)
        return {};
    return types.value(fileName.mid(dot + 1).toLower());
}

QStringList Segments(const QByteArray& rawPath) {
    if (rawPath.isEmpty() || rawPath.size() > kMaxPathBytes || !rawPath.startsWith('/'))
        return {};
    // Decoded exactly once: "%252e" stays the literal "%2e", never a dot.
    const QByteArray decoded = QByteArray::fromPercentEncoding(rawPath);
    if (decoded.contains('\0') || decoded.contains('\\'))
        return {};
    if (decoded == "/")
        return {QString()};
    const QString text = QString::fromUtf8(decoded);
    if (text.contains(QChar::ReplacementCharacter))
        return {};
    QStringList segments = text.mid(1).split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        // Only the last may be empty: a folder's own address ends with '/'.
        if ((segments[i].isEmpty() && i + 1 < segments.size()) || segments[i].startsWith(u'.'))
            return {};
    }
    return segments;
}

QString ResolveInside(const QString& root, const QStringList& relative) {
    if (relative.isEmpty() || ContentType(relative.last()).isEmpty())
        return {};
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    if (canonicalRoot.isEmpty())
        return {};
    const QFileInfo file(canonicalRoot + u'/' + relative.join(u'/'));
    const QString canonical = file.canonicalFilePath(); // empty when missing
    if (canonical.isEmpty() || !canonical.startsWith(canonicalRoot + u'/'))
        return {};
    // The link's target decides: a link named "a.css" to a tournament file is no style sheet.
    const QFileInfo target(canonical);
    if (!target.isFile() || ContentType(target.fileName()).isEmpty())
        return {};
    return canonical;
}

} // namespace LivePaths
