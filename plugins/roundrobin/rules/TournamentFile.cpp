#include "TournamentFile.h"

#include "AtomicFile.h"
#include "Envelope.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace rr {

namespace {

QJsonValue PointsValue(int halves) {
    if (halves % 2 == 0)
        return halves / 2;
    return halves / 2.0;
}

QJsonObject PlayerObject(const Player& p, int entry, bool withdrawn) {
    QJsonObject o{{"name", p.name}, {"rating", p.rating}, {"title", p.title},
                  {"club", p.club}, {"city", p.city},     {"entry", entry + 1}};
    if (withdrawn)
        o.insert("withdrawn", true);
    return o;
}

bool ReadSettings(JsonReader& r, const QJsonObject& o, Settings* s) {
    const QString where = QStringLiteral("Параметры");
    s->cycles = int(r.Integer(o, "cycles", where, 1, kMaxCycles, true));
    const QString kind = r.String(o, "kind", where, true);
    if (kind == QLatin1String("games"))
        s->kind = ResultKind::Games;
    else if (kind == QLatin1String("scores"))
        s->kind = ResultKind::Scores;
    else if (!r.failed)
        return r.Fail(
            QStringLiteral("Параметры: неизвестный вид результатов «%1».").arg(kind.left(40)));
    const QJsonObject points = o.value("points").toObject();
    s->points = {r.Halves(points, "win"), r.Halves(points, "draw"), r.Halves(points, "loss"),
                 r.Halves(points, "forfeit_loss")};
    const QJsonValue tb = o.value("tiebreaks");
    if (!tb.isArray())
        return r.Fail(QStringLiteral("Параметры: нет списка дополнительных показателей."));
    s->tieBreaks.clear();
    for (const QJsonValue& v : tb.toArray()) {
        TieBreak t;
        if (!TieBreakFromCode(v.toString(), &t))
            return r.Fail(QStringLiteral("Параметры: неизвестный дополнительный показатель «%1».")
                              .arg(v.toString().left(40)));
        s->tieBreaks.append(t);
    }
    s->nearestAll = o.value("nearest_all").toBool(false);
    if (r.failed)
        return false;
    const QString problem = CheckSettings(*s);
    if (!problem.isEmpty())
        return r.Fail(QStringLiteral("Параметры: %1.").arg(problem));
    return true;
}

} // namespace

QByteArray SerializeTournament(const Tournament& t) {
    const Settings& s = t.GetSettings();
    QJsonArray tieBreaks;
    for (TieBreak tb : s.tieBreaks)
        tieBreaks.append(TieBreakCode(tb));
    QJsonObject settings{
        {"cycles", s.cycles},
        {"kind", s.kind == ResultKind::Games ? "games" : "scores"},
        {"points", QJsonObject{{"win", PointsValue(s.points.win)},
                               {"draw", PointsValue(s.points.draw)},
                               {"loss", PointsValue(s.points.loss)},
                               {"forfeit_loss", PointsValue(s.points.forfeitLoss)}}},
        {"tiebreaks", tieBreaks},
        {"nearest_all", s.nearestAll}};
    QJsonArray players;
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const int entry = t.Draw().entryOrder.isEmpty() ? i : t.Draw().entryOrder[i];
        players.append(PlayerObject(t.Players()[i], entry, t.Withdrawn(i)));
    }
    QJsonArray results;
    for (const Game& g : t.Games())
        results.append(g.result.Code());
    const QJsonObject root{
        {"name", t.Name()},
        {"info", QJsonObject{{"venue", t.Info().venue},
                             {"dates", t.Info().dates},
                             {"arbiter", t.Info().arbiter},
                             {"notes", t.Info().notes}}},
        {"settings", settings},
        {"draw", QJsonObject{{"method", int(t.Draw().method)}, {"seed", double(t.Draw().seed)}}},
        {"players", players},
        {"rounds", t.RoundCount()},
        {"games", t.GameCount()},
        {"results", results}};
    return WriteEnvelope(kFormatId, kFileVersion, root);
}

QString SaveTournament(const Tournament& t, const QString& path) {
    return WriteFileAtomically(path, SerializeTournament(t),
                               QStringLiteral("Не удалось сохранить турнир в файл «%1»"));
}

std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error) {
    QString ignored;
    if (!error)
        error = &ignored;
    JsonReader r{error};
    const std::optional<QJsonObject> envelope = ReadEnvelope(
        content, kFormatId, kFileVersion, QStringLiteral("турнир круговой системы"), r);
    if (!envelope)
        return nullptr;
    const QJsonObject& root = *envelope;

    const QString name = r.String(root, "name", QStringLiteral("Турнир"), true);
    const QJsonObject infoObject = root.value("info").toObject();
    TournamentInfo info;
    const QString infoWhere = QStringLiteral("Сведения о турнире");
    info.venue = r.String(infoObject, "venue", infoWhere, false);
    info.dates = r.String(infoObject, "dates", infoWhere, false);
    info.arbiter = r.String(infoObject, "arbiter", infoWhere, false);
    info.notes = r.String(infoObject, "notes", infoWhere, false);

    Settings settings;
    if (!root.value("settings").isObject()) {
        r.Fail(QStringLiteral("В файле нет параметров турнира."));
        return nullptr;
    }
    if (!ReadSettings(r, root.value("settings").toObject(), &settings))
        return nullptr;

    const QJsonObject drawObject = root.value("draw").toObject();
    DrawRecord draw;
    draw.method = DrawMethod(r.Integer(drawObject, "method", QStringLiteral("Жеребьёвка"), 0,
                                       kDrawMethodCount - 1, false));
    draw.seed = quint32(
        r.Integer(drawObject, "seed", QStringLiteral("Жеребьёвка"), 0, 0xFFFFFFFFLL, false));

    const QJsonValue playersValue = root.value("players");
    if (!playersValue.isArray()) {
        r.Fail(QStringLiteral("В файле нет списка участников."));
        return nullptr;
    }
    const QJsonArray playersArray = playersValue.toArray();
    if (playersArray.size() > kMaxPlayers) {
        r.Fail(QStringLiteral("В файле %1 участников, а круговая система допускает не более %2.")
                   .arg(playersArray.size())
                   .arg(kMaxPlayers));
        return nullptr;
    }
    QList<Player> players;
    QList<bool> withdrawn;
    QList<int> entries;
    QList<bool> entrySeen(playersArray.size(), false);
    for (qsizetype i = 0; i < playersArray.size(); ++i) {
        const QString where = QStringLiteral("Участник %1").arg(i + 1);
        if (!playersArray[i].isObject()) {
            r.Fail(where + QStringLiteral(": запись не является объектом."));
            return nullptr;
        }
        const QJsonObject o = playersArray[i].toObject();
        Player p;
        p.name = r.String(o, "name", where, true);
        if (!r.failed && p.name.trimmed().isEmpty())
            r.Fail(where + QStringLiteral(": не указано имя."));
        p.rating = int(r.Integer(o, "rating", where, 0, kMaxRating, false));
        p.title = r.String(o, "title", where, false);
        p.club = r.String(o, "club", where, false);
        p.city = r.String(o, "city", where, false);
        const int entry =
            int(r.Integer(o, "entry", where, 1, playersArray.size(), false, i + 1)) - 1;
        if (r.failed)
            return nullptr;
        if (entrySeen[entry]) {
            r.Fail(
                where +
                QStringLiteral(": номер в списке %1 уже занят другим участником.").arg(entry + 1));
            return nullptr;
        }
        entrySeen[entry] = true;
        const bool out = r.Flag(o, "withdrawn", where);
        if (r.failed)
            return nullptr;
        players.append(p);
        withdrawn.append(out);
        entries.append(entry);
    }
    draw.entryOrder = entries;

    auto tournament = std::make_unique<Tournament>(name, players, settings, draw);
    const qint64 rounds = r.Integer(root, "rounds", QStringLiteral("Файл"), 0, 1 << 30, true);
    const qint64 games = r.Integer(root, "games", QStringLiteral("Файл"), 0, 1 << 30, true);
    if (r.failed)
        return nullptr;
    if (rounds != tournament->RoundCount() || games != tournament->GameCount()) {
        r.Fail(QStringLiteral("Файл противоречив: для %1 участников в %2 круг(ах) должно быть %3 "
                              "туров и %4 партий, а в файле %5 и %6.")
                   .arg(players.size())
                   .arg(settings.cycles)
                   .arg(tournament->RoundCount())
                   .arg(tournament->GameCount())
                   .arg(rounds)
                   .arg(games));
        return nullptr;
    }
    const QJsonValue resultsValue = root.value("results");
    const QJsonArray results = resultsValue.toArray();
    if (!resultsValue.isArray() || results.size() != tournament->GameCount()) {
        r.Fail(QStringLiteral("Файл противоречив: ожидалось %1 результатов партий, в файле %2.")
                   .arg(tournament->GameCount())
                   .arg(resultsValue.isArray() ? results.size() : 0));
        return nullptr;
    }
    for (int i = 0; i < tournament->GameCount(); ++i) {
        Result result;
        const Game& g = tournament->Games()[size_t(i)];
        if (!results[i].isString() || !Result::Parse(results[i].toString(), &result) ||
            !ResultAllowed(settings.kind, result)) {
            r.Fail(QStringLiteral("Партия %1 (%2 тур, доска %3): «%4» — недопустимый результат.")
                       .arg(i + 1)
                       .arg(g.round)
                       .arg(g.board)
                       .arg(results[i].toVariant().toString().left(20)));
            return nullptr;
        }
        tournament->SetResult(i, result);
    }
    for (int i = 0; i < players.size(); ++i)
        tournament->SetWithdrawn(i, withdrawn[i]);
    tournament->SetInfo(info);
    tournament->Saved();
    return tournament;
}

std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error) {
    QByteArray content;
    QString detail = ReadTournamentFile(path, kMaxTournamentFileSize, &content);
    std::unique_ptr<Tournament> t;
    if (detail.isEmpty())
        t = ParseTournament(content, &detail);
    if (!t && error)
        *error = QStringLiteral("Не удалось открыть турнир из файла «%1».\n%2")
                     .arg(QFileInfo(path).fileName(), detail);
    return t;
}

} // namespace rr
