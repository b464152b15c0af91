#pragma once
// What the user really did in the browser, seen by the program itself. Qt 6.4 reports a script's
// `location.href = url` and `a.click()` as link clicks, and nothing the page says about a click
// can be trusted (its script could say it too), so a web link opens in the user's browser only
// right after the program saw a mouse button or Enter go to the view.

#include <QElapsedTimer>
#include <QObject>

class QWidget;

class UserGesture final : public QObject {
    Q_OBJECT
public:
    // Watches `view` and every widget the web engine puts inside it to take the input.
    explicit UserGesture(QWidget* view);

    // True once for each click or Enter of the last second: one gesture opens one address.
    bool take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QElapsedTimer last_;
};
