#pragma once

#include "common/TaskProgress.h"

#include <QStringList>

#include <functional>

// Records what a long operation shows; cancels when the test's rule says so.
class RecordingTaskProgress : public TaskProgress {
public:
    QStringList captions;
    QStringList statuses;
    int cancelPolls = 0;
    std::function<bool(RecordingTaskProgress&)> cancelWhen;
    std::function<void(RecordingTaskProgress&)> onCaption;

    void caption(const QString& text) override
    {
        captions.append(text);
        if (onCaption)
            onCaption(*this);
    }
    void status(const QString& text) override { statuses.append(text); }
    void progress(qint64, qint64) override {}
    bool cancelRequested() override
    {
        ++cancelPolls;
        return cancelWhen && cancelWhen(*this);
    }
};
