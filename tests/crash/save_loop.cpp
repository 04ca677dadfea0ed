// The program the kill loop kills: saves through the program's store code and prints each save that
// succeeded. "crash_save_loop DIR [ROUNDS]" saves (until killed when ROUNDS is absent);
// "crash_save_loop DIR --check LOG" checks DIR against the lines of LOG.
#include "SaveLoop.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// One write(2) per line, made at once: the kill can only come before or after the whole line.
void report(const QByteArray& line) {
    const QByteArray whole = line + '\n';
    std::fwrite(whole.constData(), 1, size_t(whole.size()), stdout);
    std::fflush(stdout);
}

int check(const orvane::Paths& paths, const QString& logFile) {
    QFile log(logFile);
    if (!log.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "crash_save_loop: cannot read %s\n", qPrintable(logFile));
        return 2;
    }
    const orvane::crash::Reported reported = orvane::crash::readReported(log.readAll());
    const QStringList problems = orvane::crash::checkStore(paths, reported);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
    std::printf("alarms=%lld diary=%lld ini=%lld registry=%lld leftovers=%d problems=%lld\n",
                qint64(reported.alarms.size()), qint64(reported.diary.size()), reported.counter,
                reported.registry, orvane::crash::leftoverFiles(paths), qint64(problems.size()));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: crash_save_loop DIR [ROUNDS] | crash_save_loop DIR --check LOG\n");
        return 2;
    }
    const orvane::Paths paths = orvane::Paths::under(args.at(1));
    if (args.size() == 4 && args.at(2) == QStringLiteral("--check"))
        return check(paths, args.at(3));

    const int rounds = args.size() > 2 ? args.at(2).toInt() : -1;
    orvane::Database db;
    const qint64 run = orvane::crash::openStore(paths, db);
    if (run == 0) {
        std::fprintf(stderr, "crash_save_loop: the store does not open: %s\n", qPrintable(db.lastError()));
        return 1;
    }
    if (!orvane::crash::saveLoop(paths, db, run, rounds, report)) {
        std::fprintf(stderr, "crash_save_loop: a save failed: %s\n", qPrintable(db.lastError()));
        return 1;
    }
    return 0;
}
