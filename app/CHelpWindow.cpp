#include "CHelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QMainWindow(parent), m_pBrowser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Справка Velmora"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/velmora-32.png")));
    m_pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    m_pBrowser->setOpenExternalLinks(true);
    setCentralWidget(m_pBrowser);

    QToolBar* bar = addToolBar(QStringLiteral("Справка"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("Назад"), m_pBrowser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                      QStringLiteral("Вперёд"), m_pBrowser, &QTextBrowser::forward);
    bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Содержание"),
                   m_pBrowser, &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_pBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Справка Velmora") : title);
    });
    resize(800, 600);
}

bool CHelpWindow::ShowTopic(const QString& helpSet, const QString& topic) {
    const QString page = QDir(helpSet).absoluteFilePath(topic);
    if (!QFileInfo(page).isFile())
        return false;
    m_pBrowser->setSearchPaths({helpSet});
    m_pBrowser->setSource(QUrl::fromLocalFile(page));
    return true;
}
