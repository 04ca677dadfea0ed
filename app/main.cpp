// Program entry: the real services, the main window, its start-up and the event loop.
#include "app/MainWindow.h"
#include "app/RealServices.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-clock"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane电脑闹钟"));
    orvaneInitResources();

    orvane::RealServices real(orvane::Paths::standard());
    orvane::MainWindow window(real.services());
    real.setParentWindow(&window);
    // Both fatal start-up failures end the program with exit code 0 after their message.
    if (!window.StartUp())
        return 0;
    window.show();
    window.startTicking();
    return app.exec();
}
