#include "CVelmoraView.h"

#include "live/CLiveService.h"

#include "systems/HostText.h"
#include "core/NaturalOrder.h"
#include "core/Profile.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CWebBrowser.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

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

// Match lines take the list's width, however long they are: a longer line is shortened in
// its middle when painted instead of running past the list's edge.
class MatchLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(1);
        return size;
    }
};

QString TooLongListText(int count) {
    return QStringLiteral("Матчей в списке: %1 — список слишком длинный, чтобы его показать")
        .arg(QLocale(QLocale::Russian).toString(count));
}

const QString kAddResult = QStringLiteral("Добавить результат матча");
const QString kModifyResult = QStringLiteral("Изменить результат матча");

} // namespace

CVelmoraView::CVelmoraView(CVelmoraDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document) {
    setObjectName(QStringLiteral("tournamentView"));
    const DialogUnits units(font());
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_paneMatches = new QWidget(m_splitter);
    m_paneMatches->setObjectName(QStringLiteral("matchPane"));
    m_paneMatches->installEventFilter(this);
    m_paneBrowser = new QWidget(m_splitter);
    m_paneBrowser->setObjectName(QStringLiteral("browserPane"));
    auto* browserLayout = new QVBoxLayout(m_paneBrowser);
    // The page keeps the layout rules' margins: 5 pixels above, 3 to the right, 4 below.
    browserLayout->setContentsMargins(0, 5, 3, 4);
    m_splitter->addWidget(m_paneMatches);
    m_splitter->addWidget(m_paneBrowser);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);

    // Created in this order so that the buttons and the list lie above the tab control.
    m_tabLists = new QTabWidget(m_paneMatches);
    m_tabLists->setObjectName(QStringLiteral("tabLists"));
    m_tabLists->setGeometry(units.Rect(15, 21, 138, 78));

    m_btnResult = new QPushButton(kModifyResult, m_paneMatches);
    m_btnResult->setObjectName(QStringLiteral("btnResult"));
    QRect result = units.Rect(171, 39, 126, 14);
    // Large fonts must not cut the longer of the two captions.
    const QFontMetrics metrics(m_btnResult->font());
    result.setWidth(qMax(result.width(), metrics.horizontalAdvance(kModifyResult) + 16));
    m_btnResult->setGeometry(result);

    m_btnDelete = new QPushButton(QStringLiteral("Удалить результат матча"), m_paneMatches);
    m_btnDelete->setObjectName(QStringLiteral("btnDelete"));
    m_btnDelete->setGeometry(units.Rect(171, 57, 126, 14));

    m_listMatches = new QListWidget(m_paneMatches);
    m_listMatches->setObjectName(QStringLiteral("listMatches"));
    m_listMatches->setSelectionMode(QAbstractItemView::SingleSelection);
    // Sorted by FillMatchList itself, as the other sorted lists of the program are.
    m_listMatches->setUniformItemSizes(true);
    // A line too long for the pane loses part of its names, never its score: the start
    // (round, board) and the end (the result) stay in view.
    m_listMatches->setTextElideMode(Qt::ElideMiddle);
    m_listMatches->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listMatches->setResizeMode(QListView::Adjust);
    m_listMatches->setItemDelegate(new MatchLineDelegate(m_listMatches));
    m_listMatches->setGeometry(units.Rect(171, 74, 126, 72));
    m_listMatches->viewport()->installEventFilter(this);

    m_staticTitle = new QLabel(QStringLiteral("М а т ч и"), m_paneMatches);
    m_staticTitle->setObjectName(QStringLiteral("staticTitle"));
    m_staticTitle->setAlignment(Qt::AlignCenter);
    m_staticTitle->setGeometry(units.Rect(12, 0, 120, 12));

    if (m_tabLists->width() < m_btnResult->width() + 14)
        m_tabLists->resize(m_btnResult->width() + 14, m_tabLists->height());

    connect(m_btnResult, &QPushButton::clicked, this, &CVelmoraView::OnMatchResult);
    connect(m_btnDelete, &QPushButton::clicked, this, &CVelmoraView::OnDeleteMatchResult);
    connect(m_splitter, &QSplitter::splitterMoved, this, &CVelmoraView::OnSplitterMoved);
}

void CVelmoraView::OnInitialUpdate() {
    if (m_bInitialized)
        return;
    m_wndBrowser = new CWebBrowser(m_paneBrowser);
    m_paneBrowser->layout()->addWidget(m_wndBrowser);
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

    // The layout rules' window: the browser began 7 pixels right of the tab control.
    m_nButtonMargin = m_tabLists->width() - m_btnResult->width();
    m_nDefaultPaneWidth = m_tabLists->width() + 7 - m_splitter->handleWidth();
    m_paneMatches->setMinimumWidth(m_nDefaultPaneWidth);
    m_paneBrowser->setMinimumWidth(120);
    const int remembered = Profile::MatchPaneWidth();
    m_nPaneWidth = remembered > 0 ? qMax(remembered, m_nDefaultPaneWidth) : m_nDefaultPaneWidth;

    if (m_pDocument && parentWidget()) {
        parentWidget()->setWindowTitle(m_pDocument->GetTitle() + QStringLiteral("[*]"));
        parentWidget()->setWindowModified(m_pDocument->IsModified());
    }
    m_bInitialized = true;
    ApplyPaneWidth();
    ApplyTabState();
}

void CVelmoraView::ApplyPaneWidth() {
    if (!m_bInitialized)
        return;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    const int left = qMax(m_nDefaultPaneWidth, qMin(m_nPaneWidth, total - 120));
    const QSignalBlocker blocker(m_splitter);
    m_splitter->setSizes({left, qMax(0, total - left)});
}

void CVelmoraView::OnSplitterMoved() {
    // The user's width holds for this window and every tournament window after it.
    m_nPaneWidth = m_paneMatches->width();
    Profile::SetMatchPaneWidth(m_nPaneWidth);
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
    // Inside the match pane, whose width is the user's: the tab control fills it, and the
    // buttons and the list keep the template's margin inside the tab control.
    const int ch = m_paneMatches->height();
    const int tw = qMax(m_nDefaultPaneWidth, m_paneMatches->width()) + m_splitter->handleWidth() - 7;
    const int w = qMax(0, tw - m_nButtonMargin);
    const int h = m_btnResult->height();
    m_tabLists->setGeometry(5, 20, tw, qMax(0, ch - 22));
    m_btnResult->setGeometry(12, 50, w, h);
    if (GetSelectedTab() != Nearest) {
        m_btnDelete->setGeometry(12, h + 53, w, h);
        m_listMatches->setGeometry(12, 2 * h + 58, w, qMax(0, ch - 2 * h - 69));
    } else {
        m_listMatches->setGeometry(12, h + 55, w, qMax(0, ch - h - 66));
    }
}

void CVelmoraView::FillMatchList() {
    if (!m_pDocument || !m_pDocument->m_pEntries)
        return;
    const SystemEntryTable& entries = *m_pDocument->m_pEntries;
    const VelmoraTournament tournament = m_pDocument->GetTournament();
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
            // The nearest and current matches in natural order ("2 тур" before "10 тур"), like
            // the program's other sorted lists; equal lines keep the plug-in's order. Sorted
            // once, not at every insertion. The last matches stay in the plug-in's order: only
            // the system knows which came latest (a final after its semi-finals, the last round
            // first), and no sort of the lines' text can tell.
            QStringList texts = buffers.Texts();
            std::vector<int> order(static_cast<size_t>(n));
            std::iota(order.begin(), order.end(), 0);
            if (tab != Last)
                std::stable_sort(order.begin(), order.end(), [&texts](int a, int b) {
                    return NaturalLess(texts[a], texts[b]);
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
        } else if (buffers.Count() == 0) {
            // More lines than the host takes: one line says so, rather than an empty list
            // that looks like no matches at all. It stands for no match.
            auto* item = new QListWidgetItem(TooLongListText(n));
            item->setData(Qt::UserRole, -1);
            item->setFlags(Qt::ItemIsEnabled);
            m_listMatches->addItem(item);
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
    m_splitter->setGeometry(rect());
    ApplyPaneWidth();
    LayoutControls();
    QWidget::resizeEvent(event);
}

bool CVelmoraView::eventFilter(QObject* watched, QEvent* event) {
    // A double click anywhere in the list, not only on a row, acts on the selected match.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_listMatches->viewport()) {
        OnMatchResult();
        return true;
    }
    if (event->type() == QEvent::Resize && watched == m_paneMatches)
        LayoutControls();
    return QWidget::eventFilter(watched, event);
}
