#pragma once

#include "viewer/TATBinHexLineMeasurer.h"

#include <QFontMetrics>

#include <functional>

// Widths in pixels of the viewer's current font; the text area follows the widget's size.
class TATBinHexFontMeasurer : public TATBinHexLineMeasurer {
public:
    explicit TATBinHexFontMeasurer(std::function<int()> areaWidth);

    void setFont(const QFont& font) { m_metrics = QFontMetrics(font); }
    // What the user reads of a line where that differs from the bytes laid out (UTF-8 shown
    // decoded in the memo): its width is what the line may fill.
    void setShownText(std::function<QString(QStringView)> shown) { m_shown = std::move(shown); }
    const QFontMetrics& metrics() const { return m_metrics; }

    int textWidth(QStringView text) const override;
    int textAreaWidth() const override { return m_areaWidth(); }

private:
    std::function<int()> m_areaWidth;
    std::function<QString(QStringView)> m_shown;
    QFontMetrics m_metrics;
};
