#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace kit {

// A tournament file: one line naming the format (so that the host can tell which system a
// file belongs to without parsing it), then a JSON document whose "version" says which
// revision of the system's format wrote it.

QByteArray WriteEnvelope(const char* formatId, int version, QJsonObject root);

// Strict reading: each helper checks one value and names it, and where it is, in the error.
// The first failure is the one reported; later calls still return harmless values, so a
// reader may check `failed` once after a group of fields.
struct JsonReader {
    QString* error;
    bool failed = false;

    bool Fail(const QString& text);
    QString String(const QJsonObject& o, const char* key, const QString& where, bool required);
    // An integer in [low, high]; absent gives `absent` unless required.
    qint64 Integer(const QJsonObject& o, const char* key, const QString& where, qint64 low,
                   qint64 high, bool required, qint64 absent = 0);
    // Points in half-points within kMinPoints..kMaxPoints, written as a multiple of ½.
    int Halves(const QJsonObject& o, const char* key);
    // true or false; absent gives false.
    bool Flag(const QJsonObject& o, const char* key, const QString& where);
};

// The JSON document of a file, or nothing with the reason in the reader. `what` names the
// system's files for a file of another format: "турнир круговой системы". A version above
// `version` was written by a newer program and is refused rather than half understood.
std::optional<QJsonObject> ReadEnvelope(const QByteArray& content, const char* formatId,
                                        int version, const QString& what, JsonReader& reader);

// The bytes of a tournament file of at most maxSize bytes. An empty string on success,
// otherwise what is wrong, for the user.
QString ReadTournamentFile(const QString& path, qint64 maxSize, QByteArray* content);

} // namespace kit
