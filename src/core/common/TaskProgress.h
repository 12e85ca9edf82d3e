#pragma once

#include <QString>
#include <QtGlobal>

// What a long operation shows while it works, and how it learns of a cancel: the indexing
// run, the document search, the hit count, the title-position scan, the sorted lists and
// the wait for the list program. The windows implement it once in the gui tree, the
// command line in its console reporter, the tests in their recorder. Questions and
// messages go through UserInterface.
class TaskProgress {
public:
    virtual ~TaskProgress() = default;

    // The caption that follows the work; an empty text takes it back.
    virtual void caption(const QString& text) = 0;
    // The status text: the main window's first status line, the sort panel's label.
    virtual void status(const QString& text) = 0;
    // Done of total units of the work (bytes, files, lines).
    virtual void progress(qint64 done, qint64 total) = 0;
    // True once the user asked to cancel. An operation asks at least every 50 ms of its
    // work (TaskPacer), so a cancel is answered within 100 ms; a window lets its pending
    // events through here. Where the work cannot stop, the answer counts at its next stop.
    virtual bool cancelRequested() = 0;
};
