#pragma once

#include <QString>

#include <optional>

// The two windows the new-database dialog opens besides message boxes; tests script them.
class NewDatabasePrompts {
public:
    virtual ~NewDatabasePrompts() = default;

    // The folder browser, opened at a native folder: the chosen native folder, or nothing
    // when the user cancels.
    virtual std::optional<QString> chooseFolder(const QString& nativeStart) = 0;
    // A modal yes/no window with a multi-line text, in front of all others; true for "Ja".
    virtual bool askYesNo(const QString& text) = 0;
};
