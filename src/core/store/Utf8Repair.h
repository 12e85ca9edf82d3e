#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Makes text valid UTF-8 for the UTF8 document: every valid UTF-8 sequence stays, every
// other byte becomes its Windows-1252 character. Fed piece by piece; a sequence cut at
// the edge of a piece is completed by the next one.
class Utf8Repair {
public:
    // The repaired bytes of this piece; with last, nothing is held back for the next.
    QByteArray feed(QByteArrayView bytes, bool last);
    // The same, appended to `out` (no copy of the piece when it is valid as it stands).
    void feedInto(QByteArrayView bytes, bool last, QByteArray& out);
    // Whether any byte so far had to be replaced.
    bool changedAnything() const { return m_changed; }

private:
    QByteArray m_pending; // the start of a sequence cut at the end of the last piece
    bool m_changed = false;
};
