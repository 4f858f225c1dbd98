#include "Profile.h"

#include "core/Settings.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace {

// Tournaments remembered at most; the oldest go first.
constexpr int kRememberedTournaments = 200;

// Paths hold the settings' own group separators; a digest of the path is a plain key.
QString KeyOf(const QString& tournamentPath) {
    const QString absolute = QFileInfo(tournamentPath).absoluteFilePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

QSettings ProfileSettings() {
    return Settings::Profile();
}

namespace Profile {

int MatchPaneWidth() {
    return qMax(0, ProfileSettings().value(QStringLiteral("Settings/MatchPaneWidth")).toInt());
}

void SetMatchPaneWidth(int width) {
    ProfileSettings().setValue(QStringLiteral("Settings/MatchPaneWidth"), width);
}

TournamentChoice RememberedChoice(const QString& tournamentPath) {
    QSettings settings = ProfileSettings();
    settings.beginGroup(QStringLiteral("Tournaments"));
    const QStringList value = settings.value(KeyOf(tournamentPath)).toStringList();
    if (value.size() < 4)
        return {};
    return {value.at(2), value.at(3)};
}

void RememberChoice(const QString& tournamentPath, const TournamentChoice& choice) {
    QSettings settings = ProfileSettings();
    settings.beginGroup(QStringLiteral("Tournaments"));
    // Each entry: when it was written, the path it stands for, the system, the skin.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    settings.setValue(KeyOf(tournamentPath),
                      QStringList{QString::number(now),
                                  QFileInfo(tournamentPath).absoluteFilePath(), choice.library,
                                  choice.skin});
    const QStringList keys = settings.childKeys();
    if (keys.size() <= kRememberedTournaments)
        return;
    QList<QPair<qint64, QString>> ages;
    for (const QString& key : keys)
        ages.append({settings.value(key).toStringList().value(0).toLongLong(), key});
    std::sort(ages.begin(), ages.end());
    for (qsizetype i = 0; i < ages.size() - kRememberedTournaments; ++i)
        settings.remove(ages.at(i).second);
}

} // namespace Profile
