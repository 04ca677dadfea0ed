// The browser's cost to the program: the memory of the program and every process below it before the
// first page, with a browser window open and 10 s after it closed; the time from the click to the first
// page (the helper starts with it) and to a second window's page; the weather panel inside the window and
// as a window of its own.
#include "app/ExtrasPage.h"
#include "bench/Probe.h"
#include "net/BrowserHelper.h"
#include "net/RemoteBrowser.h"
#include "net/WeatherPanel.h"
#include "net/WebShortcuts.h"
#include "platform/Clock.h"
#include "platform/QtDialogs.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

using orvane::BrowserHelper;
using orvane::bench::report;
using orvane::bench::rssKb;
using orvane::bench::wallNs;

// Shared objects of the browser engine mapped into this process: none, ever.
int engineLibrariesMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> libraries;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains("libQt6WebEngine"))
            libraries.insert(line.mid(line.lastIndexOf(' ') + 1));
    return int(libraries.size());
}

// RSS of every process below `pid` (the helper and the engine's processes), in kB; `count` adds them up.
qint64 childrenRssKb(const QString& pid, int& count) {
    qint64 total = 0;
    for (const QString& task : QDir(QStringLiteral("/proc/") + pid + QStringLiteral("/task"))
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(pid, task));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : children.readAll().simplified().split(' ')) {
            if (child.isEmpty())
                continue;
            QFile status(QStringLiteral("/proc/") + QString::fromLatin1(child) + QStringLiteral("/status"));
            if (status.open(QIODevice::ReadOnly))
                for (const QByteArray& line : status.readAll().split('\n'))
                    if (line.startsWith("VmRSS:")) {
                        total += line.mid(6).trimmed().split(' ').value(0).toLongLong();
                        ++count;
                    }
            total += childrenRssKb(QString::fromLatin1(child), count);
        }
    }
    return total;
}

void reportAs(const QByteArray& key, double value) {
    report(key.constData(), value);
}

// The program and all its helpers: "<key>_kb" and "<key>_processes".
void reportTree(const QByteArray& key) {
    int processes = 1;
    const qint64 kb = rssKb() + childrenRssKb(QStringLiteral("self"), processes);
    reportAs(key + "_kb", double(kb));
    reportAs(key + "_processes", processes);
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs events until `done` holds; the milliseconds since `startNs`, or -1 after 60 s.
double waitFor(const std::function<bool()>& done, qint64 startNs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return done() ? double(wallNs() - startNs) / 1e6 : -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::test::LoopbackHttpServer server;
    server.setHandler([](const QByteArray& request) {
        const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
        return orvane::test::LoopbackHttpServer::ok("<html><body><h1>" + path + "</h1></body></html>");
    });

    // The browser's parts of the main window: the "扩展功能" page and the weather panel, no page shown.
    orvane::WebShortcuts sites = orvane::WebShortcuts::standard();
    sites.onlineTv = server.url("/tv");
    sites.speedTest = server.url("/speed");
    orvane::SystemClock clock;
    QWidget window;
    window.setFixedSize(530, 259);
    auto* page = new QWidget(&window);
    page->setGeometry(149, 9, 373, 245);
    orvane::QtDialogs dialogs;
    orvane::RemoteBrowser browsers(dialogs);
    BrowserHelper& helper = browsers.helper();
    orvane::ExtrasPage extras(page, sites, clock, browsers);
    window.show();
    settle(1000);
    report("engine_libraries_before", engineLibrariesMapped());
    reportTree("before");

    QList<int> loaded;
    QObject::connect(&helper, &BrowserHelper::loaded, &app, [&](int p, bool ok) {
        if (ok)
            loaded.append(p);
    });
    // 在线电视, as a user opens it: the helper starts with the click.
    qint64 t = wallNs();
    extras.button(10)->click();
    double ms = waitFor([&] { return loaded.size() == 1; }, t);
    if (ms < 0) {
        std::fprintf(stderr, "bench_browser: no first page\n");
        return 1;
    }
    report("first_page_ms", ms);
    settle(3000);
    reportTree("open");
    report("engine_libraries_open", engineLibrariesMapped());
    // 网速测试 in a second window while the first is open: the helper runs already.
    t = wallNs();
    extras.button(9)->click();
    report("next_window_page_ms", waitFor([&] { return loaded.size() == 2; }, t));
    reportTree("two_open");
    for (int p : loaded)
        helper.close(p);
    settle(10000);
    reportTree("after_close");

    // The weather panel, inside the window (X11) and as a window of its own, each opened and closed.
    for (const auto place : {orvane::WeatherPanel::Place::InWindow, orvane::WeatherPanel::Place::OwnWindow}) {
        const QByteArray key =
            place == orvane::WeatherPanel::Place::InWindow ? "panel_in_window" : "panel_own_window";
        orvane::WeatherPanel panel(&window, server.url("/weather"), helper, place);
        bool shown = false;
        auto connection = QObject::connect(&helper, &BrowserHelper::shown, &app, [&] { shown = true; });
        loaded.clear();
        t = wallNs();
        panel.ShowWeatherPanel();
        const double pageMs = waitFor([&] { return loaded.size() == 1; }, t);
        reportAs(key + "_page_ms", pageMs);
        reportAs(key + "_shown", shown ? 1 : 0);
        settle(2000);
        reportTree(key);
        panel.HideWeatherPanel();
        QObject::disconnect(connection);
        window.setFixedSize(530, 259);
        waitFor([&] { return helper.processId() == 0; }, wallNs());
        settle(3000);
        for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (control != page)
                delete control;
    }
    report("engine_libraries_after", engineLibrariesMapped());
    return 0;
}
