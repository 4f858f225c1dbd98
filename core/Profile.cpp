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

namespace {

// Writes one tournament's entry of a group: when it was written, the path it stands for, then
// the values. Only the newest entries are kept.
void WriteEntry(const QString& group, const QString& tournamentPath, const QStringList& values) {
    QSettings settings = ProfileSettings();
    settings.beginGroup(group);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    settings.setValue(
        KeyOf(tournamentPath),
        QStringList{QString::number(now), QFileInfo(tournamentPath).absoluteFilePath()} + values);
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

// The values of one tournament's entry, or none when the entry is not this path's.
QStringList ReadEntry(const QString& group, const QString& tournamentPath) {
    QSettings settings = ProfileSettings();
    settings.beginGroup(group);
    const QStringList value = settings.value(KeyOf(tournamentPath)).toStringList();
    if (value.size() < 2 || value.at(1) != QFileInfo(tournamentPath).absoluteFilePath())
        return {};
    return value.mid(2);
}

} // namespace

TournamentChoice RememberedChoice(const QString& tournamentPath) {
    const QStringList value = ReadEntry(QStringLiteral("Tournaments"), tournamentPath);
    if (value.size() < 2)
        return {};
    return {value.at(0), value.at(1)};
}

void RememberChoice(const QString& tournamentPath, const TournamentChoice& choice) {
    WriteEntry(QStringLiteral("Tournaments"), tournamentPath, {choice.library, choice.skin});
}

PublishChoice RememberedPublishing(const QString& tournamentPath) {
    const QStringList value = ReadEntry(QStringLiteral("Publishing"), tournamentPath);
    PublishChoice choice;
    if (value.size() < 3)
        return choice;
    choice.on = value.at(0) == QLatin1String("1");
    choice.destination = value.at(1);
    for (const QString& index : value.at(2).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int report = index.toInt(&ok);
        if (ok && report >= 0)
            choice.reports.append(report);
    }
    return choice;
}

void RememberPublishing(const QString& tournamentPath, const PublishChoice& choice) {
    QStringList reports;
    for (const int report : choice.reports)
        reports.append(QString::number(report));
    WriteEntry(QStringLiteral("Publishing"), tournamentPath,
               {choice.on ? QStringLiteral("1") : QStringLiteral("0"), choice.destination,
                reports.join(u',')});
}

} // namespace Profile
