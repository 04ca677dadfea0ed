// The real program's start (as app/main.cpp does it) under a given data folder, with the start probe.
#include "alarm/AlarmPage.h"
#include "app/AppDatabase.h"
#include "app/ApplicationSetup.h"
#include "app/FontWarmUp.h"
#include "app/MainWindow.h"
#include "app/RealServices.h"
#include "app/SingleInstance.h"
#include "bench/Probe.h"
#include "bench/SeedAlarms.h"
#include "resources/resources.h"

#include <QApplication>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Helper mode: adds alarms to the database an earlier run of this program created.
int seed(const orvane::Paths& paths, int count) {
    orvane::Database db;
    const QString file = paths.windowsFile(QStringLiteral("dbtime.mdb"));
    if (!orvane::ensureDatabaseFile(file) ||
        orvane::openAlarmDatabase(db, file) != orvane::DatabaseOpen::Opened ||
        !orvane::bench::seedAlarms(db, count)) {
        std::fprintf(stderr, "cannot seed %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const qint64 entered = orvane::bench::wallNs();
    const orvane::bench::Options options = orvane::bench::parseOptions(argc, argv);
    if (options.data.isEmpty()) {
        std::fprintf(stderr, "bench_startup: --data DIR is required\n");
        return 2;
    }
    if (options.seed > 0) {
        const orvane::Paths paths = orvane::Paths::under(options.data);
        paths.makeFolders();
        return seed(paths, options.seed);
    }

    // From here on the same steps as the program's main(), with the data folder as the only change.
    orvane::FontWarmUp fonts;
    QApplication app(argc, argv);
    orvane::setUpApplication();
    orvaneInitResources();
    orvane::bench::StartProbe probe(options, entered);

    // The program's single-instance lock, kept beside the data so that runs never meet a real instance.
    orvane::SingleInstance instance(options.data + QStringLiteral("/run"));
    if (!instance.claim()) {
        std::fprintf(stderr, "bench_startup: another run holds %s/run\n", qPrintable(options.data));
        return 1;
    }

    fonts.wait();
    orvane::RealServices real(orvane::Paths::under(options.data));
    orvane::MainWindow window(real.services());
    probe.mark("window_ms");
    real.setParentWindow(&window);
    if (!window.StartUp()) {
        std::fprintf(stderr, "bench_startup: start-up failed\n");
        return 1;
    }
    probe.mark("started_ms");
    orvane::bench::report("alarms_listed", window.alarmPage()->lists().shown->topLevelItemCount());
    window.show();
    probe.mark("show_ms");
    window.startTicking();
    probe.watch(&window);
    return app.exec();
}
