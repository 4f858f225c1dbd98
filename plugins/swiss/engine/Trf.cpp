#include "Trf.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>
#include <set>

namespace velmora::swiss {

int PointSystem::points(Outcome o) const {
    switch (o) {
    case Outcome::Win: return win;
    case Outcome::Draw: return draw;
    case Outcome::Loss: return loss;
    case Outcome::ForfeitWin: return forfeitWin;
    case Outcome::ForfeitLoss: return forfeitLoss;
    case Outcome::PairingBye: return pairingBye;
    case Outcome::FullBye: return fullBye;
    case Outcome::HalfBye: return halfBye;
    case Outcome::ZeroBye: return zeroBye;
    }
    return 0;
}

const Player* Tournament::find(int id) const {
    for (const Player& p : players)
        if (p.id == id)
            return &p;
    return nullptr;
}

int Tournament::pairedRounds() const {
    int last = 0;
    for (const Player& p : players)
        for (int r = 0; r < int(p.rounds.size()); ++r)
            if (p.rounds[r].opponent != 0 || p.rounds[r].outcome == Outcome::PairingBye)
                last = std::max(last, r + 1);
    return last;
}

namespace {

std::string trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace((unsigned char)s[a]))
        ++a;
    while (b > a && std::isspace((unsigned char)s[b - 1]))
        --b;
    return std::string(s.substr(a, b - a));
}

std::string field(std::string_view line, size_t from1, size_t len) {
    if (line.size() < from1)
        return {};
    return trim(line.substr(from1 - 1, len));
}

bool parseInt(const std::string& s, int& out) {
    if (s.empty())
        return false;
    const char* b = s.data();
    const char* e = b + s.size();
    auto [p, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && p == e;
}

// Decimal points ("1.5", "3", "0,5") into tenths.
bool parseTenths(const std::string& s0, int& out) {
    std::string s = s0;
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.empty() || s.size() > 9)
        return false;
    bool neg = false;
    size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        neg = s[0] == '-';
        i = 1;
    }
    long whole = 0;
    int frac = 0, fracDigits = 0;
    bool digits = false, dot = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !dot) {
            dot = true;
        } else if (std::isdigit((unsigned char)c)) {
            digits = true;
            if (!dot) {
                whole = whole * 10 + (c - '0');
            } else {
                if (fracDigits == 0)
                    frac = c - '0';
                else if (c != '0')
                    return false; // finer than a tenth
                ++fracDigits;
            }
        } else {
            return false;
        }
    }
    if (!digits || whole > 100000)
        return false;
    out = int(whole * 10 + frac) * (neg ? -1 : 1);
    return true;
}

std::vector<std::string> tokens(std::string_view s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace((unsigned char)s[i]))
            ++i;
        size_t j = i;
        while (j < s.size() && !std::isspace((unsigned char)s[j]))
            ++j;
        if (j > i)
            out.emplace_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

std::string lineError(int n, const std::string& what) {
    return "line " + std::to_string(n) + ": " + what;
}

} // namespace

TrfReadResult readTrf(std::string_view text) {
    TrfReadResult res;
    Tournament& t = res.tournament;
    std::vector<std::pair<int, std::string>> lines;
    {
        size_t i = 0;
        int n = 1;
        while (i <= text.size()) {
            size_t j = i;
            while (j < text.size() && text[j] != '\r' && text[j] != '\n')
                ++j;
            lines.emplace_back(n, std::string(text.substr(i, j - i)));
            if (j >= text.size())
                break;
            if (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n')
                ++j;
            i = j + 1;
            ++n;
        }
    }
    std::map<int, int> lineOfPlayer;
    bool pabSet = false, flSet = false;
    struct PendingAccel {
        int line;
        std::vector<std::string> tok;
    };
    std::vector<PendingAccel> accelLines;
    struct PendingRange {
        int line, points, firstRound, lastRound, firstPlayer, lastPlayer;
    };
    std::vector<PendingRange> rangeLines;
    struct PendingForbidden {
        int line, first, last;
        std::vector<int> ids;
    };
    std::vector<PendingForbidden> forbiddenLines;
    auto fail = [&](int n, const std::string& what) {
        res.ok = false;
        res.error = lineError(n, what);
        return res;
    };

    for (const auto& [n, raw] : lines) {
        std::string_view line = raw;
        if (trim(line).empty())
            continue;
        for (unsigned char c : line)
            if (c < 0x20 && c != '\t')
                return fail(n, "control character in the line");
        const std::string tag(line.substr(0, std::min<size_t>(3, line.size())));
        if (tag == "001") {
            Player p;
            if (line.size() < 8)
                return fail(n, "player line too short (no starting number)");
            if (!parseInt(field(line, 5, 4), p.id) || p.id <= 0)
                return fail(n, "starting number \"" + field(line, 5, 4) + "\" is not a positive number");
            if (lineOfPlayer.count(p.id))
                return fail(n, "starting number " + std::to_string(p.id) + " already used on line " +
                                   std::to_string(lineOfPlayer[p.id]));
            lineOfPlayer[p.id] = n;
            p.sex = field(line, 10, 1);
            p.title = field(line, 11, 3);
            p.name = field(line, 15, 33);
            const std::string rating = field(line, 49, 4);
            if (!rating.empty() && (!parseInt(rating, p.rating) || p.rating < 0))
                return fail(n, "rating \"" + rating + "\" is not a number");
            p.federation = field(line, 54, 3);
            p.fideId = field(line, 58, 11);
            p.birth = field(line, 70, 10);
            const std::string pts = field(line, 81, 4);
            int dummy = 0;
            if (!pts.empty() && !parseTenths(pts, dummy))
                return fail(n, "points \"" + pts + "\" are not a number");
            for (size_t start = 92, r = 1; start <= line.size(); start += 10, ++r) {
                const std::string_view cell = line.substr(start - 1, std::min<size_t>(8, line.size() - start + 1));
                if (trim(cell).empty()) {
                    p.rounds.push_back(RoundEntry{}); // nothing known: absent
                    continue;
                }
                if (start >= 2 && line[start - 2] != ' ')
                    return fail(n, "round " + std::to_string(r) + " does not start at column " + std::to_string(start));
                std::string cellStr(cell);
                cellStr.resize(8, ' ');
                RoundEntry e;
                const std::string opp = trim(cellStr.substr(0, 4));
                if (opp.empty() || opp == "0000" || opp == "0") {
                    e.opponent = 0;
                } else if (!parseInt(opp, e.opponent) || e.opponent <= 0) {
                    return fail(n, "round " + std::to_string(r) + ": opponent \"" + opp + "\" is not a starting number");
                }
                const char c = cellStr[5];
                const char rc = char(std::toupper((unsigned char)cellStr[7]));
                if (c == 'w' || c == 'W')
                    e.colour = Colour::White;
                else if (c == 'b' || c == 'B')
                    e.colour = Colour::Black;
                else if (c == '-' || c == ' ')
                    e.colour = Colour::None;
                else
                    return fail(n, "round " + std::to_string(r) + ": colour '" + std::string(1, c) + "' is not w, b or -");
                switch (rc) {
                case '1': case 'W': e.outcome = Outcome::Win; break;
                case '=': case 'D': e.outcome = Outcome::Draw; break;
                case '0': case 'L': e.outcome = Outcome::Loss; break;
                case '+': e.outcome = Outcome::ForfeitWin; break;
                case '-': e.outcome = Outcome::ForfeitLoss; break;
                case 'U': e.outcome = Outcome::PairingBye; break;
                case 'F': e.outcome = Outcome::FullBye; break;
                case 'H': e.outcome = Outcome::HalfBye; break;
                case 'Z': case ' ': e.outcome = Outcome::ZeroBye; break;
                default:
                    return fail(n, "round " + std::to_string(r) + ": result '" + std::string(1, cellStr[7]) + "' is unknown");
                }
                const bool needsOpponent = e.outcome == Outcome::Win || e.outcome == Outcome::Draw ||
                                           e.outcome == Outcome::Loss;
                if (needsOpponent && e.opponent == 0)
                    return fail(n, "round " + std::to_string(r) + ": a played game without an opponent");
                if (e.opponent != 0 && (e.outcome == Outcome::PairingBye || e.outcome == Outcome::HalfBye ||
                                        e.outcome == Outcome::FullBye || e.outcome == Outcome::ZeroBye))
                    return fail(n, "round " + std::to_string(r) + ": a bye with an opponent");
                if (e.opponent == p.id)
                    return fail(n, "round " + std::to_string(r) + ": the player meets himself");
                if (e.opponent != 0 && e.colour == Colour::None && needsOpponent)
                    return fail(n, "round " + std::to_string(r) + ": a played game without a colour");
                p.rounds.push_back(e);
            }
            while (!p.rounds.empty() && p.rounds.back().opponent == 0 &&
                   p.rounds.back().outcome == Outcome::ZeroBye && p.rounds.back().colour == Colour::None) {
                // A trailing empty cell carries no information, but "0000 - Z" does (a known
                // absence); only cells that were blank are dropped.
                const size_t start = 92 + 10 * (p.rounds.size() - 1);
                if (start <= line.size() && !trim(line.substr(start - 1, std::min<size_t>(8, line.size() - start + 1))).empty())
                    break;
                p.rounds.pop_back();
            }
            if (p.rounds.size() > 999)
                return fail(n, "too many rounds");
            t.players.push_back(std::move(p));
        } else if (tag == "012") {
            t.name = trim(line.substr(3));
            t.otherLines.push_back(raw);
        } else if (tag == "XXR" || tag == "142") {
            const auto tok = tokens(line.substr(3));
            if (tok.empty() || !parseInt(tok[0], t.totalRounds) || t.totalRounds <= 0 || t.totalRounds > 999)
                return fail(n, "the number of rounds is not a positive number");
        } else if (tag == "XXC" || tag == "152") {
            const auto tok = tokens(line.substr(3));
            bool got = false;
            for (const auto& s : tok) {
                std::string l = s;
                for (auto& ch : l)
                    ch = char(std::tolower((unsigned char)ch));
                if (l == "white1" || l == "w" || l == "white") {
                    t.initialColour = Colour::White;
                    got = true;
                } else if (l == "black1" || l == "b" || l == "black") {
                    t.initialColour = Colour::Black;
                    got = true;
                }
            }
            if (!got)
                return fail(n, "the first colour is neither white nor black");
        } else if (tag == "162" || tag == "XXS") {
            // "162  W 3.0    D 1.0" or "XXS W=3 D=1": a letter followed by its points.
            std::string s(line.substr(3));
            for (auto& ch : s)
                if (ch == '=')
                    ch = ' ';
            const auto tok = tokens(s);
            for (size_t i = 0; i < tok.size(); ++i) {
                std::string key = tok[i], val;
                size_t k = 0;
                while (k < key.size() && std::isalpha((unsigned char)key[k]))
                    ++k;
                if (k == 0)
                    return fail(n, "point system: \"" + tok[i] + "\" is not a result letter");
                val = key.substr(k);
                key = key.substr(0, k);
                if (val.empty()) {
                    if (i + 1 >= tok.size())
                        return fail(n, "point system: no points for " + key);
                    val = tok[++i];
                }
                int v = 0;
                for (auto& ch : key)
                    ch = char(std::toupper((unsigned char)ch));
                // Only a forfeit may cost points (some leagues take one off for it).
                const bool mayBeNegative = key == "FL" || key == "LF" || key == "A";
                if (!parseTenths(val, v) || (v < 0 && !mayBeNegative))
                    return fail(n, "point system: \"" + val + "\" is not a number of points");
                if (key == "W") { t.points.win = v; t.points.forfeitWin = v; if (!pabSet) t.points.pairingBye = v; t.points.fullBye = v; }
                else if (key == "D") { t.points.draw = v; t.points.halfBye = v; }
                else if (key == "L") t.points.loss = v;
                else if (key == "Z") t.points.zeroBye = v;
                // TRF-2026's A is what an absence scores: a zero-point bye, and a forfeit
                // loss unless the line gives that apart.
                else if (key == "A") { t.points.zeroBye = v; if (!flSet) t.points.forfeitLoss = v; }
                else if (key == "FW" || key == "WF") t.points.forfeitWin = v;
                else if (key == "FL" || key == "LF") { t.points.forfeitLoss = v; flSet = true; }
                else if (key == "P" || key == "U" || key == "PAB") { t.points.pairingBye = v; pabSet = true; }
                else if (key == "H" || key == "HB") t.points.halfBye = v;
                else if (key == "F" || key == "FB") t.points.fullBye = v;
                else
                    return fail(n, "point system: unknown result \"" + key + "\"");
            }
            t.otherLines.push_back(raw);
        } else if (tag == "BBW" || tag == "BBD" || tag == "BBL" || tag == "BBZ" || tag == "BBF" || tag == "BBU") {
            int v = 0;
            if (!parseTenths(trim(line.substr(3)), v) || v < 0)
                return fail(n, "points are not a number");
            if (tag == "BBW") { t.points.win = t.points.forfeitWin = t.points.fullBye = v; if (!pabSet) t.points.pairingBye = v; }
            if (tag == "BBD") t.points.draw = t.points.halfBye = v;
            if (tag == "BBL") t.points.loss = v;
            if (tag == "BBZ") t.points.zeroBye = v;
            if (tag == "BBF") t.points.forfeitLoss = v;
            if (tag == "BBU") { t.points.pairingBye = v; pabSet = true; }
            t.otherLines.push_back(raw);
        } else if (tag == "XXP") {
            const auto tok = tokens(line.substr(3));
            std::vector<int> ids;
            for (const auto& s : tok) {
                int id = 0;
                if (!parseInt(s, id) || id <= 0)
                    return fail(n, "forbidden pairs: \"" + s + "\" is not a starting number");
                ids.push_back(id);
            }
            if (ids.size() < 2)
                return fail(n, "forbidden pairs need at least two players");
            forbiddenLines.push_back({n, 1, 0, ids});
        } else if (tag == "260") {
            // TRF-2026: "260 RRR RRR PPPP PPPP ...": the first and last round the players
            // must not meet in (the last left blank: that round only), then the players.
            PendingForbidden f{n, 0, 0, {}};
            const std::string first = field(line, 5, 3), last = field(line, 9, 3);
            if (!parseInt(first, f.first) || f.first <= 0 || f.first > 999)
                return fail(n, "forbidden pairs: the first round \"" + first + "\" is not a round number");
            f.last = f.first;
            if (!last.empty() && (!parseInt(last, f.last) || f.last < f.first || f.last > 999))
                return fail(n, "forbidden pairs: the last round \"" + last + "\" is not a round number from the first on");
            for (size_t col = 13; col <= line.size(); col += 5) {
                const std::string s = field(line, col, 4);
                int id = 0;
                if (s.empty())
                    continue;
                if (!parseInt(s, id) || id <= 0 || (col >= 2 && line[col - 2] != ' '))
                    return fail(n, "forbidden pairs: \"" + s + "\" at column " + std::to_string(col) +
                                       " is not a starting number");
                f.ids.push_back(id);
            }
            if (f.ids.size() < 2)
                return fail(n, "forbidden pairs need at least two players");
            forbiddenLines.push_back(f);
        } else if (tag == "240") {
            // "240 H   3  0012 0034": kind, round, players.
            const auto tok = tokens(line.substr(3));
            if (tok.size() < 3)
                return fail(n, "requested byes: expected a kind, a round and players");
            ByeKind kind;
            const std::string k = tok[0];
            if (k == "H" || k == "h") kind = ByeKind::Half;
            else if (k == "Z" || k == "z") kind = ByeKind::Zero;
            else if (k == "F" || k == "f") kind = ByeKind::Full;
            else return fail(n, "requested byes: kind \"" + k + "\" is not H, Z or F");
            int round = 0;
            if (!parseInt(tok[1], round) || round <= 0 || round > 999)
                return fail(n, "requested byes: \"" + tok[1] + "\" is not a round");
            for (size_t i = 2; i < tok.size(); ++i) {
                int id = 0;
                if (!parseInt(tok[i], id) || id <= 0)
                    return fail(n, "requested byes: \"" + tok[i] + "\" is not a starting number");
                t.byeRequests.push_back({round, id, kind});
            }
        } else if (tag == "XXA") {
            accelLines.push_back({n, tokens(line.substr(3))});
        } else if (tag == "250") {
            // TRF-2026: "250 MMMM GGGG RRR RRR PPPP PPPP": match points and game points (an
            // individual tournament uses the game points, or the match points when those are
            // all it gives), the rounds and the players they are added for.
            PendingRange a{n, 0, 0, 0, 0, 0};
            const std::string match = field(line, 5, 4), game = field(line, 10, 4);
            const std::string& pts = game.empty() ? match : game;
            if (!parseTenths(pts, a.points) || a.points < 0)
                return fail(n, "acceleration: \"" + pts + "\" is not a number of points");
            const std::string r1 = field(line, 15, 3), r2 = field(line, 19, 3);
            const std::string p1 = field(line, 23, 4), p2 = field(line, 28, 4);
            if (!parseInt(r1, a.firstRound) || a.firstRound <= 0 || a.firstRound > 999)
                return fail(n, "acceleration: the first round \"" + r1 + "\" is not a round number");
            a.lastRound = a.firstRound;
            if (!r2.empty() && (!parseInt(r2, a.lastRound) || a.lastRound < a.firstRound || a.lastRound > 999))
                return fail(n, "acceleration: the last round \"" + r2 + "\" is not a round number from the first on");
            if (!parseInt(p1, a.firstPlayer) || a.firstPlayer <= 0)
                return fail(n, "acceleration: the first player \"" + p1 + "\" is not a starting number");
            a.lastPlayer = a.firstPlayer;
            if (!p2.empty() && (!parseInt(p2, a.lastPlayer) || a.lastPlayer < a.firstPlayer))
                return fail(n, "acceleration: the last player \"" + p2 + "\" is not a starting number from the first on");
            rangeLines.push_back(a);
        } else if (tag == "XXB" || tag == "BAK") {
            t.bakuAcceleration = true;
        } else if (tag.size() == 3 && (std::isdigit((unsigned char)tag[0]) || std::isupper((unsigned char)tag[0]))) {
            t.otherLines.push_back(raw); // header lines (city, dates, arbiters...) kept as they are
        } else if (tag.rfind("###", 0) == 0) {
            continue;
        } else {
            return fail(n, "unknown line \"" + trim(line.substr(0, 20)) + "\"");
        }
    }

    // Acceleration: "XXA NNNN  1.0  1.0  0.5 ..." or "250 NNNN 1.0 1.0 ...": the player's
    // virtual points for rounds 1, 2, ...
    for (const auto& a : accelLines) {
        if (a.tok.empty())
            return fail(a.line, "acceleration: no starting number");
        int id = 0;
        if (!parseInt(a.tok[0], id) || !lineOfPlayer.count(id))
            return fail(a.line, "acceleration: \"" + a.tok[0] + "\" is not a player's starting number");
        Player* p = nullptr;
        for (auto& q : t.players)
            if (q.id == id)
                p = &q;
        for (size_t i = 1; i < a.tok.size(); ++i) {
            int v = 0;
            if (!parseTenths(a.tok[i], v) || v < 0)
                return fail(a.line, "acceleration: \"" + a.tok[i] + "\" is not a number of points");
            p->accel.push_back(v);
        }
    }

    for (const auto& a : rangeLines) {
        for (int id = a.firstPlayer; id <= a.lastPlayer; ++id) {
            if (!lineOfPlayer.count(id)) {
                if (a.firstPlayer == a.lastPlayer)
                    return fail(a.line, "acceleration: " + std::to_string(id) + " is not a player's starting number");
                continue; // a range may span numbers nobody has
            }
            for (auto& q : t.players) {
                if (q.id != id)
                    continue;
                if (int(q.accel.size()) < a.lastRound)
                    q.accel.resize(size_t(a.lastRound), 0);
                for (int r = a.firstRound; r <= a.lastRound; ++r)
                    q.accel[size_t(r - 1)] = a.points;
            }
        }
    }
    for (const auto& f : forbiddenLines) {
        for (int id : f.ids)
            if (!lineOfPlayer.count(id))
                return fail(f.line, "forbidden pairs: " + std::to_string(id) + " is not a player's starting number");
        t.forbiddenGroups.push_back({f.first, f.last, f.ids});
    }
    // The engine keeps the pairs that must not meet in the round it pairs: the one after the
    // last round with a pairing in the file.
    forbiddenFor(t, t.pairedRounds() + 1);

    if (t.players.empty()) {
        res.error = "no player lines (001) in the file";
        return res;
    }
    // Every game must be seen from both sides alike.
    std::map<int, const Player*> byId;
    for (const auto& p : t.players)
        byId[p.id] = &p;
    for (const auto& p : t.players) {
        for (size_t r = 0; r < p.rounds.size(); ++r) {
            const RoundEntry& e = p.rounds[r];
            if (e.opponent == 0)
                continue;
            const int n = lineOfPlayer[p.id];
            auto it = byId.find(e.opponent);
            if (it == byId.end())
                return fail(n, "round " + std::to_string(r + 1) + ": opponent " + std::to_string(e.opponent) + " has no player line");
            const Player& o = *it->second;
            if (o.rounds.size() <= r || o.rounds[r].opponent != p.id)
                return fail(n, "round " + std::to_string(r + 1) + ": player " + std::to_string(e.opponent) +
                                   " does not have " + std::to_string(p.id) + " as opponent");
            const RoundEntry& f = o.rounds[r];
            if (e.played() != f.played())
                return fail(n, "round " + std::to_string(r + 1) + ": the game with " + std::to_string(o.id) + " is played on one side only");
            if (e.played() && (e.colour == f.colour))
                return fail(n, "round " + std::to_string(r + 1) + ": both players of the game have the same colour");
        }
    }
    for (const auto& [a, b] : t.forbidden)
        if (!byId.count(a) || !byId.count(b)) { // cannot happen: the groups were checked
            res.error = "forbidden pair " + std::to_string(a) + "-" + std::to_string(b) + " names an unknown player";
            return res;
        }
    for (const auto& q : t.byeRequests)
        if (!byId.count(q.player)) {
            res.error = "requested bye for unknown player " + std::to_string(q.player);
            return res;
        }
    std::sort(t.players.begin(), t.players.end(), [](const Player& a, const Player& b) { return a.id < b.id; });
    res.ok = true;
    return res;
}

void forbiddenFor(Tournament& t, int round) {
    t.forbidden.clear();
    for (const ForbiddenGroup& g : t.forbiddenGroups) {
        if (round < g.firstRound || (g.lastRound > 0 && round > g.lastRound))
            continue;
        for (size_t a = 0; a < g.players.size(); ++a)
            for (size_t b = a + 1; b < g.players.size(); ++b)
                t.forbidden.emplace_back(g.players[a], g.players[b]);
    }
}

namespace {

// Columns are counted in bytes, as TRF readers do; a long name is cut between characters,
// never inside a UTF-8 sequence.
std::string pad(std::string s, size_t n, bool right = false) {
    if (s.size() > n) {
        size_t cut = n;
        while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
            --cut;
        s.resize(cut);
    }
    if (right)
        return std::string(n - s.size(), ' ') + s;
    return s + std::string(n - s.size(), ' ');
}

std::string tenths(int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%d", v / 10, std::abs(v % 10));
    return buf;
}

char resultChar(Outcome o) {
    switch (o) {
    case Outcome::Win: return '1';
    case Outcome::Draw: return '=';
    case Outcome::Loss: return '0';
    case Outcome::ForfeitWin: return '+';
    case Outcome::ForfeitLoss: return '-';
    case Outcome::PairingBye: return 'U';
    case Outcome::FullBye: return 'F';
    case Outcome::HalfBye: return 'H';
    case Outcome::ZeroBye: return 'Z';
    }
    return 'Z';
}

// The groups to write: the file's own, then each pair set directly that no group already
// keeps apart, as a group for every round.
std::vector<ForbiddenGroup> forbiddenToWrite(const Tournament& t) {
    std::vector<ForbiddenGroup> groups = t.forbiddenGroups;
    auto covered = [&](int a, int b) {
        for (const ForbiddenGroup& g : t.forbiddenGroups) {
            const bool hasA = std::find(g.players.begin(), g.players.end(), a) != g.players.end();
            const bool hasB = std::find(g.players.begin(), g.players.end(), b) != g.players.end();
            if (hasA && hasB)
                return true;
        }
        return false;
    };
    for (const auto& [a, b] : t.forbidden)
        if (!covered(a, b))
            groups.push_back({1, 0, {a, b}});
    return groups;
}

std::string ids(const std::vector<int>& players, size_t width) {
    std::string out;
    for (int id : players)
        out += " " + (width ? pad(std::to_string(id), width, true) : std::to_string(id));
    return out;
}

bool hasLine(const std::vector<std::string>& lines, std::initializer_list<const char*> tags) {
    for (const auto& l : lines)
        for (const char* tag : tags)
            if (l.rfind(tag, 0) == 0)
                return true;
    return false;
}

const char* byeCode(ByeKind k) {
    return k == ByeKind::Half ? "H" : k == ByeKind::Zero ? "Z" : "F";
}

// The rounds a player's line shows: those played, then the known absences. TRF-16 has no
// record for a requested bye, so one for the round after the player's last is written in
// that round's column, where the pairing programs look for it.
std::vector<RoundEntry> cellsOf(const Tournament& t, const Player& p, TrfVersion version,
                                std::vector<bool>& byeInColumn) {
    std::vector<RoundEntry> cells = p.rounds;
    const size_t next = cells.size() + 1;
    if (version == TrfVersion::Trf16) {
        for (size_t i = 0; i < t.byeRequests.size(); ++i) {
            const ByeRequest& q = t.byeRequests[i];
            if (q.player != p.id || size_t(q.round) != next || cells.size() >= next)
                continue;
            const Outcome o = q.kind == ByeKind::Half   ? Outcome::HalfBye
                              : q.kind == ByeKind::Full ? Outcome::FullBye
                                                        : Outcome::ZeroBye;
            cells.push_back({0, Colour::None, o});
            byeInColumn[i] = true;
        }
    }
    if (p.withdrawn) {
        // To the last round when the file says how many there are, else the next one.
        const size_t last = t.totalRounds > 0 ? size_t(t.totalRounds) : next;
        while (cells.size() < last)
            cells.push_back({0, Colour::None, Outcome::ZeroBye});
    }
    return cells;
}

} // namespace

std::string writeTrf(const Tournament& t, TrfVersion version) {
    const bool v2026 = version == TrfVersion::Trf2026;
    std::string out;
    const char* eol = "\r\n";
    bool wroteName = false;
    for (const auto& l : t.otherLines) {
        if (l.rfind("012", 0) == 0)
            wroteName = true;
        out += l + eol;
    }
    if (!wroteName && !t.name.empty())
        out += "012 " + t.name + eol;
    std::vector<bool> byeInColumn(t.byeRequests.size(), false);
    for (const Player& p : t.players) {
        // The points column sums what was scored; an absence still to come scores nothing yet.
        int score = 0;
        for (const auto& e : p.rounds)
            score += t.points.points(e.outcome);
        std::string line = "001 " + pad(std::to_string(p.id), 4, true) + " " + pad(p.sex, 1) + pad(p.title, 3, true) +
                           " " + pad(p.name, 33) + " " + pad(p.rating ? std::to_string(p.rating) : "", 4, true) + " " +
                           pad(p.federation, 3) + " " + pad(p.fideId, 11, true) + " " + pad(p.birth, 10) + " " +
                           pad(tenths(score), 4, true) + " " + pad("", 4);
        for (const auto& e : cellsOf(t, p, version, byeInColumn)) {
            const char c = e.colour == Colour::White ? 'w' : e.colour == Colour::Black ? 'b' : '-';
            line += "  " + (e.opponent ? pad(std::to_string(e.opponent), 4, true) : std::string("0000")) + " " + c + " " +
                    resultChar(e.outcome);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + eol;
    }
    // A tournament built without a TRF has no point-system line to carry over: write one
    // whenever the points are not the usual ones, or they would be lost on reading back.
    const bool pointsLine = hasLine(t.otherLines, {"162", "XXS", "BB"});
    const PointSystem usual;
    const PointSystem& ps = t.points;
    const bool unusual = ps.win != usual.win || ps.draw != usual.draw || ps.loss != usual.loss ||
                         ps.forfeitWin != ps.win || ps.forfeitLoss != usual.forfeitLoss ||
                         ps.pairingBye != ps.win || ps.fullBye != ps.win || ps.halfBye != ps.draw ||
                         ps.zeroBye != usual.zeroBye;
    if (v2026) {
        if (!hasLine(t.otherLines, {"192"}))
            out += std::string("192 FIDE_DUTCH_2025") + (t.bakuAcceleration ? "_BAKU" : "") + eol;
        if (t.totalRounds > 0)
            out += "142 " + std::to_string(t.totalRounds) + eol;
        out += std::string("152 ") + (t.initialColour == Colour::Black ? "B" : "W") + eol;
        if (!pointsLine && unusual) {
            // Fixed columns: the letter at 6, 15, 24..., its points in the four after it.
            auto group = [](char letter, int v) { return std::string(1, letter) + pad(tenths(v), 4, true) + "    "; };
            std::string line = "162  " + group('W', ps.win) + group('D', ps.draw) + group('L', ps.loss) +
                               group('P', ps.pairingBye) + group('A', ps.zeroBye);
            while (line.back() == ' ')
                line.pop_back();
            out += line + eol;
            // What the record has no letter for goes on a line of the engine's own.
            if (ps.forfeitLoss != ps.zeroBye || ps.forfeitWin != ps.win || ps.fullBye != ps.win ||
                ps.halfBye != ps.draw)
                out += "XXS FW=" + tenths(ps.forfeitWin) + " FL=" + tenths(ps.forfeitLoss) + " F=" +
                       tenths(ps.fullBye) + " H=" + tenths(ps.halfBye) + eol;
        }
        for (const auto& q : t.byeRequests)
            out += std::string("240 ") + byeCode(q.kind) + " " + pad(std::to_string(q.round), 3, true) + " " +
                   pad(std::to_string(q.player), 4, true) + eol;
        for (const Player& p : t.players) {
            // One record for each run of rounds with the same virtual points.
            for (size_t r = 0; r < p.accel.size();) {
                size_t e = r;
                while (e + 1 < p.accel.size() && p.accel[e + 1] == p.accel[r])
                    ++e;
                if (p.accel[r] != 0) {
                    const std::string pts = pad(tenths(p.accel[r]), 4, true);
                    const std::string id = pad(std::to_string(p.id), 4, true);
                    out += "250 " + pts + " " + pts + " " + pad(std::to_string(r + 1), 3, true) + " " +
                           pad(std::to_string(e + 1), 3, true) + " " + id + " " + id + eol;
                }
                r = e + 1;
            }
        }
        // "To the end" has no field of its own: the last round, or the largest the field holds.
        const int end = t.totalRounds > 0 ? t.totalRounds : 999;
        for (const ForbiddenGroup& g : forbiddenToWrite(t))
            out += "260 " + pad(std::to_string(g.firstRound), 3, true) + " " +
                   pad(std::to_string(g.lastRound > 0 ? g.lastRound : std::max(end, g.firstRound)), 3, true) +
                   ids(g.players, 4) + eol;
        return out;
    }
    if (!pointsLine && unusual) {
        out += "162  W " + tenths(ps.win) + "  D " + tenths(ps.draw) + "  L " + tenths(ps.loss) + "  FW " +
               tenths(ps.forfeitWin) + "  FL " + tenths(ps.forfeitLoss) + "  P " + tenths(ps.pairingBye) +
               "  F " + tenths(ps.fullBye) + "  H " + tenths(ps.halfBye) + "  Z " + tenths(ps.zeroBye) + eol;
    }
    if (t.totalRounds > 0)
        out += "XXR " + std::to_string(t.totalRounds) + eol;
    out += std::string("XXC ") + (t.initialColour == Colour::Black ? "black1" : "white1") + eol;
    // XXP knows no rounds: groups for every round, and those that hold in the next one.
    const int next = t.pairedRounds() + 1;
    for (const ForbiddenGroup& g : forbiddenToWrite(t))
        if (g.firstRound <= next && (g.lastRound == 0 || next <= g.lastRound))
            out += "XXP" + ids(g.players, 0) + eol;
    // Requests for later rounds than the next have no column yet: the 2026 record keeps them.
    for (size_t i = 0; i < t.byeRequests.size(); ++i)
        if (!byeInColumn[i])
            out += std::string("240 ") + byeCode(t.byeRequests[i].kind) + " " +
                   std::to_string(t.byeRequests[i].round) + " " + std::to_string(t.byeRequests[i].player) + eol;
    for (const Player& p : t.players) {
        if (p.accel.empty())
            continue;
        std::string line = "XXA " + pad(std::to_string(p.id), 4, true);
        for (int v : p.accel)
            line += " " + pad(tenths(v), 4, true);
        out += line + eol;
    }
    if (t.bakuAcceleration)
        out += std::string("XXB") + eol;
    return out;
}

} // namespace velmora::swiss
