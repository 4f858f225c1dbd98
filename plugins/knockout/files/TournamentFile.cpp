#include "TournamentFile.h"

#include "Envelope.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace ko {

using kit::JsonReader;

namespace {

const char* DeciderCode(Decider d) {
    switch (d) {
    case Decider::ExtraTime:
        return "extra_time";
    case Decider::Penalties:
        return "penalties";
    case Decider::Armageddon:
        return "armageddon";
    case Decider::None:
        break;
    }
    return "";
}

bool DeciderFromCode(const QString& code, Decider* d) {
    for (Decider x : {Decider::ExtraTime, Decider::Penalties, Decider::Armageddon})
        if (code == QLatin1String(DeciderCode(x))) {
            *d = x;
            return true;
        }
    return false;
}

QJsonObject MatchObject(const Tournament& t, int m) {
    QJsonObject o{{"match", m + 1}};
    if (!t.Court(m).isEmpty())
        o.insert("court", t.Court(m));
    const auto& stored = t.Stored(m);
    if (!stored)
        return o;
    o.insert("sides", QJsonArray{stored->entrants[0] + 1, stored->entrants[1] + 1});
    const MatchResult& r = stored->result;
    if (r.kind == MatchResult::Kind::Walkover) {
        o.insert("walkover", r.walkoverWinner < 0 ? 0 : r.walkoverWinner + 1);
        return o;
    }
    QJsonArray games;
    for (const GameScore& g : r.games) {
        QJsonArray game{g.a, g.b};
        if (g.decider != Decider::None)
            game << DeciderCode(g.decider) << g.deciderA << g.deciderB;
        games.append(game);
    }
    o.insert("games", games);
    return o;
}

// One game: [a, b] or [a, b, decider, a, b]; scores 0..kMaxScore.
bool ReadGame(JsonReader& r, const QJsonValue& v, const QString& where, GameScore* g) {
    const QJsonArray a = v.toArray();
    auto score = [&](int i, int* out) {
        const QJsonValue x = a.at(i);
        // Range first: converting a huge number to int is undefined.
        const double d = x.toDouble(-1);
        if (!x.isDouble() || !(d >= 0 && d <= kMaxScore) || d != std::floor(d))
            return false;
        *out = int(d);
        return true;
    };
    if (!v.isArray() || (a.size() != 2 && a.size() != 5) || !score(0, &g->a) || !score(1, &g->b))
        return r.Fail(QStringLiteral("%1: неверная запись игры.").arg(where));
    if (a.size() == 5 && (!DeciderFromCode(a.at(2).toString(), &g->decider) ||
                          !score(3, &g->deciderA) || !score(4, &g->deciderB)))
        return r.Fail(QStringLiteral("%1: неверная запись решающего показателя.").arg(where));
    return true;
}

} // namespace

QByteArray SerializeTournament(const Tournament& t) {
    const Options& o = t.GetOptions();
    QJsonArray entrants;
    for (int i = 0; i < t.EntrantCount(); ++i) {
        const Entrant& e = t.Entrants()[i];
        QJsonObject eo{{"name", e.name}, {"rating", e.rating}, {"title", e.title},
                       {"club", e.club}, {"city", e.city}};
        if (t.Withdrawn(i))
            eo.insert("withdrawn", true);
        entrants.append(eo);
    }
    QJsonArray lines;
    for (int e : t.Lines())
        lines.append(e + 1); // 0 for a bye
    QJsonArray matches;
    for (int m = 0; m < t.MatchCount(); ++m)
        if (t.Stored(m) || !t.Court(m).isEmpty())
            matches.append(MatchObject(t, m));
    const QJsonObject root{
        {"name", t.Name()},
        {"info", kit::InfoObject(t.Info())},
        {"options",
         QJsonObject{{"bracket", o.bracket.format == Format::Single ? "single" : "double"},
                     {"third_place", o.bracket.thirdPlace},
                     {"reset", o.bracket.reset},
                     {"best_of", o.format.bestOf},
                     {"scoring", o.format.scoring == Scoring::Scores ? "scores" : "win_loss"},
                     {"separate_clubs", o.separateClubs}}},
        {"seeding",
         QJsonObject{{"method", int(t.Seeding().method)}, {"seed", double(t.Seeding().seed)}}},
        {"entrants", entrants},
        {"lines", lines},
        {"matches", matches}};
    return kit::WriteEnvelope(kFormatId, kFileVersion, root);
}

std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error) {
    JsonReader r{error};
    const std::optional<kit::FileHead> head = kit::ReadHead(
        content, kFormatId, kFileVersion, QStringLiteral("турнир по олимпийской системе"), r);
    if (!head)
        return nullptr;
    const QJsonObject& root = head->root;
    const std::optional<QJsonObject> optionsObject = kit::SettingsObject(r, root, "options");
    if (!optionsObject)
        return nullptr;
    const QJsonObject& oo = *optionsObject;
    const QString ow = QStringLiteral("Параметры");
    Options options;
    const QString bracket = r.String(oo, "bracket", ow, true);
    if (bracket == QLatin1String("double"))
        options.bracket.format = Format::Double;
    else if (bracket != QLatin1String("single") && !r.failed)
        r.Fail(QStringLiteral("Параметры: неизвестный вид сетки «%1».").arg(bracket.left(40)));
    options.bracket.thirdPlace = r.Flag(oo, "third_place", ow);
    options.bracket.reset = r.Flag(oo, "reset", ow);
    options.separateClubs = r.Flag(oo, "separate_clubs", ow);
    options.format.bestOf = int(r.Integer(oo, "best_of", ow, 1, 7, true));
    const QString scoring = r.String(oo, "scoring", ow, true);
    if (scoring == QLatin1String("win_loss"))
        options.format.scoring = Scoring::WinLoss;
    else if (scoring != QLatin1String("scores") && !r.failed)
        r.Fail(QStringLiteral("Параметры: неизвестный способ записи результата «%1».").arg(scoring.left(40)));

    const QJsonObject so = root.value("seeding").toObject();
    SeedingRecord seeding;
    seeding.method = ko::Seeding(r.Integer(so, "method", QStringLiteral("Посев"), 0, kSeedingCount - 1, false));
    seeding.seed = std::uint32_t(r.Integer(so, "seed", QStringLiteral("Посев"), 0, 0xFFFFFFFFLL, false));
    if (r.failed)
        return nullptr;

    const QJsonArray ea = root.value("entrants").toArray();
    if (!root.value("entrants").isArray() || ea.size() < kMinEntrants || ea.size() > kMaxEntrants) {
        r.Fail(QStringLiteral("В сетке должно быть от %1 до %2 участников.").arg(kMinEntrants).arg(kMaxEntrants));
        return nullptr;
    }
    QList<Entrant> entrants;
    QList<bool> withdrawn;
    for (qsizetype i = 0; i < ea.size(); ++i) {
        const QJsonObject eo = ea.at(i).toObject();
        const QString where = QStringLiteral("Участник %1").arg(i + 1);
        if (!ea.at(i).isObject()) {
            r.Fail(QStringLiteral("%1: неверная запись.").arg(where));
            return nullptr;
        }
        Entrant e;
        e.name = r.String(eo, "name", where, true);
        e.rating = int(r.Integer(eo, "rating", where, 0, 9999, false));
        e.title = r.String(eo, "title", where, false);
        e.club = r.String(eo, "club", where, false);
        e.city = r.String(eo, "city", where, false);
        withdrawn.append(r.Flag(eo, "withdrawn", where));
        entrants.append(e);
    }
    if (r.failed)
        return nullptr;
    const QString problem = CheckOptions(options, int(entrants.size()));
    if (!problem.isEmpty()) {
        r.Fail(QStringLiteral("Параметры: %1").arg(problem));
        return nullptr;
    }

    // The lines: every entrant exactly once, byes (0) elsewhere, on a bracket of the right size.
    const QJsonArray la = root.value("lines").toArray();
    const int size = BracketSize(int(entrants.size()));
    if (la.size() != size) {
        r.Fail(QStringLiteral("Строк сетки должно быть %1, а в файле %2.").arg(size).arg(la.size()));
        return nullptr;
    }
    std::vector<int> lines;
    QSet<int> seen;
    for (qsizetype l = 0; l < la.size(); ++l) {
        const QJsonValue v = la.at(l);
        const int e = v.isDouble() && v.toDouble() == double(v.toInt()) ? v.toInt() : -2;
        if (e < 0 || e > entrants.size() || (e > 0 && seen.contains(e))) {
            r.Fail(QStringLiteral("Строка сетки %1: неверный номер участника.").arg(l + 1));
            return nullptr;
        }
        seen.insert(e);
        lines.push_back(e - 1);
    }
    if (seen.size() - (seen.contains(0) ? 1 : 0) != entrants.size()) {
        r.Fail(QStringLiteral("Не все участники стоят в сетке."));
        return nullptr;
    }
    // Byes only where a bracket can have them: never two on one first-round match.
    for (size_t l = 0; l < lines.size(); l += 2)
        if (lines[l] < 0 && lines[l + 1] < 0) {
            r.Fail(QStringLiteral("Строки сетки %1 и %2: два пустых места в одном матче.").arg(l + 1).arg(l + 2));
            return nullptr;
        }

    auto t = std::make_unique<Tournament>(head->name, entrants, options, seeding, lines);
    std::vector<std::optional<StoredResult>> stored(size_t(t->MatchCount()));
    QList<QString> courts(t->MatchCount());
    const QJsonArray ma = root.value("matches").toArray();
    if (!root.value("matches").isArray()) {
        r.Fail(QStringLiteral("В файле нет списка матчей."));
        return nullptr;
    }
    QSet<int> done;
    for (qsizetype i = 0; i < ma.size(); ++i) {
        const QJsonObject mo = ma.at(i).toObject();
        const QString where = QStringLiteral("Матч %1 в списке").arg(i + 1);
        const int m = int(r.Integer(mo, "match", where, 1, t->MatchCount(), true)) - 1;
        if (r.failed)
            return nullptr;
        if (done.contains(m)) {
            r.Fail(QStringLiteral("Матч «%1» записан дважды.").arg(t->Shape().Title(m)));
            return nullptr;
        }
        done.insert(m);
        const QString mw = QStringLiteral("Матч «%1»").arg(t->Shape().Title(m));
        courts[m] = r.String(mo, "court", mw, false).trimmed().left(20);
        if (!mo.contains("sides"))
            continue;
        const QJsonArray sides = mo.value("sides").toArray();
        StoredResult s;
        for (int k = 0; k < 2; ++k) {
            const QJsonValue v = sides.at(k);
            s.entrants[k] = v.isDouble() && v.toDouble() == double(v.toInt()) ? v.toInt() - 1 : -1;
            if (sides.size() != 2 || s.entrants[k] < 0 || s.entrants[k] >= entrants.size()) {
                r.Fail(QStringLiteral("%1: неверные участники.").arg(mw));
                return nullptr;
            }
        }
        if (mo.contains("walkover") == mo.contains("games")) {
            r.Fail(QStringLiteral("%1: нужен либо счёт, либо неявка.").arg(mw));
            return nullptr;
        }
        if (mo.contains("walkover")) {
            const int w = int(r.Integer(mo, "walkover", mw, 0, 2, true));
            s.result = MatchResult::Walkover(w == 0 ? -1 : w - 1);
        } else {
            s.result.kind = MatchResult::Kind::Games;
            const QJsonArray games = mo.value("games").toArray();
            if (!mo.value("games").isArray() || games.isEmpty() || games.size() > 7) {
                r.Fail(QStringLiteral("%1: неверный список игр.").arg(mw));
                return nullptr;
            }
            for (const QJsonValue& g : games) {
                GameScore score;
                if (!ReadGame(r, g, mw, &score))
                    return nullptr;
                s.result.games.push_back(score);
            }
        }
        if (r.failed)
            return nullptr;
        stored[size_t(m)] = s;
    }
    const QString bad = t->Restore(stored, withdrawn, courts, head->info);
    if (!bad.isEmpty()) {
        r.Fail(bad);
        return nullptr;
    }
    t->Saved();
    return t;
}

std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error) {
    QByteArray content;
    const QString problem = kit::ReadTournamentFile(path, kMaxTournamentFileSize, &content);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return nullptr;
    }
    return ParseTournament(content, error);
}

} // namespace ko
