#include "CVelmoraView.h"

#include "live/CLiveService.h"

#include "systems/HostText.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CWebBrowser.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The view's controls keep the sizes of their dialog template, in dialog units of the
// dialog font: a horizontal unit is a quarter of the average character width, a vertical
// unit an eighth of the character height.
struct DialogUnits {
    double x;
    double y;
    explicit DialogUnits(const QFont& font) {
        const QFontMetricsF metrics(font);
        const QString sample =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        x = metrics.horizontalAdvance(sample) / sample.size() / 4.0;
        y = metrics.height() / 8.0;
    }
    QRect Rect(int left, int top, int width, int height) const {
        return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    }
};

// A tooltip takes a text that looks like markup for markup; a match line is shown as the
// plug-in wrote it, on one line.
QString PlainToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

const QString kAddResult = QStringLiteral("Добавить результат матча");
const QString kModifyResult = QStringLiteral("Изменить результат матча");

} // namespace

CVelmoraView::CVelmoraView(CVelmoraDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document) {
    setObjectName(QStringLiteral("tournamentView"));
    const DialogUnits units(font());
    // Created in this order so that the buttons and the list lie above the tab control.
    m_tabLists = new QTabWidget(this);
    m_tabLists->setObjectName(QStringLiteral("tabLists"));
    m_tabLists->setGeometry(units.Rect(15, 21, 138, 78));

    m_btnResult = new QPushButton(kModifyResult, this);
    m_btnResult->setObjectName(QStringLiteral("btnResult"));
    QRect result = units.Rect(171, 39, 126, 14);
    // Large fonts must not cut the longer of the two captions.
    const QFontMetrics metrics(m_btnResult->font());
    result.setWidth(qMax(result.width(), metrics.horizontalAdvance(kModifyResult) + 16));
    m_btnResult->setGeometry(result);

    m_btnDelete = new QPushButton(QStringLiteral("Удалить результат матча"), this);
    m_btnDelete->setObjectName(QStringLiteral("btnDelete"));
    m_btnDelete->setGeometry(units.Rect(171, 57, 126, 14));

    m_listMatches = new QListWidget(this);
    m_listMatches->setObjectName(QStringLiteral("listMatches"));
    m_listMatches->setSelectionMode(QAbstractItemView::SingleSelection);
    // Sorted by FillMatchList itself, as the other sorted lists of the program are.
    m_listMatches->setUniformItemSizes(true);
    m_listMatches->setGeometry(units.Rect(171, 74, 126, 72));
    m_listMatches->viewport()->installEventFilter(this);

    m_staticTitle = new QLabel(QStringLiteral("М а т ч и"), this);
    m_staticTitle->setObjectName(QStringLiteral("staticTitle"));
    m_staticTitle->setAlignment(Qt::AlignCenter);
    m_staticTitle->setGeometry(units.Rect(12, 0, 120, 12));

    if (m_tabLists->width() < m_btnResult->width() + 14)
        m_tabLists->resize(m_btnResult->width() + 14, m_tabLists->height());

    connect(m_btnResult, &QPushButton::clicked, this, &CVelmoraView::OnMatchResult);
    connect(m_btnDelete, &QPushButton::clicked, this, &CVelmoraView::OnDeleteMatchResult);
}

void CVelmoraView::OnInitialUpdate() {
    if (m_bInitialized)
        return;
    m_wndBrowser = new CWebBrowser(this);
    m_wndBrowser->show();
    m_wndBrowser->repaint();
    ReloadTablePage();

    QFont title = m_staticTitle->font();
    title.setPixelSize(20);
    title.setWeight(QFont::Weight(600));
    m_fontTitle = title;
    m_staticTitle->setFont(m_fontTitle);

    for (const QString& caption :
         {QStringLiteral("Ближайшие"), QStringLiteral("Текущие"), QStringLiteral("Прошедшие")})
        m_tabLists->addTab(new QWidget, caption);
    m_tabLists->setCurrentIndex(Nearest);
    // The three captions must fit without scroll arrows in the dialog font of this machine;
    // the button and the list keep their margins inside the widened tab control.
    const int tabsWidth = m_tabLists->tabBar()->sizeHint().width() + 6;
    if (tabsWidth > m_tabLists->width()) {
        m_btnResult->resize(m_btnResult->width() + tabsWidth - m_tabLists->width(),
                            m_btnResult->height());
        m_tabLists->resize(tabsWidth, m_tabLists->height());
    }
    connect(m_tabLists, &QTabWidget::currentChanged, this, &CVelmoraView::ApplyTabState);

    if (m_pDocument && parentWidget())
        parentWidget()->setWindowTitle(m_pDocument->GetTitle());
    m_bInitialized = true;
    ApplyTabState();
}

void CVelmoraView::ApplyTabState() {
    if (GetSelectedTab() != Nearest) {
        m_btnDelete->show();
        m_btnResult->setText(kModifyResult);
    } else {
        m_btnDelete->hide();
        m_btnResult->setText(kAddResult);
    }
    LayoutControls();
    FillMatchList();
}

void CVelmoraView::LayoutControls() {
    if (!m_bInitialized)
        return;
    const int cw = width();
    const int ch = height();
    const int tw = m_tabLists->width();
    const int w = m_btnResult->width();
    const int h = m_btnResult->height();
    m_tabLists->setGeometry(5, 20, tw, qMax(0, ch - 22));
    m_btnResult->setGeometry(12, 50, w, h);
    if (GetSelectedTab() != Nearest) {
        m_btnDelete->setGeometry(12, h + 53, w, h);
        m_listMatches->setGeometry(12, 2 * h + 58, w, qMax(0, ch - 2 * h - 69));
    } else {
        m_listMatches->setGeometry(12, h + 55, w, qMax(0, ch - h - 66));
    }
    m_wndBrowser->setGeometry(tw + 7, 5, qMax(0, cw - tw - 10), qMax(0, ch - 9));
}

void CVelmoraView::FillMatchList() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    const VelmoraTournament tournament = m_pDocument->m_hTournament;
    const int tab = GetSelectedTab();

    const QList<QListWidgetItem*> selected = m_listMatches->selectedItems();
    const int previous = selected.isEmpty() ? -1 : m_listMatches->row(selected.first());
    m_listMatches->setUpdatesEnabled(false);
    m_listMatches->clear();

    VelmoraFn_GetNearestMatchesCount count = nullptr;
    VelmoraFn_GetNearestMatchesHeaders headers = nullptr;
    switch (tab) {
    case Current:
        count = entries.GetCurrentMatchesCount;
        headers = entries.GetCurrentMatchesHeaders;
        break;
    case Last:
        count = entries.GetLastMatchesCount;
        headers = entries.GetLastMatchesHeaders;
        break;
    default:
        count = entries.GetNearestMatchesCount;
        headers = entries.GetNearestMatchesHeaders;
        break;
    }
    const int n = count ? count(tournament) : 0;
    bool filled = false;
    if (n > 0) {
        // A count beyond any real list gives no buffers; the plug-in is then not asked for
        // headers it would write past what the host holds.
        TextBufferArray buffers(n);
        if (buffers.Count() == n && headers) {
            headers(tournament, buffers.Pointers(), n);
            // Alphabetical without regard to case, like the program's other sorted lists;
            // equal lines keep the plug-in's order. Sorted once, not at every insertion.
            QStringList texts = buffers.Texts();
            std::vector<int> order(static_cast<size_t>(n));
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&texts](int a, int b) {
                return QString::compare(texts[a], texts[b], Qt::CaseInsensitive) < 0;
            });
            for (int i : order) {
                auto* item = new QListWidgetItem(texts[i]);
                item->setData(Qt::UserRole, i);
                // The list is narrow by design; a long line can still be read whole.
                item->setToolTip(PlainToolTip(texts[i]));
                m_listMatches->addItem(item);
            }
            m_listMatches->setCurrentRow(0);
            filled = true;
        }
    }
    m_btnResult->setEnabled(filled);
    if (tab != Nearest)
        m_btnDelete->setEnabled(filled);

    const int items = m_listMatches->count();
    if (items > 0 && previous >= 0)
        m_listMatches->setCurrentRow(qMin(previous, items - 1));
    m_btnResult->update();
    m_btnDelete->update();
    m_listMatches->setUpdatesEnabled(true);
    m_listMatches->update();
}

void CVelmoraView::ReloadTablePage() {
    if (m_wndBrowser && m_pDocument)
        m_wndBrowser->Navigate(m_pDocument->m_strTablePath);
    if (m_pDocument) // the hall's browsers and the publication follow the window's page
        CLiveService::Instance()->PageWritten(m_pDocument, m_pDocument->LivePageTitle(),
                                              m_pDocument->m_strTablePath,
                                              m_pDocument->SkinFolder());
}

int CVelmoraView::GetSelectedTab() const {
    return m_tabLists->currentIndex();
}

int CVelmoraView::GetSelectedMatch() const {
    const QList<QListWidgetItem*> selected = m_listMatches->selectedItems();
    if (selected.isEmpty())
        return -1;
    bool ok = false;
    const int index = selected.first()->data(Qt::UserRole).toInt(&ok);
    return ok ? index : -1;
}

void CVelmoraView::resizeEvent(QResizeEvent* event) {
    LayoutControls();
    QWidget::resizeEvent(event);
}

bool CVelmoraView::eventFilter(QObject* watched, QEvent* event) {
    // A double click anywhere in the list, not only on a row, acts on the selected match.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_listMatches->viewport()) {
        OnMatchResult();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
