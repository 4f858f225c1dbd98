#include "TournamentFile.h"

#include "AtomicFile.h"
#include "Envelope.h"

#include <QJsonArray>
#include <QJsonObject>

namespace rr {

namespace {

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
    s->points = ReadPoints(r, o);
    if (!ReadTieBreaks(r, o, &s->tieBreaks, TieBreakFromCode))
        return false;
    s->nearestAll = o.value("nearest_all").toBool(false);
    return SettingsAccepted(r, *s, CheckSettings);
}

QJsonArray DeductionsArray(const Tournament& t) {
    QJsonArray deductions;
    for (const Deduction& d : t.Deductions())
        deductions.append(QJsonObject{
            {"player", d.player + 1}, {"points", PointsValue(d.halves)}, {"reason", d.reason}});
    return deductions;
}

// Deductions are checked whole before any is taken, like everything else in the file.
bool ReadDeductions(JsonReader& r, const QJsonObject& root, int players, QList<Deduction>* out) {
    const QJsonValue value = root.value("deductions");
    if (value.isUndefined())
        return true;
    if (!value.isArray())
        return r.Fail(QStringLiteral("Снятие очков: ожидался список."));
    const QJsonArray list = value.toArray();
    for (qsizetype k = 0; k < list.size(); ++k) {
        const QString where = QStringLiteral("Снятие очков %1").arg(k + 1);
        if (!list[k].isObject())
            return r.Fail(QStringLiteral("%1: ожидался объект.").arg(where));
        const QJsonObject o = list[k].toObject();
        Deduction d;
        d.player = int(r.Integer(o, "player", where, 1, players, true)) - 1;
        d.reason = r.String(o, "reason", where, true).trimmed();
        if (r.failed)
            return false;
        const double points = o.value("points").toDouble(-1);
        const double halves = points * 2;
        if (!o.value("points").isDouble() || halves < 1 || halves > kMaxDeduction ||
            halves != double(qint64(halves)))
            return r.Fail(QStringLiteral("%1: число снятых очков должно быть от ½ до %2, "
                                         "кратно ½.")
                              .arg(where)
                              .arg(kMaxDeduction / 2));
        if (d.reason.isEmpty())
            return r.Fail(QStringLiteral("%1: не указана причина.").arg(where));
        d.halves = int(halves);
        out->append(d);
    }
    return true;
}

} // namespace

QByteArray SerializeTournament(const Tournament& t) {
    const Settings& s = t.GetSettings();
    QJsonObject settings{{"cycles", s.cycles},
                         {"kind", s.kind == ResultKind::Games ? "games" : "scores"},
                         {"points", PointsObject(s.points)},
                         {"tiebreaks", TieBreakCodes(s.tieBreaks, TieBreakCode)},
                         {"nearest_all", s.nearestAll}};
    QJsonArray players;
    bool cancelled = false;
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const int entry = t.Draw().entryOrder.isEmpty() ? i : t.Draw().entryOrder[i];
        QJsonObject o = PlayerObject(t.Players()[i], entry);
        if (t.Withdrawn(i))
            o.insert("withdrawn", true);
        if (t.WithdrawalOf(i) == Withdrawal::Cancelled) {
            o.insert("withdrawal", "cancel");
            cancelled = true;
        }
        players.append(o);
    }
    QJsonArray results;
    for (const Game& g : t.Games())
        results.append(g.result.Code());
    QJsonObject root = RootObject(t.Name(), t.Info(), settings, t.Draw(), players);
    root.insert("rounds", t.RoundCount());
    root.insert("games", t.GameCount());
    root.insert("results", results);
    const bool differ = JoinsDiffer(t.PlayerCount(), s.cycles);
    const bool mended = differ && t.GetJoins() == Joins::Mended;
    if (!cancelled && t.Deductions().isEmpty())
        return WriteEnvelope(kFormatId, mended ? 2 : 1, root);
    if (!t.Deductions().isEmpty())
        root.insert("deductions", DeductionsArray(t));
    if (differ && !mended)
        root.insert("joins", "legacy");
    return WriteEnvelope(kFormatId, 3, root);
}

QString SaveTournament(const Tournament& t, const QString& path) {
    return WriteFileAtomically(path, SerializeTournament(t),
                               QStringLiteral("Не удалось сохранить турнир в файл «%1»"));
}

std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error) {
    JsonReader r{error};
    Settings settings;
    std::optional<FileHead> head = ReadFileStart(
        content, kFormatId, kFileVersion, QStringLiteral("турнир круговой системы"), r, &settings,
        ReadSettings, kMaxPlayers,
        QStringLiteral("В файле %1 участников, а круговая система допускает не более %2."));
    if (!head)
        return nullptr;
    const QJsonObject& root = head->root;
    const int n = int(head->players.size());
    QList<Player> players;
    QList<Withdrawal> withdrawn;
    QList<int> entries;
    std::vector<char> entrySeen(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        const QString where = QStringLiteral("Участник %1").arg(i + 1);
        const Player p = ReadPlayer(r, head->players[i], where);
        const QJsonObject o = head->players[i].toObject();
        const int entry = ReadEntry(r, o, where, i, n, entrySeen);
        if (entry < 0)
            return nullptr;
        const bool out = r.Flag(o, "withdrawn", where);
        Withdrawal withdrawal = out ? Withdrawal::Forfeits : Withdrawal::None;
        if (o.contains("withdrawal")) {
            if (r.String(o, "withdrawal", where, true) != QLatin1String("cancel") || !out)
                r.Fail(where + QStringLiteral(": «withdrawal» бывает только «cancel» и только у "
                                              "выбывшего участника."));
            withdrawal = Withdrawal::Cancelled;
        }
        if (r.failed)
            return nullptr;
        players.append(p);
        withdrawn.append(withdrawal);
        entries.append(entry);
    }
    head->draw.entryOrder = entries;

    // Results are stored by game: a file keeps the schedule it was entered on.
    const int version = root.value("version").toInt();
    Joins joins = version >= 2 ? Joins::Mended : Joins::Legacy;
    if (version >= 3 && root.contains("joins")) {
        const QString named = r.String(root, "joins", QStringLiteral("Файл"), true);
        if (named != QLatin1String("legacy") && !r.failed)
            r.Fail(QStringLiteral("Файл: неизвестный порядок стыков кругов «%1».")
                       .arg(named.left(40)));
        joins = Joins::Legacy;
    }
    QList<Deduction> deductions;
    if (r.failed || !ReadDeductions(r, root, n, &deductions))
        return nullptr;
    auto tournament =
        std::make_unique<Tournament>(head->name, players, settings, head->draw, joins);
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
    tournament->SetInfo(head->info);
    for (int i = 0; i < players.size(); ++i) {
        if (!tournament->SetWithdrawal(i, withdrawn[i]) && withdrawn[i] != Withdrawal::None) {
            r.Fail(QStringLiteral("Участник %1: результаты аннулированы, но он сыграл %2 из %3 "
                                  "партий, а аннулировать можно, лишь пока сыграно меньше "
                                  "половины.")
                       .arg(i + 1)
                       .arg(tournament->PlayedBy(i))
                       .arg(tournament->GamesOf(i)));
            return nullptr;
        }
    }
    for (const Deduction& d : deductions)
        tournament->AddDeduction(d);
    tournament->Saved();
    return tournament;
}

std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error) {
    return LoadTournamentFile(path, kMaxTournamentFileSize, error, ParseTournament);
}

} // namespace rr
