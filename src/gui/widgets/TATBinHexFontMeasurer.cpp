#include "widgets/TATBinHexFontMeasurer.h"

#include <QFont>

#include <utility>

TATBinHexFontMeasurer::TATBinHexFontMeasurer(std::function<int()> areaWidth)
    : m_areaWidth(std::move(areaWidth)), m_metrics(QFont())
{
}

int TATBinHexFontMeasurer::textWidth(QStringView text) const
{
    return m_metrics.horizontalAdvance(m_shown ? m_shown(text) : text.toString());
}
