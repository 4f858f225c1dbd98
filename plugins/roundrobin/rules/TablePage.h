#pragma once

#include "Tournament.h"

#include <QString>

namespace rr {

// The table page: HTML5 in UTF-8 that takes its look from the skin's style.css beside it.
QString TablePageHtml(const Tournament& tournament);

// The crosstable alone (a <table>), sorted by place, as the page and the reports show it.
QString CrosstableHtml(const Tournament& tournament);
// The page's heading block: title, venue and dates, and how many rounds are played.
QString HeadingHtml(const Tournament& tournament);

} // namespace rr
