#include "systems/SystemCatalogue.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SystemCatalogue catalogue(QDir::currentPath());
    return 0;
}
