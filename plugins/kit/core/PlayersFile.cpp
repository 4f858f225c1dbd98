#include "PlayersFile.h"

#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cctype>

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

// A tournament report file (TRF-16 or TRF-2026) gives its players on "001" lines with fields
// at fixed byte positions, so it is cut up as bytes, not as decoded text: a Cyrillic name
// takes more bytes than letters.
bool IsTrf(const QByteArray& content) {
    if (content.contains('\0'))
        return false;
    const bool players =
        content.startsWith("001 ") || content.contains("\n001 ") || content.contains("\r001 ");
    for (const QByteArray& raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        // A report starts with one of its numbered records: "012 Name" or "001 ...".
        auto digit = [&](int i) { return std::isdigit(static_cast<unsigned char>(line[i])) != 0; };
        return players && line.size() >= 4 && digit(0) && digit(1) && digit(2) && line[3] == ' ';
    }
    return false;
}

PlayersSheet TrfSheet(const QByteArray& content) {
    PlayersSheet sheet;
    sheet.columns = 7;
    sheet.rows.append({0, {QStringLiteral("№"), QStringLiteral("Имя"), QStringLiteral("Рейтинг"),
                           QStringLiteral("Звание"), QStringLiteral("Федерация"),
                           QStringLiteral("ФИДЕ ID"), QStringLiteral("Год рождения")}});
    QByteArray text = content;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines[n];
        if (!line.startsWith("001 "))
            continue;
        auto field = [&](int from1, int length) {
            return DecodeText(line.mid(from1 - 1, length)).trimmed();
        };
        QString birth = field(70, 10);
        if (birth.startsWith(QStringLiteral("0000")))
            birth.clear(); // the format's "not known"
        sheet.rows.append({int(n + 1),
                           {field(5, 4), field(15, 33), field(49, 4), field(11, 3), field(54, 3),
                            field(58, 11), birth}});
    }
    return sheet;
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
    // The rating lists' columns only when someone has them: a list without them reads as
    // it always did, in older versions too.
    const bool ids = std::any_of(players.begin(), players.end(), [](const Player& p) {
        return !p.fideId.isEmpty() || p.birthYear > 0;
    });
    QString text = QStringLiteral("Имя\tРейтинг\tЗвание\tКлуб\tГород") +
                   (ids ? QStringLiteral("\tФИДЕ ID\tГод рождения\n") : QStringLiteral("\n"));
    for (const Player& p : players) {
        text += Clean(p.name) + u'\t' + (p.rating > 0 ? QString::number(p.rating) : QString()) +
                u'\t' + Clean(p.title) + u'\t' + Clean(p.club) + u'\t' + Clean(p.city);
        if (ids)
            text += u'\t' + Clean(p.fideId) + u'\t' +
                    (p.birthYear > 0 ? QString::number(p.birthYear) : QString());
        text += u'\n';
    }
    return text.toUtf8();
}

QString SavePlayers(const QList<Player>& players, const QString& path) {
    return WriteFileAtomically(path, WritePlayers(players));
}

PlayersImport AnalysePlayers(const QByteArray& content) {
    PlayersImport result;
    QString text;
    // A spreadsheet's "Unicode text" is UTF-16 with a byte-order mark.
    const bool le = content.startsWith("\xFF\xFE"), be = content.startsWith("\xFE\xFF");
    if (le || be) {
        QStringDecoder utf16(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        text = utf16.decode(content.mid(2));
        if (utf16.hasError() || text.contains(QChar(0))) {
            result.error = QStringLiteral("Файл не похож на список участников: текст в UTF-16 "
                                          "повреждён.");
            return result;
        }
    } else if (IsTrf(content)) {
        result.sheet = TrfSheet(content);
        result.guess = GuessLayout(result.sheet);
        result.ok = true;
        return result;
    } else if (content.contains('\0')) {
        result.error =
            QStringLiteral("Файл не похож на список участников: в нём есть двоичные данные.");
        return result;
    } else {
        text = DecodeText(content);
    }
    result.error = SplitSheet(text, &result.sheet);
    if (!result.error.isEmpty())
        return result;
    result.guess = GuessLayout(result.sheet);
    result.ok = true;
    return result;
}

PlayersImport AnalysePlayersFile(const QString& path) {
    PlayersImport result;
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
    result = AnalysePlayers(file.readAll());
    if (!result.ok)
        result.error = QStringLiteral("Не удалось прочитать список участников из файла «%1».\n%2")
                           .arg(QFileInfo(path).fileName(), result.error);
    return result;
}

PlayersReadResult ReadPlayers(const PlayersSheet& sheet, const SheetLayout& layout) {
    PlayersReadResult result;
    struct Entry {
        int number;
        Player player;
    };
    QList<Entry> entries;
    for (qsizetype r = layout.FirstDataRow(); r < sheet.rows.size(); ++r) {
        if (RowIsBlank(sheet.rows[r], layout))
            continue;
        Entry e;
        result.error = PlayerFromRow(sheet.rows[r], layout, &e.player, &e.number);
        if (!result.error.isEmpty())
            return result;
        entries.append(e);
    }
    // The number column is the list's order; rows without a number keep theirs, at the end.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return unsigned(a.number) < unsigned(b.number);
    });
    for (const Entry& e : entries)
        result.players.append(e.player);
    result.notice = UnplacedNotice(sheet, layout);
    result.ok = true;
    return result;
}

QString UnplacedNotice(const PlayersSheet& sheet, const SheetLayout& layout) {
    const QStringList columns = UnplacedColumns(sheet, layout);
    if (columns.isEmpty())
        return {};
    return (columns.size() == 1 ? QStringLiteral("Не загружен %1: неизвестно, что в нём.")
                                : QStringLiteral("Не загружены: %1 — неизвестно, что в них."))
        .arg(columns.join(QStringLiteral(", ")));
}

PlayersReadResult ReadPlayers(const QByteArray& content) {
    const PlayersImport import = AnalysePlayers(content);
    if (!import.ok) {
        PlayersReadResult result;
        result.error = import.error;
        return result;
    }
    return ReadPlayers(import.sheet, import.guess.layout);
}

PlayersReadResult LoadPlayers(const QString& path) {
    const PlayersImport import = AnalysePlayersFile(path);
    if (!import.ok) {
        PlayersReadResult result;
        result.error = import.error;
        return result;
    }
    PlayersReadResult result = ReadPlayers(import.sheet, import.guess.layout);
    if (!result.ok)
        result.error = QStringLiteral("Не удалось прочитать список участников из файла «%1».\n%2")
                           .arg(QFileInfo(path).fileName(), result.error);
    return result;
}

} // namespace kit
