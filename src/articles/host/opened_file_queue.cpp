#include "opened_file_queue.h"

OpenedFileQueue& OpenedFileQueue::instance() {
    static OpenedFileQueue queue;
    return queue;
}

void OpenedFileQueue::add(const QStringList& paths) {
    if (paths.isEmpty()) return;
    paths_ += paths;
    Q_EMIT arrived();
}

QString OpenedFileQueue::take() { return paths_.isEmpty() ? QString() : paths_.takeFirst(); }
