#pragma once

#include <QtGlobal>

// How a hit count shows its progress and learns of a cancel. The window lets pending
// events through here; the command line and the tests answer at once.
class HitCountProgress {
public:
    virtual ~HitCountProgress() = default;
    // Called after every scanned window of a file: bytes scanned of the bytes searched.
    // False ends the collection of that file with the occurrences found so far.
    virtual bool proceed(qint64 scanned, qint64 total) = 0;
};
