#pragma once

#include "study.h"

#include <QFutureWatcher>
#include <QObject>

#include <optional>

namespace planewall {

// Runs studies on a worker thread, one at a time, so that typing never waits for one. A request
// made while one runs waits for it to end; requests made meanwhile replace each other, so only
// the latest runs next, and the result of a study whose inputs were replaced before it ended is
// dropped.
class StudyRunner : public QObject
{
    Q_OBJECT

public:
    explicit StudyRunner(QObject *parent = nullptr);
    ~StudyRunner() override;

    void request(const ExplorerFields &fields);
    bool isBusy() const;

Q_SIGNALS:
    // The study of the latest request.
    void finished(const planewall::Study &study);

private:
    void start(const ExplorerFields &fields);
    void ended();

    QFutureWatcher<Study> m_watcher;
    std::optional<ExplorerFields> m_pending;
};

} // namespace planewall

Q_DECLARE_METATYPE(planewall::Study)
