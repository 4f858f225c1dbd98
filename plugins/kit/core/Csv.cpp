#include "Csv.h"

namespace kit {

QString CsvField(const QString& text) {
    QString field = text;
    bool number = false;
    field.toDouble(&number);
    if (!number) {
        QString asDecimal = field;
        asDecimal.replace(u',', u'.').toDouble(&number);
    }
    if (!field.isEmpty() && !number &&
        (field[0] == u'=' || field[0] == u'+' || field[0] == u'-' || field[0] == u'@'))
        field.prepend(u'\'');
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\n') ||
        field.contains(u'\r'))
        field = u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return field;
}

void CsvWriter::Row(const QStringList& fields) {
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (k > 0)
            m_text += u';';
        m_text += CsvField(fields[k]);
    }
    m_text += QStringLiteral("\r\n");
}

QByteArray CsvWriter::Bytes() const {
    return QByteArray("\xEF\xBB\xBF") + m_text.toUtf8();
}

} // namespace kit
