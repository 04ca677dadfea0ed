// WebBrowserWindow: the shared browser window with its toolbar 工具条1 (首页, 后退, 前进, 关闭).
#pragma once

#include <QDialog>

class QToolBar;

namespace orvane {

class BrowserView;

class WebBrowserWindow : public QDialog {
    Q_OBJECT
public:
    // Shows `startPage` (its 首页 too); deletes itself when closed.
    explicit WebBrowserWindow(QByteArray startPage, QWidget* parent = nullptr);
    const QByteArray& startPage() const { return startPage_; }
    // The toolbar's buttons in their order.
    enum class ToolbarButton { Home, Back, Forward, Close };
    // Toolbar button i (a ToolbarButton); any other index does nothing.
    void OnToolbarClick(int index);
    BrowserView* browser() const { return browser_; }
    QToolBar* toolbar() const { return toolbar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplySizeRule();

    const QByteArray startPage_;
    QToolBar* toolbar_;
    BrowserView* browser_;
};

} // namespace orvane
