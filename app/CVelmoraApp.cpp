#include "CVelmoraApp.h"

#include "app/CDocTemplate.h"
#include "app/CMainFrame.h"
#include "systems/PathHelpers.h"
#include "systems/SystemCatalogue.h"

namespace {
CVelmoraApp* g_app = nullptr;
}

CVelmoraApp* theApp() {
    return g_app;
}

CVelmoraApp::CVelmoraApp(QObject* parent) : QObject(parent) {
    g_app = this;
}

CVelmoraApp::~CVelmoraApp() {
    delete m_pMainFrame;
    delete m_pCatalogue;
    if (g_app == this)
        g_app = nullptr;
}

bool CVelmoraApp::InitInstance(const QStringList& arguments) {
    Q_UNUSED(arguments)
    m_pDocTemplate = std::make_unique<CDocTemplate>();
    m_pMainFrame = new CMainFrame;
    m_strProgramFolder = GetCurrentFolder();
    m_strHelpPath = m_strProgramFolder + QStringLiteral("/help/index.htm");
    m_pCatalogue = new SystemCatalogue(m_strProgramFolder);
    m_pMainFrame->showMaximized();
    return true;
}

void CVelmoraApp::ShowProgressText(const QString& text) {
    if (m_pMainFrame)
        m_pMainFrame->SetMessageText(text);
}

void CVelmoraApp::ShowHelp() {}

CMainFrame* CVelmoraApp::GetMainFrame() const {
    return m_pMainFrame;
}

CDocTemplate* CVelmoraApp::GetDocTemplate() const {
    return m_pDocTemplate.get();
}

void CVelmoraApp::AddToRecentFileList(const QString& path) {
    Q_UNUSED(path)
}

void CVelmoraApp::OnAppAbout() {}
