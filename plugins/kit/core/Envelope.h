#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "PlayerList.h"
#include "Points.h"
#include "TournamentInfo.h"

#include <optional>
#include <vector>

namespace kit {

// A tournament file: one line naming the format (so that the host can tell which system a
// file belongs to without parsing it), then a JSON document whose "version" says which
// revision of the system's format wrote it.

QByteArray WriteEnvelope(const char* formatId, int version, QJsonObject root);

// Strict reading: each helper checks one value and names it, and where it is, in the error.
// The first failure is the one reported; later calls still return harmless values, so a
// reader may check `failed` once after a group of fields.
struct JsonReader {
    QString* error; // may be null where the caller does not want the reason
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

// What every tournament file begins with: its document, the tournament's name and what the
// organiser wrote about it; or nothing with the reason in the reader.
struct FileHead {
    QJsonObject root;
    QString name;
    TournamentInfo info;
    DrawRecord draw;    // without the entry order, which comes with the players
    QJsonArray players; // each entry unread
};
std::optional<FileHead> ReadHead(const QByteArray& content, const char* formatId, int version,
                                 const QString& what, JsonReader& reader);
// The object of the tournament's parameters (`key`), or nothing with the reason in the reader.
std::optional<QJsonObject> SettingsObject(JsonReader& r, const QJsonObject& root,
                                          const char* key = "settings");
std::optional<QJsonArray> ReadPlayersArray(JsonReader& r, const QJsonObject& root, int maxPlayers,
                                           const QString& tooMany);
DrawRecord ReadDraw(JsonReader& r, const QJsonObject& root);

// The head, the system's settings read by `readSettings`, the draw and the players array
// (`tooMany`: the system's own words for a list over `maxPlayers`, %1 the count, %2 the limit).
template <class Settings>
std::optional<FileHead> ReadFileStart(const QByteArray& content, const char* formatId, int version,
                                      const QString& what, JsonReader& r, Settings* settings,
                                      bool (*readSettings)(JsonReader&, const QJsonObject&,
                                                           Settings*),
                                      int maxPlayers, const QString& tooMany) {
    std::optional<FileHead> head = ReadHead(content, formatId, version, what, r);
    if (!head)
        return std::nullopt;
    const std::optional<QJsonObject> settingsObject = SettingsObject(r, head->root);
    if (!settingsObject || !readSettings(r, *settingsObject, settings))
        return std::nullopt;
    head->draw = ReadDraw(r, head->root);
    const std::optional<QJsonArray> players = ReadPlayersArray(r, head->root, maxPlayers, tooMany);
    if (!players)
        return std::nullopt;
    head->players = *players;
    return head;
}

// The bytes of a tournament file of at most maxSize bytes. An empty string on success,
// otherwise what is wrong, for the user.
QString ReadTournamentFile(const QString& path, qint64 maxSize, QByteArray* content);

// Why a tournament file did not open, naming the file, for the user.
QString CannotOpenTournament(const QString& path, const QString& detail);

// Read and parsed, or nothing with the file's name and the reason in `error`; `parse` is the
// system's ParseTournament.
template <class Parse>
auto LoadTournamentFile(const QString& path, qint64 maxSize, QString* error, Parse parse)
    -> decltype(parse(QByteArray(), error)) {
    QByteArray content;
    QString detail = ReadTournamentFile(path, maxSize, &content);
    decltype(parse(QByteArray(), error)) t;
    if (detail.isEmpty())
        t = parse(content, &detail);
    if (!t && error)
        *error = CannotOpenTournament(path, detail);
    return t;
}

// The pieces every system's file has in common, written and read alike, so that a file of
// one system reads the same way as another's. Points are written as people say them: a
// whole number where they are whole.
QJsonValue PointsValue(int halves);
QJsonObject InfoObject(const TournamentInfo& info);
TournamentInfo ReadInfo(JsonReader& r, const QJsonObject& root);
QJsonObject DrawObject(const DrawRecord& draw);
// A player's own fields, and his place in the list before the draw (1-based in the file).
QJsonObject PlayerObject(const Player& p, int entry);
// A player's own fields from one entry of the players array; an entry that is no object
// fails the reader.
Player ReadPlayer(JsonReader& r, const QJsonValue& v, const QString& where);
// The entry of player `index` of `count`, or -1 with the reason in the reader when it is
// out of range or taken; `seen` marks the ones taken.
int ReadEntry(JsonReader& r, const QJsonObject& o, const QString& where, int index, int count,
              std::vector<char>& seen);

// The keys every system's file has; the system adds its own.
QJsonObject RootObject(const QString& name, const TournamentInfo& info, const QJsonObject& settings,
                       const DrawRecord& draw, const QJsonArray& players);
QJsonObject PointsObject(const Points& points);
// The "points" object of the settings, each checked.
Points ReadPoints(JsonReader& r, const QJsonObject& settings);

// The settings' "tiebreaks", by the system's codes for its own tie-breaks.
template <class TieBreak>
QJsonArray TieBreakCodes(const QList<TieBreak>& tieBreaks, QString (*code)(TieBreak)) {
    QJsonArray codes;
    for (TieBreak tb : tieBreaks)
        codes.append(code(tb));
    return codes;
}
template <class TieBreak>
bool ReadTieBreaks(JsonReader& r, const QJsonObject& settings, QList<TieBreak>* tieBreaks,
                   bool (*fromCode)(const QString&, TieBreak*)) {
    const QJsonValue tb = settings.value("tiebreaks");
    if (!tb.isArray())
        return r.Fail(QStringLiteral("Параметры: нет списка дополнительных показателей."));
    tieBreaks->clear();
    for (const QJsonValue& v : tb.toArray()) {
        TieBreak t;
        if (!fromCode(v.toString(), &t))
            return r.Fail(QStringLiteral("Параметры: неизвестный дополнительный показатель «%1».")
                              .arg(v.toString().left(40)));
        tieBreaks->append(t);
    }
    return true;
}

// Settings read without a fault are then checked as a whole by the system's own rules, which
// may assume each value is in range.
template <class Settings>
bool SettingsAccepted(JsonReader& r, const Settings& s, QString (*check)(const Settings&)) {
    if (r.failed)
        return false;
    const QString problem = check(s);
    if (!problem.isEmpty())
        return r.Fail(QStringLiteral("Параметры: %1.").arg(problem));
    return true;
}

} // namespace kit
