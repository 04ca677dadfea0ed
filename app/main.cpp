// Program entry: the real services, the main window, its start-up and the event loop.
#include "app/ApplicationSetup.h"
#include "app/FontWarmUp.h"
#include "app/MainWindow.h"
#include "app/RealServices.h"
#include "app/SingleInstance.h"
#include "cli/CommandChannel.h"
#include "cli/CommandMain.h"
#include "common/Log.h"
#include "platform/WindowActivation.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    // A command (--list, --add …) runs without a window and ends.
    if (const std::optional<int> code = orvane::runCommandLine(argc, argv))
        return *code;
    orvane::showUserMessagesOnly(); // before Qt's start, which has its own remarks
    orvane::FontWarmUp fonts;       // first: it runs beside Qt's own start
    QApplication app(argc, argv);
    orvane::setUpApplication();
    orvaneInitResources();

    // A second start only brings the running window to the front: two schedulers would ring every
    // alarm twice and write the same database at once.
    orvane::SingleInstance instance(orvane::SingleInstance::defaultFolder());
    if (!instance.claim())
        return 0;

    fonts.wait(); // ready before the first control measures a text
    orvane::RealServices real(orvane::Paths::standard());
    orvane::MainWindow window(real.services());
    real.setParentWindow(&window);
    // Both fatal start-up failures end the program with exit code 0 after their message.
    if (!window.StartUp())
        return 0;
    // The command line hands its commands to this program's engine, so the lists follow at once.
    instance.setCommandHandler([&window, &real](const QByteArray& request) {
        const orvane::Services& services = real.services();
        return orvane::answerRequest(request, window.engine(), *services.registry, *services.clock);
    });
    window.show();
    window.startTicking();
    QObject::connect(&instance, &orvane::SingleInstance::activationRequested, &window,
                     [&window](const QByteArray& token) {
                         window.showNormal();
                         window.raise();
                         orvane::activateWithToken(window, token);
                     });
    return app.exec();
}
