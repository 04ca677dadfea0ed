// Keeps the user's input from a window of the program while a window of the browser helper stands over
// it, as a modal window of the program itself would.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace orvane {

class InputBlock : public QObject {
    Q_OBJECT
public:
    // From now until this object goes, `window` and its controls take no mouse or keyboard input.
    explicit InputBlock(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
};

} // namespace orvane
