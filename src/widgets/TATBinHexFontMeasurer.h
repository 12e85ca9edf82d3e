#pragma once

#include "viewer/TATBinHexLineMeasurer.h"

#include <QFontMetrics>

#include <functional>

// Widths in pixels of the viewer's current font; the text area follows the widget's size.
class TATBinHexFontMeasurer : public TATBinHexLineMeasurer {
public:
    explicit TATBinHexFontMeasurer(std::function<int()> areaWidth);

    void setFont(const QFont& font) { m_metrics = QFontMetrics(font); }
    const QFontMetrics& metrics() const { return m_metrics; }

    int textWidth(QStringView text) const override;
    int textAreaWidth() const override { return m_areaWidth(); }

private:
    std::function<int()> m_areaWidth;
    QFontMetrics m_metrics;
};
