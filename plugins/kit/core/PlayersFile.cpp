#include "PlayersFile.h"

#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace kit {

namespace {

const char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// A field in our own file never holds a tab or a line break: they would split it. A quote
// makes the field quoted, as spreadsheets expect, so that it reads back as it was.
QString Clean(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    out = out.trimmed();
    if (out.contains(u'"'))
        out = u'"' + out.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return out;
}

enum class Column { Name, Rating, Title, Club, City, Other };

Column HeaderColumn(const QString& cell) {
    const QString h = cell.trimmed().toLower();
    static const QStringList name{"имя",      "фио",     "name",         "игрок",
                                  "участник", "фамилия", "фамилия, имя", "фамилия и имя"};
    static const QStringList rating{"рейтинг", "rating", "elo", "эло"};
    static const QStringList title{"звание", "разряд", "title", "rank", "звание/разряд"};
    static const QStringList club{"клуб", "club", "команда", "team", "организация"};
    static const QStringList city{"город", "city", "town"};
    if (name.contains(h))
        return Column::Name;
    if (rating.contains(h))
        return Column::Rating;
    if (title.contains(h))
        return Column::Title;
    if (club.contains(h))
        return Column::Club;
    if (city.contains(h))
        return Column::City;
    return Column::Other;
}

// Splits delimited text into rows of fields, quotes as spreadsheets write them. Each row
// remembers the line it started on. Returns false (with the line) for an unclosed quote.
struct Row {
    int line;
    QStringList fields;
};
bool SplitRows(const QString& text, QChar delimiter, QList<Row>* rows, int* badLine) {
    int line = 1;
    Row row{1, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += (c == u'\n' || c == u'\r') ? QChar(u' ') : c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == delimiter) {
            row.fields.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            row.fields.append(field);
            rows->append(row);
            field.clear();
            fieldStarted = false;
            row = Row{++line, {}};
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        *badLine = row.line;
        return false;
    }
    row.fields.append(field);
    rows->append(row);
    return true;
}

QChar GuessDelimiter(const QString& text) {
    const QString first = text.left(text.indexOf(u'\n'));
    if (first.contains(u'\t'))
        return u'\t';
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (QChar c : first) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons >= commas && semicolons > 0 ? QChar(u';')
           : commas > 0                           ? QChar(u',')
                                                  : QChar(u';');
}

} // namespace

QString DecodeText(const QByteArray& content) {
    QByteArray bytes = content;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            text += QChar(b);
        else if (b < 0xC0)
            text += QChar(kCp1251High[b - 0x80]);
        else
            text += QChar(char16_t(0x0410 + (b - 0xC0)));
    }
    return text;
}

QByteArray WritePlayers(const QList<Player>& players) {
    QString text = QStringLiteral("Имя\tРейтинг\tЗвание\tКлуб\tГород\n");
    for (const Player& p : players) {
        text += Clean(p.name) + u'\t' + (p.rating > 0 ? QString::number(p.rating) : QString()) +
                u'\t' + Clean(p.title) + u'\t' + Clean(p.club) + u'\t' + Clean(p.city) + u'\n';
    }
    return text.toUtf8();
}

QString SavePlayers(const QList<Player>& players, const QString& path) {
    return WriteFileAtomically(path, WritePlayers(players));
}

PlayersReadResult ReadPlayers(const QByteArray& content) {
    PlayersReadResult result;
    if (content.contains('\0')) {
        result.error =
            QStringLiteral("Файл не похож на список участников: в нём есть двоичные данные.");
        return result;
    }
    const QString text = DecodeText(content);
    QList<Row> rows;
    int badLine = 0;
    if (!SplitRows(text, GuessDelimiter(text), &rows, &badLine)) {
        result.error = QStringLiteral("Строка %1: кавычка открыта и не закрыта.").arg(badLine);
        return result;
    }

    QList<Column> columns{Column::Name, Column::Rating, Column::Title, Column::Club, Column::City};
    qsizetype start = 0;
    while (start < rows.size() && rows[start].fields.join(QString()).trimmed().isEmpty())
        ++start;
    if (start < rows.size()) {
        QList<Column> header;
        bool isHeader = false;
        for (const QString& cell : rows[start].fields) {
            header.append(HeaderColumn(cell));
            isHeader = isHeader || header.back() == Column::Name;
        }
        if (isHeader) {
            columns = header;
            ++start;
        }
    }

    for (qsizetype r = start; r < rows.size(); ++r) {
        const Row& row = rows[r];
        if (row.fields.join(QString()).trimmed().isEmpty())
            continue;
        Player p;
        for (qsizetype k = 0; k < row.fields.size() && k < columns.size(); ++k) {
            const QString value = row.fields[k].trimmed();
            switch (columns[k]) {
            case Column::Name:
                p.name = value;
                break;
            case Column::Title:
                p.title = value;
                break;
            case Column::Club:
                p.club = value;
                break;
            case Column::City:
                p.city = value;
                break;
            case Column::Rating: {
                if (value.isEmpty())
                    break;
                bool ok = false;
                const int rating = value.toInt(&ok);
                if (!ok || rating < 0 || rating > kMaxRating) {
                    result.error =
                        QStringLiteral("Строка %1: рейтинг «%3» — не целое число от 0 до %2.")
                            .arg(row.line)
                            .arg(kMaxRating)
                            .arg(value.left(40));
                    return result;
                }
                p.rating = rating;
                break;
            }
            case Column::Other:
                break;
            }
        }
        if (p.name.isEmpty()) {
            result.error = QStringLiteral("Строка %1: не указано имя участника.").arg(row.line);
            return result;
        }
        result.players.append(p);
    }
    result.ok = true;
    return result;
}

PlayersReadResult LoadPlayers(const QString& path) {
    PlayersReadResult result;
    // Opening a pipe or a device would wait for a writer, or read for ever.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        result.error = QStringLiteral("«%1» — не файл.").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error =
            QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString());
        return result;
    }
    if (file.size() > kMaxPlayersFileSize) {
        result.error = QStringLiteral("Файл «%1» слишком велик для списка участников.").arg(path);
        return result;
    }
    result = ReadPlayers(file.readAll());
    if (!result.ok)
        result.error = QStringLiteral("Не удалось прочитать список участников из файла «%1».\n%2")
                           .arg(QFileInfo(path).fileName(), result.error);
    return result;
}

} // namespace kit
