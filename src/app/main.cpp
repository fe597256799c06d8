// Orvanta: the camera set-up wizard. Takes nothing on its command line.
#include <QApplication>

#include <clocale>

#include "app/OrvantaApp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Text from cameras and template files is in the locale's code page.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setQuitOnLastWindowClosed(false);
    orv::COrvantaApp program;
    return program.InitInstance();
}
