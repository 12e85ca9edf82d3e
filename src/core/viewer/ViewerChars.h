#pragma once

#include <QtGlobal>

// Small rules of the viewer core's text that its file, layout and view parts share.
namespace viewerchars {

constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';

constexpr bool isLineBreak(char16_t ch)
{
    return ch == kCR || ch == kLF;
}

constexpr qint64 roundDown(qint64 value, qint64 unit)
{
    return value / unit * unit;
}

} // namespace viewerchars
