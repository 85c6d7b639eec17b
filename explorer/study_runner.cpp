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

void StudyRunner::request(const ExplorerFields &fields)
{
    if (isBusy()) {
        m_pending = fields;
        return;
    }
    start(fields);
}

bool StudyRunner::isBusy() const
{
    return m_watcher.isRunning();
}

void StudyRunner::start(const ExplorerFields &fields)
{
    m_watcher.setFuture(QtConcurrent::run([fields] { return studyFromFields(fields); }));
}

void StudyRunner::ended()
{
    if (m_pending) {
        // Inputs changed while this study ran: its result is stale.
        const ExplorerFields next = *m_pending;
        m_pending.reset();
        start(next);
        return;
    }
    Q_EMIT finished(m_watcher.result());
}

} // namespace planewall
