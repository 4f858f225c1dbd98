#pragma once

#include <QSettings>

// The program's settings: the user's profile of the company "Harrowfield Soft" and the
// application "Velmora" (the registry on Windows, an INI file elsewhere). Everything the
// program remembers between runs lives there; there is no configuration file.
namespace Settings {

inline constexpr const char* kCompany = "Harrowfield Soft";
inline constexpr const char* kApplication = "Velmora";

inline QSettings Profile() {
    return QSettings(QLatin1String(kCompany), QLatin1String(kApplication));
}

} // namespace Settings
