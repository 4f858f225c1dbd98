#pragma once

#include <QByteArray>
#include <QString>

namespace rr {

// Cuts UTF-8 text to at most maxBytes bytes without splitting a character.
QByteArray TruncateUtf8(const QByteArray& utf8, int maxBytes);

// Writes text into a host buffer of `size` bytes: at most size - 1 bytes, cut at a character
// boundary, then a terminating zero. Does nothing for a null buffer or a size below 1.
void CopyToBuffer(char* buffer, int size, const QString& text);

// Points are kept in half-points so that ½ never meets floating-point rounding: 5 -> "2½".
QString PointsText(int halves);
// Same in a spreadsheet's decimal form with a comma: 5 -> "2,5".
QString PointsDecimal(int halves);

// "Сыграно 3 тура из 9", with the noun agreeing with the number.
QString RoundsPlayedText(int played, int total);

// Escapes text for HTML element content and attribute values.
QString HtmlEscape(const QString& text);

} // namespace rr
