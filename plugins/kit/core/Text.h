#pragma once

#include <QByteArray>
#include <QString>

namespace kit {

// Cuts UTF-8 text to at most maxBytes bytes without splitting a character.
QByteArray TruncateUtf8(const QByteArray& utf8, int maxBytes);

// Writes text into a host buffer of `size` bytes: at most size - 1 bytes, cut at a character
// boundary, then a terminating zero. Does nothing for a null buffer or a size below 1.
void CopyToBuffer(char* buffer, int size, const QString& text);

// Points are kept in half-points so that ½ never meets floating-point rounding: 5 -> "2½".
QString PointsText(int halves);
// Same in a spreadsheet's decimal form with a comma: 5 -> "2,5".
QString PointsDecimal(int halves);

// Quarter points in the same form, for values such as Sonneborn-Berger that may hold
// quarters: 9 -> "2¼", 2 -> "½", -3 -> "−¾". A table keeps one form for all its numbers.
QString QuarterPointsText(int quarters);

// A fraction with at most `decimals` places, as Russian text writes it: 10.25 -> "10,25",
// 2.5 -> "2,5", 3 -> "3", with a true minus sign.
QString DecimalText(double value, int decimals);

// The noun that agrees with a count: Plural(39, "тур", "тура", "туров") is "туров".
QString Plural(int count, const QString& one, const QString& few, const QString& many);

// "Сыграно 3 тура из 9", with the noun agreeing with the number.
QString RoundsPlayedText(int played, int total);

// A game's line in the host's match lists: "3 тур, доска 2: Иванов — Петров 1–0", or with
// `board` 0 "1 тур: Спартак — Динамо 2:1" (teams play matches, not boards). The round comes
// first so that the host's natural order keeps the rounds apart; no result part while
// `result` is empty.
QString RoundLine(int round, int board, const QString& first, const QString& second,
                  const QString& result);

} // namespace kit
