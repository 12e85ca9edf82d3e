#pragma once

#include <QStringView>

// Pixel widths for the viewer's layout, implemented by the widget that draws the text.
// The core wraps text lines and brings a selection into view horizontally through it.
class TATBinHexLineMeasurer {
public:
    virtual ~TATBinHexLineMeasurer() = default;

    // Width of text as drawn; tabs have already been expanded to spaces.
    virtual int textWidth(QStringView text) const = 0;
    // Pixels a text line may take: the client width minus the left margin.
    virtual int textAreaWidth() const = 0;
};
