#include "Text.h"

namespace ko {

QString RoundName(int round, int rounds) {
    const int left = rounds - round; // rounds still to come after this one
    if (left <= 0)
        return QStringLiteral("Финал");
    return QStringLiteral("1/%1 финала").arg(1 << left);
}

} // namespace ko
