#include "core/Settings.h"

namespace Settings {

QSettings Profile() {
    return QSettings(QLatin1String(kCompany), QLatin1String(kApplication));
}

} // namespace Settings
