// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "study.h"

#include <QFutureWatcher>
#include <QObject>

#include <memory>
#include <optional>

namespace planewall {

// Runs studies on a worker thread, one at a time, so that typing never waits for one. A request
// made while one runs waits for it to end; requests made meanwhile replace each other, so only
// the latest runs next, and the result of a study whose inputs were replaced before it ended is
// dropped. Readings, when given, are fitted in the same study; they are shared, never copied.
class StudyRunner : public QObject
{
    Q_OBJECT

public:
    explicit StudyRunner(QObject *parent = nullptr);
    ~StudyRunner() override;

    void request(const ExplorerFields &fields, std::shared_ptr<const Readings> readings = {});
    bool isBusy() const;

Q_SIGNALS:
    // The study of the latest request.
    void finished(const planewall::Study &study);

private:
    struct Request
    {
        ExplorerFields fields;
        std::shared_ptr<const Readings> readings;
    };
    void start(Request request);
    void ended();

    QFutureWatcher<Study> m_watcher;
    std::optional<Request> m_pending;
};

} // namespace planewall

Q_DECLARE_METATYPE(planewall::Study)
