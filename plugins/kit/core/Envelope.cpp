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
    if (!failed)
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

} // namespace kit
