#include "TournamentFile.h"

#include "Envelope.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <set>

namespace sw {

namespace {

QJsonValue PointsValue(int halves) {
    if (halves % 2 == 0)
        return halves / 2;
    return halves / 2.0;
}

const char* ByeCode(ByeKind kind) {
    return kind == ByeKind::Half ? "half" : kind == ByeKind::Full ? "full" : "zero";
}

bool ReadSettings(JsonReader& r, const QJsonObject& o, Settings* s) {
    const QString where = QStringLiteral("Параметры");
    s->rounds = int(r.Integer(o, "rounds", where, kMinRounds, kMaxRounds, true));
    const QString colour = r.String(o, "first_colour", where, true);
    if (colour == QLatin1String("white"))
        s->firstColour = FirstColour::White;
    else if (colour == QLatin1String("black"))
        s->firstColour = FirstColour::Black;
    else if (!r.failed)
        return r.Fail(QStringLiteral("Параметры: неизвестный цвет первой доски «%1».")
                          .arg(colour.left(40)));
    const QJsonObject points = o.value("points").toObject();
    s->points = {r.Halves(points, "win"), r.Halves(points, "draw"), r.Halves(points, "loss"),
                 r.Halves(points, "forfeit_loss")};
    s->bakuAcceleration = r.Flag(o, "baku_acceleration", where);
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
    const QJsonObject settings{
        {"rounds", s.rounds},
        {"first_colour", s.firstColour == FirstColour::Black ? "black" : "white"},
        {"points", QJsonObject{{"win", PointsValue(s.points.win)},
                               {"draw", PointsValue(s.points.draw)},
                               {"loss", PointsValue(s.points.loss)},
                               {"forfeit_loss", PointsValue(s.points.forfeitLoss)}}},
        {"baku_acceleration", s.bakuAcceleration},
        {"tiebreaks", tieBreaks}};
    QJsonArray players;
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const Entrant& e = t.Entrants()[i];
        QJsonObject o{{"name", e.player.name},   {"rating", e.player.rating},
                      {"title", e.player.title}, {"club", e.player.club},
                      {"city", e.player.city},   {"fide_id", e.fideId},
                      {"birth_year", e.birthYear}};
        o.insert("entry", t.Draw().entryOrder.isEmpty() ? i + 1 : t.Draw().entryOrder[i] + 1);
        if (e.withdrawnFrom > 0)
            o.insert("withdrawn_from", e.withdrawnFrom);
        players.append(o);
    }
    QJsonArray rounds;
    for (int r = 1; r <= t.PairedRounds(); ++r) {
        QJsonArray boards;
        for (const Board& b : t.Boards()) {
            if (b.round != r)
                continue;
            if (b.IsBye())
                boards.append(QJsonObject{{"bye", b.white + 1}});
            else
                boards.append(QJsonObject{
                    {"white", b.white + 1}, {"black", b.black + 1}, {"result", b.result.Code()}});
        }
        rounds.append(boards);
    }
    QJsonArray byes;
    for (const RoundBye& b : t.Byes())
        byes.append(QJsonObject{
            {"round", b.round}, {"player", b.player + 1}, {"kind", ByeCode(b.kind)}});
    const QJsonObject root{
        {"name", t.Name()},
        {"info", QJsonObject{{"venue", t.Info().venue},
                             {"dates", t.Info().dates},
                             {"arbiter", t.Info().arbiter},
                             {"notes", t.Info().notes}}},
        {"settings", settings},
        {"draw", QJsonObject{{"method", int(t.Draw().method)}, {"seed", double(t.Draw().seed)}}},
        {"players", players},
        {"rounds", rounds},
        {"byes", byes}};
    return WriteEnvelope(kFormatId, kFileVersion, root);
}

std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error) {
    QString ignored;
    if (!error)
        error = &ignored;
    JsonReader r{error};
    const std::optional<QJsonObject> envelope = ReadEnvelope(
        content, kFormatId, kFileVersion, QStringLiteral("турнир по швейцарской системе"), r);
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
    if (r.failed)
        return nullptr;

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
        r.Fail(QStringLiteral("В файле %1 участников, а допускается не более %2.")
                   .arg(playersArray.size())
                   .arg(kMaxPlayers));
        return nullptr;
    }
    const int n = int(playersArray.size());
    QList<Entrant> entrants;
    QList<int> entries;
    std::vector<char> entrySeen(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        const QString where = QStringLiteral("Участник %1").arg(i + 1);
        if (!playersArray[i].isObject()) {
            r.Fail(where + QStringLiteral(": запись не является объектом."));
            return nullptr;
        }
        const QJsonObject o = playersArray[i].toObject();
        Entrant e;
        e.player.name = r.String(o, "name", where, true);
        if (!r.failed && e.player.name.trimmed().isEmpty())
            r.Fail(where + QStringLiteral(": не указано имя."));
        e.player.rating = int(r.Integer(o, "rating", where, 0, kMaxRating, false));
        e.player.title = r.String(o, "title", where, false);
        e.player.club = r.String(o, "club", where, false);
        e.player.city = r.String(o, "city", where, false);
        e.fideId = r.String(o, "fide_id", where, false);
        e.birthYear = int(r.Integer(o, "birth_year", where, 0, 9999, false));
        e.withdrawnFrom = int(r.Integer(o, "withdrawn_from", where, 0, kMaxRounds + 1, false));
        const int entry = int(r.Integer(o, "entry", where, 1, n, false, i + 1)) - 1;
        if (r.failed)
            return nullptr;
        if (entrySeen[size_t(entry)]) {
            r.Fail(where +
                   QStringLiteral(": номер в списке %1 уже занят другим участником.").arg(entry + 1));
            return nullptr;
        }
        entrySeen[size_t(entry)] = 1;
        entrants.append(e);
        entries.append(entry);
    }
    draw.entryOrder = entries;

    auto t = std::make_unique<Tournament>(name, entrants, settings, draw);

    const QJsonValue roundsValue = root.value("rounds");
    if (!roundsValue.isArray()) {
        r.Fail(QStringLiteral("В файле нет списка туров."));
        return nullptr;
    }
    const QJsonArray rounds = roundsValue.toArray();
    if (rounds.size() > settings.rounds) {
        r.Fail(QStringLiteral("В файле %1 туров, а турнир рассчитан на %2.")
                   .arg(rounds.size())
                   .arg(settings.rounds));
        return nullptr;
    }
    for (int ri = 0; ri < int(rounds.size()); ++ri) {
        const int round = ri + 1;
        if (!rounds[ri].isArray()) {
            r.Fail(QStringLiteral("%1 тур: запись не является списком.").arg(round));
            return nullptr;
        }
        std::vector<Board> boards;
        std::set<int> seen;
        int number = 0;
        bool hasBye = false;
        const QJsonArray list = rounds[ri].toArray();
        for (int k = 0; k < int(list.size()); ++k) {
            const QString where = QStringLiteral("%1 тур, запись %2").arg(round).arg(k + 1);
            const QJsonObject o = list[k].toObject();
            Board b;
            b.round = round;
            if (o.contains("bye")) {
                b.white = int(r.Integer(o, "bye", where, 1, n, true)) - 1;
                if (!r.failed && hasBye)
                    r.Fail(where + QStringLiteral(": второй свободный от игры участник."));
                hasBye = true;
            } else {
                b.white = int(r.Integer(o, "white", where, 1, n, true)) - 1;
                b.black = int(r.Integer(o, "black", where, 1, n, true)) - 1;
                const QString code = r.String(o, "result", where, false);
                if (!r.failed && !Result::Parse(code, &b.result))
                    r.Fail(where + QStringLiteral(": «%1» — недопустимый результат.").arg(code.left(20)));
                if (!r.failed && b.result.outcome == Outcome::Score)
                    r.Fail(where + QStringLiteral(": счёт вместо результата партии."));
                if (!r.failed && !b.result.IsSet() && round < int(rounds.size()))
                    r.Fail(where + QStringLiteral(": нет результата, а следующий тур уже разведён."));
                b.board = ++number;
            }
            if (r.failed)
                return nullptr;
            for (int player : {b.white, b.black}) {
                if (player < 0)
                    continue;
                if (!seen.insert(player).second) {
                    r.Fail(where + QStringLiteral(": участник %1 уже играет в этом туре.")
                                       .arg(player + 1));
                    return nullptr;
                }
            }
            boards.push_back(b);
        }
        t->AppendRound(boards);
    }

    const QJsonArray byes = root.value("byes").toArray();
    QList<RoundBye> byeList;
    for (int k = 0; k < int(byes.size()); ++k) {
        const QString where = QStringLiteral("Пропуск тура %1").arg(k + 1);
        const QJsonObject o = byes[k].toObject();
        RoundBye b;
        b.round = int(r.Integer(o, "round", where, 1, settings.rounds, true));
        b.player = int(r.Integer(o, "player", where, 1, n, true)) - 1;
        const QString kind = r.String(o, "kind", where, true);
        if (r.failed)
            return nullptr;
        if (kind == QLatin1String("half"))
            b.kind = ByeKind::Half;
        else if (kind == QLatin1String("zero"))
            b.kind = ByeKind::Zero;
        else if (kind == QLatin1String("full"))
            b.kind = ByeKind::Full;
        else {
            r.Fail(where + QStringLiteral(": неизвестный вид «%1».").arg(kind.left(20)));
            return nullptr;
        }
        for (const Board& board : t->Boards())
            if (board.round == b.round && (board.white == b.player || board.black == b.player)) {
                r.Fail(where + QStringLiteral(": участник %1 в этом туре играет.").arg(b.player + 1));
                return nullptr;
            }
        const bool twice = std::any_of(byeList.begin(), byeList.end(), [&](const RoundBye& o) {
            return o.player == b.player && o.round == b.round;
        });
        if (twice) {
            r.Fail(where + QStringLiteral(": пропуск указан дважды."));
            return nullptr;
        }
        byeList.append(b);
    }
    t->SetByes(byeList);
    t->SetInfo(info);
    t->Saved();
    return t;
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

} // namespace sw
