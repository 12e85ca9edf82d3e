#pragma once

#include "store/Family.h"

#include <QString>

#include <optional>

// What a window that holds a viewer tells it and takes from it. The search window
// overrides these; a viewer without a host draws alone.
class TATBinHexHost {
public:
    virtual ~TATBinHexHost() = default;

    // While the title positions are searched, the viewer draws nothing and fills no memo.
    virtual bool titleSearchRunning() const { return false; }
    // The family of the document shown; decides the memo text and how selected bytes of a
    // single-byte document are read as text.
    virtual std::optional<Family> shownFamily() const { return std::nullopt; }
    // Called after every page drawn while no title search runs (the search window starts
    // its title timer).
    virtual void pageDrawn() {}
    // The popup menu's "Text in Suchleiste links übertragen".
    virtual bool acceptsLeftSearchText() const { return false; }
    virtual void setLeftSearchText(const QString& text) { Q_UNUSED(text); }
};
