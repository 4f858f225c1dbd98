#pragma once

#include <QString>

#include "TournamentInfo.h"

namespace kit {

// Escapes text for HTML element content and attribute values.
QString HtmlEscape(const QString& text);

// The start of a page, up to and including <body>. The table page takes its look from the
// skin's style.css beside it, so that the organiser's chosen skin applies; a report travels
// alone (by e-mail, say) and carries its styles inside.
QString SkinPageStart(const QString& title);
QString StandalonePageStart(const QString& title, const QString& style);
QString PageEnd();

// The heading's opening, for a system whose status lines are its own: the name, then the venue
// and dates where known. The caller adds its lines and closes it with "</header>".
QString PageHeadingStart(const QString& name, const TournamentInfo& info);
// The head of a table page: the tournament's name, where and when, and how far it has gone
// ("Сыграно 3 тура из 7"), every piece escaped.
QString PageHeading(const QString& name, const TournamentInfo& info, int roundsPlayed,
                    int roundsTotal);

} // namespace kit
