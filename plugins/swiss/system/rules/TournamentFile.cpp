#include "TournamentFile.h"

#include "Envelope.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <set>

namespace sw {

namespace {

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
    s->points = ReadPoints(r, o);
    s->bakuAcceleration = r.Flag(o, "baku_acceleration", where);
    if (!ReadTieBreaks(r, o, &s->tieBreaks, TieBreakFromCode))
        return false;
    return SettingsAccepted(r, *s, CheckSettings);
}

} // namespace

QByteArray SerializeTournament(const Tournament& t) {
    const Settings& s = t.GetSettings();
    const QJsonObject settings{
        {"rounds", s.rounds},
        {"first_colour", s.firstColour == FirstColour::Black ? "black" : "white"},
        {"points", PointsObject(s.points)},
        {"baku_acceleration", s.bakuAcceleration},
        {"tiebreaks", TieBreakCodes(s.tieBreaks, TieBreakCode)}};
    QJsonArray players;
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const Entrant& e = t.Entrants()[i];
        QJsonObject o =
            PlayerObject(e.player, t.Draw().entryOrder.isEmpty() ? i : t.Draw().entryOrder[i]);
        // Written even when empty, as files of this system always had them.
        o.insert("fide_id", e.player.fideId);
        o.insert("birth_year", e.player.birthYear);
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
    QJsonObject root = RootObject(t.Name(), t.Info(), settings, t.Draw(), players);
    root.insert("rounds", rounds);
    root.insert("byes", byes);
    // Only when there are some: files without them load in earlier versions as before.
    // A pair for every round is two start numbers, as it always was; one for some rounds an
    // object that says which.
    int version = 1;
    if (!t.Forbidden().isEmpty()) {
        QJsonArray forbidden;
        for (const ForbiddenPair& f : t.Forbidden()) {
            const QJsonArray players{f.a + 1, f.b + 1};
            if (f.AllRounds()) {
                forbidden.append(players);
                continue;
            }
            QJsonObject o{{"players", players}, {"first_round", f.firstRound}};
            if (f.lastRound > 0)
                o.insert("last_round", f.lastRound);
            forbidden.append(o);
            version = 2;
        }
        root.insert("forbidden", forbidden);
    }
    return WriteEnvelope(kFormatId, version, root);
}

std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error) {
    JsonReader r{error};
    Settings settings;
    std::optional<FileHead> head = ReadFileStart(
        content, kFormatId, kFileVersion, QStringLiteral("турнир по швейцарской системе"), r,
        &settings, ReadSettings, kMaxPlayers,
        QStringLiteral("В файле %1 участников, а допускается не более %2."));
    if (!head)
        return nullptr;
    const QJsonObject& root = head->root;
    const int n = int(head->players.size());
    QList<Entrant> entrants;
    QList<int> entries;
    std::vector<char> entrySeen(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        const QString where = QStringLiteral("Участник %1").arg(i + 1);
        Entrant e;
        e.player = ReadPlayer(r, head->players[i], where);
        if (r.failed)
            return nullptr;
        const QJsonObject o = head->players[i].toObject();
        e.withdrawnFrom = int(r.Integer(o, "withdrawn_from", where, 0, kMaxRounds + 1, false));
        const int entry = ReadEntry(r, o, where, i, n, entrySeen);
        if (entry < 0)
            return nullptr;
        entrants.append(e);
        entries.append(entry);
    }
    head->draw.entryOrder = entries;

    auto t = std::make_unique<Tournament>(head->name, entrants, settings, head->draw);

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

    const QJsonValue forbiddenValue = root.value("forbidden");
    if (!forbiddenValue.isUndefined() && !forbiddenValue.isArray()) {
        r.Fail(QStringLiteral("Запрещённые пары: запись не является списком."));
        return nullptr;
    }
    QList<ForbiddenPair> forbidden;
    const QJsonArray pairs = forbiddenValue.toArray();
    const int version = root.value("version").toInt();
    for (int k = 0; k < int(pairs.size()); ++k) {
        const QString where = QStringLiteral("Запрещённая пара %1").arg(k + 1);
        // Two start numbers for every round, or {"players": [...], "first_round", "last_round"}.
        const bool ranged = pairs[k].isObject();
        const QJsonObject o = pairs[k].toObject();
        const QJsonArray pair = ranged ? o.value("players").toArray() : pairs[k].toArray();
        const auto index = [&](int i) {
            const QJsonValue v = pair.size() == 2 ? pair.at(i) : QJsonValue();
            const double d = v.toDouble(-1);
            return v.isDouble() && d >= 1 && d <= n && d == std::floor(d) ? int(d) - 1 : -1;
        };
        ForbiddenPair f{index(0), index(1)};
        if (f.a < 0 || f.b < 0 || f.a == f.b) {
            r.Fail(where + QStringLiteral(": нужны два разных номера участников от 1 до %1.").arg(n));
            return nullptr;
        }
        if (ranged) {
            if (version < 2) {
                r.Fail(where + QStringLiteral(": туры запрещённых пар появились в версии формата 2, "
                                              "а файл версии %1.")
                                   .arg(version));
                return nullptr;
            }
            f.firstRound = int(r.Integer(o, "first_round", where, 1, settings.rounds, true));
            f.lastRound =
                int(r.Integer(o, "last_round", where, f.firstRound, settings.rounds, false));
            if (r.failed)
                return nullptr;
        }
        forbidden.append(f);
    }
    t->SetForbidden(forbidden);
    t->SetInfo(head->info);
    t->Saved();
    return t;
}

std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error) {
    return LoadTournamentFile(path, kMaxTournamentFileSize, error, ParseTournament);
}

} // namespace sw
