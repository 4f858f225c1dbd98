#include "app/CVelmoraApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    CVelmoraApp::PrepareProcess();
    QApplication app(argc, argv);
    int result = 0;
    {
        CVelmoraApp velmora;
        // For the start-up benchmark: report once the main window is on the screen, then end.
        velmora.m_bReportStartup = qEnvironmentVariableIsSet("VELMORA_REPORT_STARTUP");
        if (!velmora.InitInstance(app.arguments().mid(1)))
            return 0;
        result = app.exec();
        velmora.ExitInstance();
    }
    return result;
}
