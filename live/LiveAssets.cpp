#include "LiveAssets.h"

namespace LiveAssets {

// Reloads the page when the program rewrites it; the scroll position and the chosen view
// survive the reload, so a projector does not jump back to the top after every result.
// Without EventSource the page simply reloads every ten seconds.
QByteArray Script() {
    return QByteArrayLiteral(R"JS((function () {
  var me = document.currentScript;
  var t = me.getAttribute('data-t'), v = me.getAttribute('data-v');
  var key = 'velmora-live-' + t;
  var store = {};
  try { store = JSON.parse(sessionStorage.getItem(key) || '{}'); } catch (e) {}
  function save() { try { sessionStorage.setItem(key, JSON.stringify(store)); } catch (e) {} }
  function reload() { store.y = window.scrollY; save(); location.reload(); }
  function views() {
    var table = document.querySelector('table.crosstable');
    if (!table) return;
    var bar = document.createElement('div');
    bar.className = 'live-views';
    [['places', 'Места'], ['all', 'Вся таблица']].forEach(function (v) {
      var b = document.createElement('button');
      b.type = 'button'; b.textContent = v[1]; b.setAttribute('data-view', v[0]);
      b.addEventListener('click', function () { show(v[0]); store.view = v[0]; save(); });
      bar.appendChild(b);
    });
    table.parentNode.insertBefore(bar, table);
    function show(view) {
      document.body.classList.toggle('live-places', view === 'places');
      bar.querySelectorAll('button').forEach(function (b) {
        b.setAttribute('aria-pressed', String(b.getAttribute('data-view') === view));
      });
    }
    show(store.view || 'places');
  }
  document.addEventListener('DOMContentLoaded', function () {
    views();
    if (typeof store.y === 'number') window.scrollTo(0, store.y);
  });
  if (!window.EventSource) { setTimeout(reload, 10000); return; }
  var url = '/_live/events' + (t === '0' ? '' : '/' + t) + '?v=' + v;
  var events = new EventSource(url);
  events.addEventListener('change', reload);
  events.addEventListener('closed', function () { location.href = '/'; });
})();
)JS");
}

// Phones: the table scrolls sideways inside the page instead of shrinking the page, and a
// crosstable can be cut down to its places and points.
QByteArray StyleSheet() {
    return QByteArrayLiteral(R"CSS(.live-views { display: none; }
@media (max-width: 700px) {
  body { margin: 0.6em; }
  table { display: block; max-width: 100%; overflow-x: auto; }
  .live-views { display: flex; gap: 0.5em; margin: 0.8em 0 0.4em; }
  .live-views button { flex: 1; font: inherit; padding: 0.5em; border: 1px solid #9aa5b1;
                       border-radius: 4px; background: #fff; color: #12355b; }
  .live-views button[aria-pressed="true"] { background: #12355b; color: #fff; }
  body.live-places .crosstable th.opponent, body.live-places .crosstable td.game,
  body.live-places .crosstable td.self { display: none; }
}
body.live-index { font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; margin: 1.5em;
                  color: #1f2933; background: #fbfcfd; }
.live-index h1 { color: #12355b; font-size: 1.5em; }
.live-index ul { list-style: none; padding: 0; }
.live-index li a { display: block; padding: 0.7em 0.9em; margin: 0.4em 0; background: #fff;
                   border: 1px solid #c5ced8; border-radius: 4px; color: #12355b;
                   text-decoration: none; font-size: 1.1em; }
.live-index .empty { color: #7b8794; }
)CSS");
}

QByteArray IndexPage(const QByteArray& items) {
    QByteArray html = QByteArrayLiteral(
        "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Чемпионаты</title>\n</head>\n<body class=\"live-index\">\n<h1>Чемпионаты</h1>\n");
    if (items.isEmpty())
        html += QByteArrayLiteral("<p class=\"empty\">Сейчас не открыт ни один чемпионат.</p>\n");
    else
        html += "<ul>\n" + items + "</ul>\n";
    html += QByteArrayLiteral("</body>\n</html>\n");
    return html;
}

} // namespace LiveAssets
