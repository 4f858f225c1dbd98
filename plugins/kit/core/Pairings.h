#pragma once

#include <QList>
#include <QString>

namespace kit {

// One round's boards (or matches) as a table, written once for every system: the table page
// shows results in it, the pairings report leaves a box to write each result in.

struct PairingSide {
    int number = 0;   // start number, 1-based
    QString nameHtml; // escaped already, with whatever marks the system adds
    QString extra;    // the side's extra column (points before the round, a rating), plain
};

struct PairingLine {
    int board = 0;
    PairingSide first; // white, or the home side
    PairingSide second;
    QString resultHtml; // escaped already; ResultBoxHtml() for a box to fill in
};

// Headings of the table, in the system's own words ("Доска", "Белые", "Результат",
// "Чёрные"; "Матч", "Хозяева", "Счёт", "Гости"). An empty extraHeading leaves the extra
// columns out.
struct PairingColumns {
    QString board;
    QString first;
    QString result;
    QString second;
    QString extraHeading;
    QString extraClass; // the extra cells' class: "points", "rating"
};

// <table class="pairings"> with a <thead>, one row per line.
QString PairingsTableHtml(const PairingColumns& columns, const QList<PairingLine>& lines);

// An empty box a result is written into by hand.
QString ResultBoxHtml();

// Styles a pairings sheet adds to a report's own: a box per result, one A4 sheet on paper.
QString PairingsSheetStyle();

} // namespace kit
