#pragma once

#include <QString>

#include "Html.h"

namespace ko {

// The pages escape as the other systems' pages do.
using kit::HtmlEscape;

// "1/4 финала", "1/2 финала", "Финал": the name of round `round` (1-based) of `rounds`.
QString RoundName(int round, int rounds);

} // namespace ko
