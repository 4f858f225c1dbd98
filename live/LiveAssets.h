#pragma once

#include <QByteArray>

// The script and style sheet added to every served page, and the page listing the open
// tournaments. They exist only in answers of the server, never in files on disk.
namespace LiveAssets {
QByteArray Script();
QByteArray StyleSheet();
// The index page: items is the list's HTML, already escaped.
QByteArray IndexPage(const QByteArray& items);
} // namespace LiveAssets
