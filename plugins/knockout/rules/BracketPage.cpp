#include "BracketPage.h"

#include "MatchLists.h"
#include "Standings.h"
#include "Text.h"

#include <algorithm>
#include <numeric>

namespace ko {

namespace {

using Status = MatchState::Status;

constexpr int kPrintLines = 32; // lines of one printed part

// Renders the page's pieces; holds what every box needs.
class Writer {
public:
    explicit Writer(const Tournament& t) : m_t(t), m_numbers(DisplayNumbers(t)) {
        // Which matches feed each match through their winners: the tree's edges.
        m_feeders.resize(size_t(t.MatchCount()));
        for (int m = 0; m < t.MatchCount(); ++m) {
            const MatchSpec& spec = t.Shape().Match(m);
            if (spec.section != Section::Upper && spec.section != Section::Lower)
                continue;
            for (const Source& s : spec.side)
                if (s.kind == Source::Kind::Winner)
                    m_feeders[size_t(m)].push_back(s.index);
        }
    }

    QString Box(int m) const;
    QString Tree(int root, int depthLeft) const;
    QString Heads(Section section, int firstRound, int lastRound) const;
    QString Bracket(Section section, const QString& title) const;
    QString Finals() const;
    QString Printed() const;
    QString Rounds() const;

private:
    QString SideHtml(const MatchState& st, const MatchSpec& spec, int side) const;
    QString Placeholder(const Source& source) const;

    const Tournament& m_t;
    std::vector<int> m_numbers;
    std::vector<std::vector<int>> m_feeders;
};

QString StatusClass(const MatchState& st) {
    switch (st.status) {
    case Status::Pending:
        return QStringLiteral("pending");
    case Status::Void:
        return QStringLiteral("void");
    case Status::Bye:
        return QStringLiteral("bye");
    case Status::Ready:
        return QStringLiteral("ready");
    case Status::Partial:
        return QStringLiteral("partial");
    case Status::Decided:
        return QStringLiteral("done");
    }
    return {};
}

// The side's figure in the box: goals of a single game, games won in a series, + or − for
// a walkover.
QString SideScore(const MatchResult& r, const MatchFormat& f, int side) {
    switch (r.kind) {
    case MatchResult::Kind::None:
        return {};
    case MatchResult::Kind::Walkover:
        return r.walkoverWinner == side ? QStringLiteral("+") : QStringLiteral("−");
    case MatchResult::Kind::Games:
        break;
    }
    if (f.bestOf == 1 && r.games.size() == 1)
        return QString::number(side == 0 ? r.games.front().a : r.games.front().b);
    return QString::number(r.Wins(side));
}

// The line under the sides: a decider, or a series' game scores.
QString ResultNote(const MatchResult& r, const MatchFormat& f) {
    if (r.kind != MatchResult::Kind::Games)
        return {};
    if (f.bestOf == 1 && r.games.size() == 1) {
        const GameScore& g = r.games.front();
        if (g.decider == Decider::None || g.a != g.b)
            return {};
        return DeciderShortName(g.decider) + u' ' + QString::number(g.deciderA) + u':' +
               QString::number(g.deciderB);
    }
    if (f.scoring != Scoring::Scores)
        return {};
    QStringList games;
    for (const GameScore& g : r.games)
        games << g.Text();
    return games.join(QStringLiteral(", "));
}

} // namespace

std::vector<int> DisplayNumbers(const Tournament& t) {
    std::vector<int> order(size_t(t.MatchCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return BracketOrderLess(t.Shape(), a, b); });
    std::vector<int> numbers(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        numbers[size_t(order[i])] = int(i) + 1;
    return numbers;
}

QString Writer::Placeholder(const Source& source) const {
    switch (source.kind) {
    case Source::Kind::Line:
        return {};
    case Source::Kind::Winner:
        return QStringLiteral("Победитель М%1").arg(m_numbers[size_t(source.index)]);
    case Source::Kind::Loser:
        return QStringLiteral("Проигравший М%1").arg(m_numbers[size_t(source.index)]);
    }
    return {};
}

QString Writer::SideHtml(const MatchState& st, const MatchSpec& spec, int side) const {
    const Side& s = st.side[side];
    QString cls = QStringLiteral("side");
    if (st.winnerSide == side && (st.status == Status::Decided || st.status == Status::Bye))
        cls += QStringLiteral(" win");
    else if (st.status == Status::Decided && s.IsEntrant())
        cls += QStringLiteral(" lose");
    QString html;
    if (s.IsEntrant()) {
        const Entrant& e = m_t.Entrants()[s.entrant];
        if (m_t.Withdrawn(s.entrant))
            cls += QStringLiteral(" out");
        html = QStringLiteral("<div class=\"") + cls + QStringLiteral("\"><span class=\"seed\">") +
               QString::number(s.entrant + 1) + QStringLiteral("</span><span class=\"name\" title=\"") +
               HtmlEscape(e.club.isEmpty() ? e.name : e.name + QStringLiteral(", ") + e.club) +
               QStringLiteral("\">") + HtmlEscape(e.name) + QStringLiteral("</span><span class=\"score\">") +
               SideScore(st.effective, m_t.Format(), side) + QStringLiteral("</span></div>");
    } else if (s.state == Side::State::Bye) {
        html = QStringLiteral("<div class=\"") + cls +
               QStringLiteral(" empty\"><span class=\"seed\"></span><span class=\"name\">без соперника</span>"
                              "<span class=\"score\"></span></div>");
    } else {
        // Not known yet: in a lower bracket say where the player will come from. The reset's
        // sides are the grand final's own, so they need no words.
        const QString from = spec.section == Section::Upper || spec.section == Section::Reset
                                 ? QString()
                                 : Placeholder(spec.side[side]);
        html = QStringLiteral("<div class=\"") + cls +
               QStringLiteral(" tbd\"><span class=\"seed\"></span><span class=\"name\">") +
               (from.isEmpty() ? QStringLiteral("&nbsp;") : from) +
               QStringLiteral("</span><span class=\"score\"></span></div>");
    }
    return html;
}

QString Writer::Box(int m) const {
    const MatchState& st = m_t.State(m);
    const MatchSpec& spec = m_t.Shape().Match(m);
    QString html = QStringLiteral("<div class=\"match ") + StatusClass(st) +
                   QStringLiteral("\" title=\"") + HtmlEscape(m_t.Shape().Title(m)) +
                   QStringLiteral("\"><div class=\"mhead\"><span class=\"mno\">М") +
                   QString::number(m_numbers[size_t(m)]) + QStringLiteral("</span>");
    // The note (a decider, a series' games, a walkover's reason) shares the heading line, so
    // that every box has the same height and a printed part of 32 lines fits its page.
    QString note = st.byWithdrawal ? QStringLiteral("неявка: снят с турнира")
                                   : ResultNote(st.effective, m_t.Format());
    if (spec.section == Section::Reset && st.status == Status::Pending)
        note = QStringLiteral("если финал выиграет нижняя сетка");
    html += QStringLiteral("<span class=\"mnote\" title=\"") + HtmlEscape(note) +
            QStringLiteral("\">") + HtmlEscape(note) + QStringLiteral("</span>");
    if (!m_t.Court(m).isEmpty())
        html += QStringLiteral("<span class=\"court\">") + HtmlEscape(m_t.Court(m)) +
                QStringLiteral("</span>");
    html += QStringLiteral("</div>") + SideHtml(st, spec, 0) + SideHtml(st, spec, 1);
    html += QStringLiteral("</div>");
    return html;
}

QString Writer::Tree(int root, int depthLeft) const {
    QString html = QStringLiteral("<div class=\"node\">");
    const std::vector<int>& feeders = m_feeders[size_t(root)];
    if (!feeders.empty() && depthLeft > 0) {
        html += QStringLiteral("<div class=\"feeders\">");
        for (int f : feeders)
            html += Tree(f, depthLeft - 1);
        html += QStringLiteral("</div>");
    }
    html += QStringLiteral("<div class=\"slot\">") + Box(root) + QStringLiteral("</div></div>");
    return html;
}

QString Writer::Heads(Section section, int firstRound, int lastRound) const {
    QString html = QStringLiteral("<div class=\"heads\">");
    for (int r = firstRound; r <= lastRound; ++r) {
        QString title = m_t.Shape().RoundTitle(section, r);
        // Under the bracket's own heading: "Раунд 2", and "Финал сетки" so that it is not
        // taken for the grand final.
        if (title.endsWith(QStringLiteral(" сетка, финал")))
            title = QStringLiteral("Финал сетки");
        title.remove(QStringLiteral("Верхняя сетка, ")).remove(QStringLiteral("Нижняя сетка, "));
        if (!title.isEmpty())
            title[0] = title[0].toUpper();
        html += QStringLiteral("<div class=\"head\">") + HtmlEscape(title) + QStringLiteral("</div>");
    }
    return html + QStringLiteral("</div>");
}

QString Writer::Bracket(Section section, const QString& title) const {
    const BracketShape& shape = m_t.Shape();
    const int rounds = section == Section::Upper ? shape.UpperRounds() : shape.LowerRounds();
    if (rounds == 0)
        return {};
    const int root = shape.Find(section, rounds);
    const QString cls = section == Section::Upper ? QStringLiteral("upper") : QStringLiteral("lower");
    QString html = QStringLiteral("<section class=\"bracket ") + cls + QStringLiteral("\">");
    if (!title.isEmpty())
        html += QStringLiteral("<h2>") + title + QStringLiteral("</h2>");
    html += QStringLiteral("<div class=\"scroll\">") + Heads(section, 1, rounds) +
            Tree(root, rounds) + QStringLiteral("</div></section>\n");
    return html;
}

QString Writer::Finals() const {
    QString html;
    for (int m = 0; m < m_t.MatchCount(); ++m) {
        const MatchSpec& spec = m_t.Shape().Match(m);
        if (spec.section == Section::Upper || spec.section == Section::Lower)
            continue;
        if (spec.section == Section::Reset && m_t.State(m).status == Status::Void)
            continue; // not needed: the upper winner took the final
        html += QStringLiteral("<div class=\"final-box\"><h3>") +
                HtmlEscape(m_t.Shape().RoundTitle(spec.section, spec.round)) +
                QStringLiteral("</h3>") + Box(m) + QStringLiteral("</div>");
    }
    if (html.isEmpty())
        return {};
    return QStringLiteral("<section class=\"finals\">") + html + QStringLiteral("</section>\n");
}

QString Writer::Printed() const {
    // Parts of 32 lines, each on a page of its own, then the rounds that join them.
    const BracketShape& shape = m_t.Shape();
    const int k = shape.UpperRounds();
    const int partRounds = RoundCount(kPrintLines);
    const int parts = shape.Size() / kPrintLines;
    QString html;
    for (int p = 0; p < parts; ++p) {
        const int root = shape.Find(Section::Upper, partRounds, p + 1);
        html += QStringLiteral("<section class=\"bracket upper part\"><h2>") +
                QStringLiteral("Часть %1 из %2: строки %3–%4")
                    .arg(p + 1)
                    .arg(parts)
                    .arg(p * kPrintLines + 1)
                    .arg((p + 1) * kPrintLines) +
                QStringLiteral("</h2>") + Heads(Section::Upper, 1, partRounds) +
                Tree(root, partRounds) + QStringLiteral("</section>\n");
    }
    html += QStringLiteral("<section class=\"bracket upper part\"><h2>") +
            QStringLiteral("Заключительные раунды") + QStringLiteral("</h2>") +
            Heads(Section::Upper, partRounds, k) + Tree(shape.Find(Section::Upper, k), k - partRounds) +
            QStringLiteral("</section>\n");
    return html;
}

QString Writer::Rounds() const {
    // One tab per round: a radio button and its label, then the round's matches. The labels
    // line up at the top and only the checked round's panel shows (see the skins' CSS).
    struct Round {
        Section section;
        int round;
        std::vector<int> matches;
    };
    std::vector<Round> rounds;
    std::vector<int> order(size_t(m_t.MatchCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return BracketOrderLess(m_t.Shape(), a, b); });
    // Upper (or the only) bracket first, then the lower, then the finals: as the page reads.
    for (Section section : {Section::Upper, Section::Lower, Section::ThirdPlace,
                            Section::GrandFinal, Section::Reset})
        for (int m : order) {
            const MatchSpec& spec = m_t.Shape().Match(m);
            if (spec.section != section)
                continue;
            if (rounds.empty() || rounds.back().section != section || rounds.back().round != spec.round)
                rounds.push_back({section, spec.round, {}});
            rounds.back().matches.push_back(m);
        }
    // The tab shown first: the earliest round with something to play.
    size_t current = 0;
    int bestWave = 1 << 30;
    for (size_t i = 0; i < rounds.size(); ++i)
        for (int m : rounds[i].matches) {
            const Status s = m_t.State(m).status;
            const int wave = m_t.Shape().Match(m).wave;
            if ((s == Status::Ready || s == Status::Partial) && wave < bestWave) {
                bestWave = wave;
                current = i;
            }
        }
    QString html = QStringLiteral("<div class=\"rounds\">\n");
    const bool twoBrackets = m_t.Shape().Options().format == Format::Double;
    for (size_t i = 0; i < rounds.size(); ++i) {
        const Round& r = rounds[i];
        QString label;
        if (r.section == Section::Upper && !twoBrackets)
            label = m_t.Shape().RoundTitle(r.section, r.round).remove(QStringLiteral(" финала"));
        else if (r.section == Section::Upper)
            label = QStringLiteral("В%1").arg(r.round);
        else if (r.section == Section::Lower)
            label = QStringLiteral("Н%1").arg(r.round);
        else if (r.section == Section::ThirdPlace)
            label = QStringLiteral("3-е место");
        else
            label = m_t.Shape().RoundTitle(r.section, r.round);
        const QString id = QStringLiteral("r%1").arg(i + 1);
        html += QStringLiteral("<div class=\"round\"><input type=\"radio\" name=\"round\" id=\"") + id +
                (i == current ? QStringLiteral("\" checked>") : QStringLiteral("\">")) +
                QStringLiteral("<label for=\"") + id + QStringLiteral("\" title=\"") +
                HtmlEscape(m_t.Shape().RoundTitle(r.section, r.round)) + QStringLiteral("\">") +
                HtmlEscape(label) + QStringLiteral("</label><div class=\"panel\"><h3>") +
                HtmlEscape(m_t.Shape().RoundTitle(r.section, r.round)) + QStringLiteral("</h3>");
        for (int m : r.matches)
            html += Box(m);
        html += QStringLiteral("</div></div>\n");
    }
    return html + QStringLiteral("</div>\n");
}

QString HeadingHtml(const Tournament& t) {
    QString html = kit::PageHeadingStart(t.Name(), t.Info());
    const BracketOptions& o = t.Shape().Options();
    QString kind = o.format == Format::Single ? QStringLiteral("Олимпийская система")
                                              : QStringLiteral("Олимпийская система с выбыванием после двух поражений");
    const int bestOf = t.Format().bestOf;
    if (bestOf > 1)
        kind += QStringLiteral(", матчи до %1 побед").arg(t.Format().GamesToWin());
    html += QStringLiteral("<p class=\"kind\">") + kind + QStringLiteral("</p>\n");
    QString status;
    const int champion = t.Champion();
    if (champion >= 0)
        status = QStringLiteral("Победитель: ") + HtmlEscape(t.Entrants()[champion].name);
    else
        status = QStringLiteral("Участников: %1").arg(t.EntrantCount());
    html += QStringLiteral("<p class=\"status\">") + status + QStringLiteral("</p>\n</header>\n");
    return html;
}

QString BracketViewsHtml(const Tournament& t) {
    const Writer w(t);
    const bool twoBrackets = t.Shape().Options().format == Format::Double;
    QString html;
    if (t.Shape().Size() > kPrintLines) {
        // Before the screen view, so that a print skin can hide that with a sibling selector.
        html += QStringLiteral("<div class=\"paged\">\n") + w.Printed();
        if (twoBrackets)
            html += w.Bracket(Section::Lower, QStringLiteral("Нижняя сетка"));
        html += w.Finals() + QStringLiteral("</div>\n");
    }
    html += QStringLiteral("<div class=\"screen\">\n");
    html += w.Bracket(Section::Upper, twoBrackets ? QStringLiteral("Верхняя сетка") : QString());
    if (twoBrackets)
        html += w.Bracket(Section::Lower, QStringLiteral("Нижняя сетка"));
    html += w.Finals();
    html += QStringLiteral("</div>\n");
    html += w.Rounds();
    return html;
}

QString StandingsHtml(const Tournament& t) {
    const std::vector<Standing> table = ComputeStandings(t);
    bool anyRating = false, anyClub = false;
    for (const Entrant& e : t.Entrants()) {
        anyRating = anyRating || e.rating > 0;
        anyClub = anyClub || !e.club.isEmpty();
    }
    QString html = QStringLiteral("<section class=\"standings\"><h2>Итоговые места</h2>\n"
                                  "<table class=\"standings\">\n<thead><tr><th class=\"place\">Место</th>"
                                  "<th class=\"seed\">Посев</th><th class=\"name\">Участник</th>");
    if (anyRating)
        html += QStringLiteral("<th class=\"rating\">Рейтинг</th>");
    if (anyClub)
        html += QStringLiteral("<th class=\"club\">Клуб</th>");
    html += QStringLiteral("<th class=\"out\">Выбыл</th></tr></thead>\n<tbody>\n");
    for (const Standing& s : table) {
        const Entrant& e = t.Entrants()[s.entrant];
        html += s.first == 1 ? QStringLiteral("<tr class=\"champion\">")
                : s.first > 0 ? QStringLiteral("<tr>")
                              : QStringLiteral("<tr class=\"running\">");
        html += QStringLiteral("<td class=\"place\">") + PlaceText(s) +
                QStringLiteral("</td><td class=\"seed\">") + QString::number(s.entrant + 1) +
                QStringLiteral("</td><td class=\"name\">") + HtmlEscape(e.name);
        if (t.Withdrawn(s.entrant))
            html += QStringLiteral(" <span class=\"note\">(снят)</span>");
        html += QStringLiteral("</td>");
        if (anyRating)
            html += QStringLiteral("<td class=\"rating\">") +
                    (e.rating > 0 ? QString::number(e.rating) : QString()) + QStringLiteral("</td>");
        if (anyClub)
            html += QStringLiteral("<td class=\"club\">") + HtmlEscape(e.club) + QStringLiteral("</td>");
        QString out;
        if (s.match >= 0)
            out = t.Shape().Title(s.match);
        else if (s.first == 0)
            out = QStringLiteral("в борьбе");
        html += QStringLiteral("<td class=\"out\">") + HtmlEscape(out) + QStringLiteral("</td></tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n</section>\n");
}

QString ScheduleHtml(const Tournament& t) {
    const QList<int> due = NearestMatches(t) + CurrentMatches(t);
    const std::vector<int> numbers = DisplayNumbers(t);
    QString html = QStringLiteral("<section class=\"schedule\"><h2>Ближайшие матчи</h2>\n");
    if (due.isEmpty())
        return html + QStringLiteral("<p class=\"empty\">Нет матчей, готовых к игре.</p>\n</section>\n");
    html += QStringLiteral("<table class=\"schedule\">\n<thead><tr><th class=\"mno\">Матч</th>"
                           "<th class=\"round\">Раунд</th><th class=\"court\">Стол / корт</th>"
                           "<th class=\"name\">Участник</th><th class=\"vs\"></th>"
                           "<th class=\"name\">Участник</th></tr></thead>\n<tbody>\n");
    for (int m : due) {
        const MatchState& st = t.State(m);
        html += QStringLiteral("<tr><td class=\"mno\">М") + QString::number(numbers[size_t(m)]) +
                QStringLiteral("</td><td class=\"round\">") + HtmlEscape(t.Shape().Title(m)) +
                QStringLiteral("</td><td class=\"court\">") + HtmlEscape(t.Court(m)) +
                QStringLiteral("</td><td class=\"name\">") + HtmlEscape(t.SideName(st.side[0])) +
                QStringLiteral("</td><td class=\"vs\">—</td><td class=\"name\">") +
                HtmlEscape(t.SideName(st.side[1])) + QStringLiteral("</td></tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n</section>\n");
}

QString BracketPageHtml(const Tournament& t) {
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>") +
        HtmlEscape(t.Name()) +
        QStringLiteral("</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n");
    html += HeadingHtml(t);
    html += BracketViewsHtml(t);
    html += StandingsHtml(t);
    if (!t.Info().arbiter.isEmpty())
        html += QStringLiteral("<footer><p>Главный судья: ") + HtmlEscape(t.Info().arbiter) +
                QStringLiteral("</p></footer>\n");
    html += QStringLiteral("</body>\n</html>\n");
    return html;
}

} // namespace ko
