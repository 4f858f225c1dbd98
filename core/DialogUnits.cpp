#include "core/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

QSize DialogUnitsToPixels(const QWidget* widget, int width, int height) {
    const QFontMetrics metrics(widget->font());
    const int baseX = qMax(1, metrics.averageCharWidth());
    const int baseY = qMax(1, metrics.height());
    return {width * baseX / 4, height * baseY / 8};
}
