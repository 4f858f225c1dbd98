#include "Text.h"

#include <cstring>

namespace kit {

QByteArray TruncateUtf8(const QByteArray& utf8, int maxBytes) {
    if (maxBytes <= 0)
        return {};
    if (utf8.size() <= maxBytes)
        return utf8;
    int cut = maxBytes;
    // utf8[cut] is the first byte left out; a continuation byte there means that the
    // character it belongs to started before the cut, so that character goes too.
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    return utf8.left(cut);
}

void CopyToBuffer(char* buffer, int size, const QString& text) {
    if (!buffer || size < 1)
        return;
    const QByteArray bytes = TruncateUtf8(text.toUtf8(), size - 1);
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
}

QString PointsText(int halves) {
    const bool negative = halves < 0;
    const int magnitude = negative ? -halves : halves;
    QString text;
    if (magnitude / 2 > 0 || magnitude % 2 == 0)
        text = QString::number(magnitude / 2);
    if (magnitude % 2)
        text += QChar(0x00BD);
    return negative ? QChar(0x2212) + text : text;
}

QString PointsDecimal(int halves) {
    const bool negative = halves < 0;
    const int magnitude = negative ? -halves : halves;
    QString text = QString::number(magnitude / 2);
    if (magnitude % 2)
        text += QStringLiteral(",5");
    return negative ? u'-' + text : text;
}

QString Plural(int count, const QString& one, const QString& few, const QString& many) {
    const int n = count < 0 ? -count : count;
    const int last = n % 10, lastTwo = n % 100;
    if (last == 1 && lastTwo != 11)
        return one;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return few;
    return many;
}

QString RoundsPlayedText(int played, int total) {
    const int last = played % 10, lastTwo = played % 100;
    if (last == 1 && lastTwo != 11)
        return QStringLiteral("Сыгран %1 тур из %2").arg(played).arg(total);
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return QStringLiteral("Сыграно %1 тура из %2").arg(played).arg(total);
    return QStringLiteral("Сыграно %1 туров из %2").arg(played).arg(total);
}

QString QuarterPointsText(int quarters) {
    const bool negative = quarters < 0;
    const int magnitude = negative ? -quarters : quarters;
    static const char16_t kFractions[] = {0, 0x00BC, 0x00BD, 0x00BE};
    QString text;
    if (magnitude / 4 > 0 || magnitude % 4 == 0)
        text = QString::number(magnitude / 4);
    if (magnitude % 4)
        text += QChar(kFractions[magnitude % 4]);
    return negative ? QChar(0x2212) + text : text;
}

QString DecimalText(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    text.replace(u'.', u',');
    if (text.startsWith(u'-'))
        text.replace(0, 1, QChar(0x2212));
    return text;
}

QString RoundLine(int round, int board, const QString& first, const QString& second,
                  const QString& result) {
    // Appended piece by piece: the host asks for every line of a long list at once, and
    // QString::arg would parse the pattern again for each of them.
    QString line;
    line.reserve(32 + first.size() + second.size() + result.size());
    line += QString::number(round);
    if (board > 0) {
        line += QStringLiteral(" тур, доска ");
        line += QString::number(board);
        line += QStringLiteral(": ");
    } else {
        line += QStringLiteral(" тур: ");
    }
    line += first;
    line += QStringLiteral(" — ");
    line += second;
    if (!result.isEmpty()) {
        line += u' ';
        line += result;
    }
    return line;
}

} // namespace kit
