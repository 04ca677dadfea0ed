// Starting, talking to and ending the browser helper; a helper that dies closes its pages, nothing more.
#include "net/BrowserHelper.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace orvane {

namespace {
using namespace browserProtocol;

// A helper asked to end (its input closed) that has not ended by then is killed.
constexpr int endGraceMs = 5000;
} // namespace

BrowserHelper::BrowserHelper(QObject* parent) : QObject(parent), program_(defaultProgram()) {}

// The program is ending: its helpers end with it, without waiting for their pages.
BrowserHelper::~BrowserHelper() {
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
    }
}

QString BrowserHelper::defaultProgram() {
    const QString bin = QCoreApplication::applicationDirPath();
    const QString installed =
        QDir::cleanPath(bin + QStringLiteral("/../" ORVANE_BROWSER_INSTALL_SUBDIR "/orvane-browser"));
    if (QFileInfo::exists(installed))
        return installed;
    // Any program of a build folder (tests and benchmarks at any depth) finds the helper of that build.
    // The folder is recognised by its CMakeCache.txt rather than written into the program, so an installed
    // program carries no path of the machine it was built on.
    for (QDir dir(bin);;) {
        if (dir.exists(QStringLiteral("CMakeCache.txt")))
            return QDir::cleanPath(
                dir.filePath(QStringLiteral(ORVANE_BROWSER_BUILD_SUBDIR "/orvane-browser")));
        if (!dir.cdUp())
            return installed;
    }
}

int BrowserHelper::open(PageKind kind, const QByteArray& address, quint64 window, QSize size) {
    const int page = ++lastPage_;
    pages_.insert(page);
    if (process_ == nullptr)
        start(); // a helper that cannot start closes the page again
    QByteArrayList command{"open", QByteArray::number(page), kindName(kind), address,
                           QByteArray::number(window)};
    if (size.isValid())
        command << QByteArray::number(size.width()) << QByteArray::number(size.height());
    send(command);
    return page;
}

void BrowserHelper::navigate(int page, const QByteArray& address) {
    if (isOpen(page))
        send({"navigate", QByteArray::number(page), address});
}

void BrowserHelper::place(int page, QPoint topLeft) {
    if (isOpen(page))
        send({"place", QByteArray::number(page), QByteArray::number(topLeft.x()),
              QByteArray::number(topLeft.y())});
}

void BrowserHelper::close(int page) {
    if (!pages_.remove(page))
        return;
    send({"close", QByteArray::number(page)});
    emit closed(page);
    if (pages_.isEmpty())
        letHelperEnd();
}

qint64 BrowserHelper::processId() const {
    return process_ != nullptr ? process_->processId() : 0;
}

void BrowserHelper::send(const QByteArrayList& fields) {
    // QProcess keeps what is written before the helper runs and writes it once it does; a helper that
    // died takes nothing, and the write raises no SIGPIPE.
    if (process_ != nullptr)
        process_->write(encode(fields));
}

void BrowserHelper::start() {
    auto* process = new QProcess(this);
    process_ = process;
    showedPage_ = false;
    process->setProgram(program_);
    // The helper's messages go where the program's own go (the terminal or the journal).
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] { readEvents(process); });
    connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus status) {
        helperEnded(process, status == QProcess::CrashExit ? QStringLiteral("was killed or crashed")
                                                           : QStringLiteral("ended with code %1").arg(code));
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            helperEnded(process, process->errorString());
    });
    process->start();
    if (!styleSheet_.isEmpty())
        send({"style", styleSheet_.toUtf8()});
}

void BrowserHelper::readEvents(QProcess* process) {
    while (process->canReadLine()) {
        QByteArray line = process->readLine();
        line.chop(1);
        if (process == process_) // a helper on its way out has no pages any more
            handleEvent(decode(line));
    }
}

void BrowserHelper::handleEvent(const QByteArrayList& event) {
    const int page = event.value(1).toInt();
    if (!isOpen(page))
        return; // closed here before the helper heard of it
    const QByteArray& name = event.first();
    if (name == "shown" && event.size() == 4) {
        showedPage_ = true;
        emit shown(page, QSize(event[2].toInt(), event[3].toInt()));
    } else if (name == "loaded" && event.size() == 4) {
        emit loaded(page, event[2] == "1", QUrl::fromEncoded(event[3]));
    } else if (name == "closed") {
        pages_.remove(page);
        emit closed(page);
        if (pages_.isEmpty())
            letHelperEnd();
    }
}

void BrowserHelper::helperEnded(QProcess* process, const QString& how) {
    process->deleteLater();
    if (process != process_)
        return; // asked to end, and it did
    // A helper that cannot run (missing, or missing the engine's libraries) never shows a page; one that
    // was killed or crashed later only takes its pages with it.
    const bool neverRan = process->error() == QProcess::FailedToStart || !showedPage_;
    process_ = nullptr;
    const QSet<int> lost = std::exchange(pages_, {});
    if (!lost.isEmpty())
        qCWarning(lcUi).noquote() << "browser helper" << program_ << how << "with" << lost.size()
                                  << "page(s) open";
    for (int page : lost)
        emit closed(page);
    if (neverRan && !lost.isEmpty())
        emit unavailable(how);
}

// The last page has closed: the helper ends when its input ends, and a new page starts a new helper.
void BrowserHelper::letHelperEnd() {
    QProcess* process = std::exchange(process_, nullptr);
    if (process == nullptr)
        return;
    process->closeWriteChannel();
    QTimer::singleShot(endGraceMs, process, [process] {
        qCWarning(lcUi) << "browser helper did not end when asked; killing it";
        process->kill();
    });
}

} // namespace orvane
