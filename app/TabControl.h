// 高级选择夹1: a tab control whose pages place their controls in the control's own coordinates
// (the tab row included), so page layouts keep the positions they were designed with.
#pragma once

#include <QWidget>

class QTabBar;
class QStackedWidget;

namespace orvane {

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);
    // A new empty page of the control's full size; children are placed with setGeometry.
    QWidget* addPage(const QString& title);
    QWidget* page(int index) const;
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return bar_; }

signals:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
    QWidget* pane_;
    QStackedWidget* stack_;
};

} // namespace orvane
