// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "study_runner.h"

#include <QtConcurrent/QtConcurrentRun>

namespace planewall {

StudyRunner::StudyRunner(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<Study>::finished, this, &StudyRunner::ended);
}

StudyRunner::~StudyRunner()
{
    // A study cannot be stopped midway; it ends within milliseconds.
    m_watcher.waitForFinished();
}

void StudyRunner::request(const ExplorerFields &fields, std::shared_ptr<const Readings> readings)
{
    Request next{fields, std::move(readings)};
    if (isBusy()) {
        m_pending = std::move(next);
        return;
    }
    start(std::move(next));
}

bool StudyRunner::isBusy() const
{
    return m_watcher.isRunning();
}

void StudyRunner::start(Request request)
{
    m_watcher.setFuture(QtConcurrent::run([request = std::move(request)] {
        return studyFromFields(request.fields, request.readings.get());
    }));
}

void StudyRunner::ended()
{
    if (m_pending) {
        // Inputs changed while this study ran: its result is stale.
        Request next = std::move(*m_pending);
        m_pending.reset();
        start(std::move(next));
        return;
    }
    Q_EMIT finished(m_watcher.result());
}

} // namespace planewall
