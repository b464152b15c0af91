#include "user_gesture.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
// Long enough for the page to turn a click into a navigation, short enough that a later
// script cannot ride on it.
constexpr qint64 kGestureMs = 1000;
}  // namespace

UserGesture::UserGesture(QWidget* view) : QObject(view) { watch(view); }

void UserGesture::watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType()) watch(child);
    }
}

bool UserGesture::take() {
    if (!last_.isValid() || last_.elapsed() > kGestureMs) return false;
    last_.invalidate();
    return true;
}

bool UserGesture::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ChildAdded: {
            // The web engine makes the widget that takes input when the page first shows.
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType()) watch(child);
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) last_.start();
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) last_.start();
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
