#include "Envelope.h"

#include "Points.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

#include <vector>

#include <cmath>

namespace kit {

namespace {

// The text of a JSON string token (between its quotes), its escapes undone, so that
// "r\u0065sults" and "results" are seen as the same key.
QString StringToken(const QByteArray& json, qsizetype begin, qsizetype end) {
    const QByteArray raw = json.mid(begin, end - begin);
    if (!raw.contains('\\'))
        return QString::fromUtf8(raw);
    const QJsonDocument doc = QJsonDocument::fromJson("[\"" + raw + "\"]");
    return doc.array().at(0).toString();
}

// JSON allows an object to name a key twice, and Qt keeps the last value without a word: a
// file edited by hand or merged badly would then lose the first list silently. The
// document has been parsed already, so the scan may trust its syntax.
bool FindRepeatedKey(const QByteArray& json, QString* key, qsizetype* offset) {
    struct Level {
        bool object;
        bool expectKey;
        QSet<QString> keys;
    };
    std::vector<Level> levels;
    const qsizetype n = json.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            levels.push_back({c == '{', c == '{', {}});
        } else if (c == '}' || c == ']') {
            if (!levels.empty())
                levels.pop_back();
        } else if (c == ',') {
            if (!levels.empty() && levels.back().object)
                levels.back().expectKey = true;
        } else if (c == '"') {
            qsizetype end = i + 1;
            while (end < n && json[end] != '"')
                end += json[end] == '\\' ? 2 : 1;
            if (!levels.empty() && levels.back().expectKey) {
                Level& level = levels.back();
                level.expectKey = false;
                const QString name = StringToken(json, i + 1, end);
                if (level.keys.contains(name)) {
                    *key = name;
                    *offset = i;
                    return true;
                }
                level.keys.insert(name);
            }
            i = end;
        }
    }
    return false;
}

} // namespace

QByteArray WriteEnvelope(const char* formatId, int version, QJsonObject root) {
    root.insert(QStringLiteral("version"), version);
    return QByteArray(formatId) + "\n" + QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool JsonReader::Fail(const QString& text) {
    if (!failed && error)
        *error = text;
    failed = true;
    return false;
}

QString JsonReader::String(const QJsonObject& o, const char* key, const QString& where,
                           bool required) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() && !required)
        return {};
    if (!v.isString())
        Fail(QStringLiteral("%1: поле «%2» отсутствует или не является строкой.")
                 .arg(where, QLatin1String(key)));
    return v.toString();
}

qint64 JsonReader::Integer(const QJsonObject& o, const char* key, const QString& where, qint64 low,
                           qint64 high, bool required, qint64 absent) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() && !required)
        return absent;
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || d != std::floor(d) || d < double(low) || d > double(high)) {
        Fail(QStringLiteral("%1: поле «%2» должно быть целым числом от %3 до %4.")
                 .arg(where, QLatin1String(key))
                 .arg(low)
                 .arg(high));
        return low;
    }
    return qint64(d);
}

int JsonReader::Halves(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    const double d = v.toDouble(std::nan("")) * 2;
    if (!v.isDouble() || d != std::floor(d) || d < kMinPoints || d > kMaxPoints) {
        Fail(QStringLiteral("Очки: «%1» должно быть числом от −10 до 10, кратным ½.")
                 .arg(QLatin1String(key)));
        return 0;
    }
    return int(d);
}

bool JsonReader::Flag(const QJsonObject& o, const char* key, const QString& where) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isUndefined() && !v.isBool())
        Fail(where +
             QStringLiteral(": поле «%1» должно быть true или false.").arg(QLatin1String(key)));
    return v.toBool(false);
}

std::optional<QJsonObject> ReadEnvelope(const QByteArray& content, const char* formatId,
                                        int version, const QString& what, JsonReader& r) {
    const qsizetype newline = content.indexOf('\n');
    QByteArray firstLine = content.left(newline < 0 ? content.size() : newline);
    if (firstLine.endsWith('\r'))
        firstLine.chop(1);
    if (firstLine != formatId) {
        r.Fail(QStringLiteral("Это не %1: первая строка файла не «%2».")
                   .arg(what, QLatin1String(formatId)));
        return std::nullopt;
    }
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(content.mid(newline + 1), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        r.Fail(QStringLiteral("Файл повреждён: данные турнира не читаются (смещение %1: %2).")
                   .arg(qsizetype(parseError.offset) + newline + 1)
                   .arg(parseError.errorString()));
        return std::nullopt;
    }
    QString key;
    qsizetype offset = 0;
    if (FindRepeatedKey(content.mid(newline + 1), &key, &offset)) {
        r.Fail(QStringLiteral("Файл повреждён: ключ «%1» повторяется (смещение %2).")
                   .arg(key.left(40))
                   .arg(offset + newline + 1));
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    const qint64 found = r.Integer(root, "version", QStringLiteral("Файл"), 1, 1000000, true);
    if (r.failed)
        return std::nullopt;
    if (found > version) {
        r.Fail(QStringLiteral("Файл записан более новой версией программы (версия формата %1, "
                              "эта версия понимает %2).")
                   .arg(found)
                   .arg(version));
        return std::nullopt;
    }
    return root;
}

std::optional<FileHead> ReadHead(const QByteArray& content, const char* formatId, int version,
                                 const QString& what, JsonReader& r) {
    const std::optional<QJsonObject> root = ReadEnvelope(content, formatId, version, what, r);
    if (!root)
        return std::nullopt;
    FileHead head;
    head.root = *root;
    head.name = r.String(*root, "name", QStringLiteral("Турнир"), true);
    head.info = ReadInfo(r, *root);
    if (r.failed)
        return std::nullopt;
    return head;
}

std::optional<QJsonObject> SettingsObject(JsonReader& r, const QJsonObject& root, const char* key) {
    if (!root.value(key).isObject()) {
        r.Fail(QStringLiteral("В файле нет параметров турнира."));
        return std::nullopt;
    }
    return root.value(key).toObject();
}

QString ReadTournamentFile(const QString& path, qint64 maxSize, QByteArray* content) {
    QFile file(path);
    // Opening a pipe or a device would wait for a writer, or read for ever.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return QStringLiteral("это не файл.");
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (file.size() > maxSize)
        return QStringLiteral("файл слишком велик для турнира (%1 байт).").arg(file.size());
    *content = file.readAll();
    return {};
}

QString CannotOpenTournament(const QString& path, const QString& detail) {
    return QStringLiteral("Не удалось открыть турнир из файла «%1».\n%2")
        .arg(QFileInfo(path).fileName(), detail);
}

QJsonValue PointsValue(int halves) {
    if (halves % 2 == 0)
        return halves / 2;
    return halves / 2.0;
}

QJsonObject RootObject(const QString& name, const TournamentInfo& info, const QJsonObject& settings,
                       const DrawRecord& draw, const QJsonArray& players) {
    return QJsonObject{{"name", name},
                       {"info", InfoObject(info)},
                       {"settings", settings},
                       {"draw", DrawObject(draw)},
                       {"players", players}};
}

QJsonObject PointsObject(const Points& points) {
    return QJsonObject{{"win", PointsValue(points.win)},
                       {"draw", PointsValue(points.draw)},
                       {"loss", PointsValue(points.loss)},
                       {"forfeit_loss", PointsValue(points.forfeitLoss)}};
}

Points ReadPoints(JsonReader& r, const QJsonObject& settings) {
    const QJsonObject points = settings.value("points").toObject();
    return {r.Halves(points, "win"), r.Halves(points, "draw"), r.Halves(points, "loss"),
            r.Halves(points, "forfeit_loss")};
}

QJsonObject InfoObject(const TournamentInfo& info) {
    return QJsonObject{{"venue", info.venue},
                       {"dates", info.dates},
                       {"arbiter", info.arbiter},
                       {"notes", info.notes}};
}

TournamentInfo ReadInfo(JsonReader& r, const QJsonObject& root) {
    const QJsonObject o = root.value("info").toObject();
    const QString where = QStringLiteral("Сведения о турнире");
    TournamentInfo info;
    info.venue = r.String(o, "venue", where, false);
    info.dates = r.String(o, "dates", where, false);
    info.arbiter = r.String(o, "arbiter", where, false);
    info.notes = r.String(o, "notes", where, false);
    return info;
}

QJsonObject DrawObject(const DrawRecord& draw) {
    return QJsonObject{{"method", int(draw.method)}, {"seed", double(draw.seed)}};
}

DrawRecord ReadDraw(JsonReader& r, const QJsonObject& root) {
    const QJsonObject o = root.value("draw").toObject();
    const QString where = QStringLiteral("Жеребьёвка");
    DrawRecord draw;
    draw.method = DrawMethod(r.Integer(o, "method", where, 0, kDrawMethodCount - 1, false));
    draw.seed = quint32(r.Integer(o, "seed", where, 0, 0xFFFFFFFFLL, false));
    return draw;
}

QJsonObject PlayerObject(const Player& p, int entry) {
    QJsonObject o{{"name", p.name}, {"rating", p.rating}, {"title", p.title},
                  {"club", p.club}, {"city", p.city},     {"entry", entry + 1}};
    // Only when known, so that the files of systems that never ask stay as they were.
    if (!p.fideId.isEmpty())
        o.insert("fide_id", p.fideId);
    if (p.birthYear > 0)
        o.insert("birth_year", p.birthYear);
    return o;
}

Player ReadPlayer(JsonReader& r, const QJsonValue& v, const QString& where) {
    Player p;
    if (!v.isObject()) {
        r.Fail(where + QStringLiteral(": запись не является объектом."));
        return p;
    }
    const QJsonObject o = v.toObject();
    p.name = r.String(o, "name", where, true);
    if (!r.failed && p.name.trimmed().isEmpty())
        r.Fail(where + QStringLiteral(": не указано имя."));
    p.rating = int(r.Integer(o, "rating", where, 0, kMaxRating, false));
    p.title = r.String(o, "title", where, false);
    p.club = r.String(o, "club", where, false);
    p.city = r.String(o, "city", where, false);
    p.fideId = r.String(o, "fide_id", where, false);
    if (!r.failed && !IsFideId(p.fideId))
        r.Fail(where + QStringLiteral(": ФИДЕ ID «%1» — не число.").arg(p.fideId.left(20)));
    p.birthYear = int(r.Integer(o, "birth_year", where, 0, 9999, false));
    return p;
}

std::optional<QJsonArray> ReadPlayersArray(JsonReader& r, const QJsonObject& root, int maxPlayers,
                                           const QString& tooMany) {
    const QJsonValue value = root.value("players");
    if (!value.isArray()) {
        r.Fail(QStringLiteral("В файле нет списка участников."));
        return std::nullopt;
    }
    const QJsonArray players = value.toArray();
    if (players.size() > maxPlayers) {
        r.Fail(tooMany.arg(players.size()).arg(maxPlayers));
        return std::nullopt;
    }
    return players;
}

int ReadEntry(JsonReader& r, const QJsonObject& o, const QString& where, int index, int count,
              std::vector<char>& seen) {
    const int entry = int(r.Integer(o, "entry", where, 1, count, false, index + 1)) - 1;
    if (r.failed)
        return -1;
    if (seen[size_t(entry)]) {
        r.Fail(where +
               QStringLiteral(": номер в списке %1 уже занят другим участником.").arg(entry + 1));
        return -1;
    }
    seen[size_t(entry)] = 1;
    return entry;
}

} // namespace kit
