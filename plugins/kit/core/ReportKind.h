#pragma once

#include <QList>
#include <QString>

namespace kit {

// A report as the host lists it. The host names a report by its place in the system's list,
// so a system adds new reports at the end and never reorders them.
struct ReportKind {
    QString name;
    QString extension; // without the dot
};

} // namespace kit
