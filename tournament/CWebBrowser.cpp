#include "CWebBrowser.h"

#include "core/Prompts.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
enum class EngineChoice { Default, On, Off };
EngineChoice g_engine = EngineChoice::Default;
} // namespace

void CWebBrowser::UseWebEngine(bool on) {
    g_engine = on ? EngineChoice::On : EngineChoice::Off;
}

bool CWebBrowser::WebEngineUsed() {
    if (g_engine == EngineChoice::Default)
        return !Prompts::TestMode();
    return g_engine == EngineChoice::On;
}

CWebBrowser::CWebBrowser(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("browser"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!WebEngineUsed())
        return;
    // The page and the skin's files are rewritten in place under the same names; nothing of
    // them may be served from a cache.
    QWebEngineProfile::defaultProfile()->setHttpCacheType(QWebEngineProfile::NoCache);
    m_pEngine = new QWebEngineView(this);
    m_pEngine->setObjectName(QStringLiteral("browserEngine"));
    layout->addWidget(m_pEngine);
}

void CWebBrowser::Navigate(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    m_strLocation = path;
    ++m_nNavigations;
    if (m_pEngine) {
        // A plain load of the URL already shown may keep the old page or its style sheet;
        // a reload that bypasses the cache reads both from disk again.
        if (m_pEngine->url() == url)
            m_pEngine->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
        else
            m_pEngine->load(url);
    }
    emit navigated(path);
}
