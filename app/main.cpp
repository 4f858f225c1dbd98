#include "app/CVelmoraApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CVelmoraApp velmora;
    if (!velmora.InitInstance(app.arguments().mid(1)))
        return 0;
    return app.exec();
}
