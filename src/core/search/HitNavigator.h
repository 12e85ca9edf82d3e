#pragma once

#include "common/UserInterface.h"
#include "search/HitCounter.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The in-document search of the search window: steps through every occurrence of a text in
// the file shown, case-insensitive and inside words, overlapping occurrences included. It
// keeps no list of offsets: a collection counts the occurrences, then every step finds the
// next occurrence after the one shown last, so memory stays bounded however often the text
// occurs, and offsets beyond 4 GiB are found as any other.
class HitNavigator {
public:
    struct Hit {
        qint64 offset = 0;
        qint64 length = 0; // bytes to select: the length of the searched bytes
    };
    // Shows a hit in the viewer; called before the step's message.
    using Show = std::function<void(const Hit&)>;

    static const QString kNotFound;
    static const QString kLastHit;

    explicit HitNavigator(UserInterface& ui, qint64 windowSize = HitCounter::kDefaultWindow);

    // The Unicode document's collection asks the task after every window and obeys a cancel.
    void setProgress(TaskProgress* task) { m_counter.setProgress(task); }
    // While counting, "Nicht gefunden!" and "Dies ist die letzte Fundstelle." stay silent.
    void setCountingMode(bool counting) { m_counting = counting; }

    // The text of the field changed or another file is shown: the next step collects anew.
    void reset();
    // A collection is under way: the occurrences after the one shown are still to come.
    bool collected() const { return m_remaining > 0; }

    // One press of "Suchen": collects when nothing is pending (or another file or text is
    // given), then shows the next occurrence. After the last one the message says so and the
    // next press starts over.
    std::optional<Hit> WeiterSuche(const QString& programPath, const DocumentPattern& pattern,
                                   const Show& show);

    // Occurrences found by the last collection.
    qint64 occurrences() const { return m_occurrences; }
    // Offset of the occurrence shown last; -1 before the first.
    qint64 currentHit() const { return m_current; }

    // "\"text\" ist N mal in der angezeigten Datei enthalten."
    static QString occurrenceCaption(const QString& text, qint64 occurrences);

    // The first occurrence at or after `from`, scanning in windows that grow from 64 KiB,
    // so that a dense text costs little per step and a sparse one few mappings.
    static std::optional<qint64> nextOccurrence(const QString& programPath,
                                                const DocumentPattern& pattern, qint64 from);

private:
    bool collect(const QString& programPath, const DocumentPattern& pattern);

    UserInterface& m_ui;
    HitCounter m_counter;
    bool m_counting = false;
    QString m_path;
    DocumentPattern m_pattern;
    qint64 m_occurrences = 0;
    qint64 m_remaining = 0;
    qint64 m_current = -1;
};
