// The yardstick: a bare Qt window of the main window's size with a six-page tab control and a report list.
#include "bench/Probe.h"

#include <QApplication>
#include <QTabWidget>
#include <QTreeWidget>

int main(int argc, char** argv) {
    const qint64 entered = orvane::bench::wallNs();
    const orvane::bench::Options options = orvane::bench::parseOptions(argc, argv);
    QApplication app(argc, argv);
    orvane::bench::StartProbe probe(options, entered);

    // The same captions as the real window, so both programs load the same fonts.
    QWidget window;
    window.setWindowTitle(QStringLiteral(" Orvane电脑闹钟 V1.5"));
    window.setGeometry(50, 50, 530, 259);
    window.setFixedSize(530, 259);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(149, 9, 373, 245);
    for (const char* title : {"我的闹钟", "日记本", "软件设置", "扩展功能", "留言", "关于"})
        tabs->addTab(new QWidget, QString::fromUtf8(title));
    auto* list = new QTreeWidget(tabs->widget(0));
    list->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("闹钟时间"),
                           QStringLiteral("闹钟事件(双击修改)"), QStringLiteral("工作日期")});
    list->setRootIsDecorated(false);
    list->setGeometry(3, 3, 363, 189);

    probe.mark("window_ms");
    window.show();
    probe.mark("show_ms");
    probe.watch(&window);
    return app.exec();
}
