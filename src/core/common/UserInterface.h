#pragma once

#include <QString>

// How the core talks to the user. The windows implement it with message boxes; tests
// implement it with a recorder that answers questions from a script. Core code never
// opens a box or pumps events itself; long work shows its progress through TaskProgress.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual void information(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
    // A Yes/No question; true means Yes.
    virtual bool question(const QString& text) = 0;
};
