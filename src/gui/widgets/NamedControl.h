#pragma once

#include <QString>

#include <utility>

// A window's control with the object name its colour lists and the tests find it by, and its
// hint (none when empty).
template <typename W> W* named(W* widget, const char* name, const QString& hint = QString())
{
    widget->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

// The same for a control made here from its constructor's arguments.
template <typename W, typename... Args> W* namedNew(const char* name, Args&&... args)
{
    return named(new W(std::forward<Args>(args)...), name);
}
