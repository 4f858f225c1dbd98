#include "NaturalOrder.h"

namespace {

// The digit run starting at i, without its leading zeros; i is left after the run.
QStringView DigitRun(const QString& text, qsizetype& i) {
    while (i < text.size() && text.at(i) == u'0' && i + 1 < text.size() && text.at(i + 1).isDigit())
        ++i;
    const qsizetype start = i;
    while (i < text.size() && text.at(i).isDigit())
        ++i;
    return QStringView(text).mid(start, i - start);
}

} // namespace

int NaturalCompare(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QChar ca = a.at(i), cb = b.at(j);
        if (ca.isDigit() && cb.isDigit()) {
            const QStringView na = DigitRun(a, i), nb = DigitRun(b, j);
            // Without leading zeros, the longer number is the larger; of equal length, the
            // first differing digit decides. Any length works, not only what fits a number.
            if (na.size() != nb.size())
                return na.size() < nb.size() ? -1 : 1;
            for (qsizetype k = 0; k < na.size(); ++k)
                if (na.at(k).digitValue() != nb.at(k).digitValue())
                    return na.at(k).digitValue() < nb.at(k).digitValue() ? -1 : 1;
            continue;
        }
        const char32_t fa = ca.toCaseFolded().unicode(), fb = cb.toCaseFolded().unicode();
        if (fa != fb)
            return fa < fb ? -1 : 1;
        ++i;
        ++j;
    }
    const bool aLeft = i < a.size(), bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}
