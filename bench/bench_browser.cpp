// The browser's cost: the process's RSS before any page (engine not loaded), after loading the module and
// after the first page, and the browser window's time to its first page from a loopback server.
#include "app/ExtrasPage.h"
#include "bench/Probe.h"
#include "net/BrowserModule.h"
#include "net/BrowserView.h"
#include "net/WeatherPanel.h"
#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"
#include "platform/Clock.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>

namespace {

using orvane::bench::report;
using orvane::bench::rssKb;
using orvane::bench::wallNs;

// Shared objects of the browser engine mapped into this process (0 until the module is loaded).
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

// RSS of every process below this one (the engine's own processes), in kB.
qint64 childrenRssKb(const QString& pid) {
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
                    if (line.startsWith("VmRSS:"))
                        total += line.mid(6).trimmed().split(' ').value(0).toLongLong();
            total += childrenRssKb(QString::fromLatin1(child));
        }
    }
    return total;
}

// Runs events until `view` has loaded a page; the milliseconds it took, or -1 after 60 s.
double waitForPage(orvane::BrowserView* view, qint64 startNs) {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(view, &orvane::BrowserView::loaded, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return ok ? double(wallNs() - startNs) / 1e6 : -1;
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    // As the program starts: no Qt::AA_ShareOpenGLContexts (the module makes the shared context itself).
    QApplication app(argc, argv);
    orvane::test::LoopbackHttpServer server;
    server.setHandler([](const QByteArray& request) {
        const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
        return orvane::test::LoopbackHttpServer::ok("<html><body><h1>" + path + "</h1></body></html>");
    });

    // The browser's parts of the main window: the "扩展功能" page and the weather panel, no page shown.
    orvane::WebShortcuts sites = orvane::WebShortcuts::standard();
    orvane::SystemClock clock;
    QWidget window;
    window.setFixedSize(530, 259);
    auto* page = new QWidget(&window);
    page->setGeometry(149, 9, 373, 245);
    orvane::ExtrasPage extras(page, sites, clock, [](QDialog* d) { d->show(); });
    orvane::WeatherPanel panel(&window, server.url("/weather"));
    window.show();
    settle(1000);
    report("engine_libraries_before", engineLibrariesMapped());
    report("rss_before_kb", double(rssKb()));

    qint64 t = wallNs();
    if (orvane::browserModule::factory() == nullptr) {
        std::fprintf(stderr, "bench_browser: %s\n", qPrintable(orvane::browserModule::lastError()));
        return 1;
    }
    report("module_load_ms", double(wallNs() - t) / 1e6);
    report("engine_libraries_after_load", engineLibrariesMapped());
    report("rss_module_kb", double(rssKb()));

    for (int round = 1; round <= 3; ++round) {
        t = wallNs();
        auto* browser =
            new orvane::WebBrowserWindow(server.url("/page" + QByteArray::number(round)), &window);
        browser->show();
        const double ms = waitForPage(browser->browser(), t);
        if (ms < 0) {
            std::fprintf(stderr, "bench_browser: no page in round %d\n", round);
            return 1;
        }
        report(round == 1 ? "first_page_ms" : "next_window_page_ms", ms);
        if (round == 1) {
            settle(1000);
            report("rss_page_kb", double(rssKb()));
            report("engine_processes_rss_kb", double(childrenRssKb(QStringLiteral("self"))));
        }
        browser->close();
        settle(200);
    }
    return 0;
}
