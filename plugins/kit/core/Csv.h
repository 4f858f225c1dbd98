#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kit {

// Reports for spreadsheets with Russian settings: UTF-8 with a byte-order mark (without it
// they guess a legacy code page), semicolons (the comma is the decimal sign), CRLF line ends.

// A field for a CSV line: quoted if it holds the separator, a quote or a line break, and
// kept from being read as a formula when it starts with = + - or @ and is not a number.
QString CsvField(const QString& text);

class CsvWriter {
public:
    void Row(const QStringList& fields);
    QByteArray Bytes() const;

private:
    QString m_text;
};

} // namespace kit
