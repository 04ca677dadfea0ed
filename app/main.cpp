// Program entry: the real services, the main window, its start-up and the event loop.
#include "app/MainWindow.h"
#include "platform/QtDialogs.h"
#include "platform/SdlSoundPlayer.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-clock"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane电脑闹钟"));
    orvaneInitResources();

    orvane::SystemClock clock;
    orvane::QtDialogs dialogs(nullptr);
    orvane::SdlSoundPlayer sound;
    orvane::Services services;
    services.paths = orvane::Paths::standard();
    services.paths.makeFolders();
    orvane::Registry registry(services.paths);
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.registry = &registry;
    services.sound = &sound;

    orvane::MainWindow window(services);
    dialogs.setParentWidget(&window);
    // Both fatal start-up failures end the program with exit code 0 after their message.
    if (!window.StartUp())
        return 0;
    window.show();
    window.startTicking();
    return app.exec();
}
