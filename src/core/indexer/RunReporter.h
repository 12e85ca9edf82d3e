#pragma once

#include <QString>

// What an indexing run shows while it works, and how it learns of a cancel.
class RunReporter {
public:
    virtual ~RunReporter() = default;
    // Progress texts of the main window's title.
    virtual void caption(const QString& text) = 0;
    // The first status line.
    virtual void status(const QString& text) = 0;
    // Lets pending events through; true when the user asked to cancel.
    virtual bool cancelRequested() = 0;
};
