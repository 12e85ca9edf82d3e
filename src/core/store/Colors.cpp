#include "store/Colors.h"

#include <cstdlib>

namespace colors {

namespace {

struct NamedColor {
    TColor color;
    const char* name;
};

// The toolkit's colour-name table: the standard colours, then the system colours.
constexpr NamedColor kNamedColors[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {clSystemColor | 10, "clActiveBorder"},
    {clSystemColor | 2, "clActiveCaption"},
    {clSystemColor | 12, "clAppWorkSpace"},
    {clSystemColor | 1, "clBackground"},
    {clSystemColor | 15, "clBtnFace"},
    {clSystemColor | 20, "clBtnHighlight"},
    {clSystemColor | 16, "clBtnShadow"},
    {clSystemColor | 18, "clBtnText"},
    {clSystemColor | 9, "clCaptionText"},
    {0x20000000, "clDefault"},
    {clSystemColor | 27, "clGradientActiveCaption"},
    {clSystemColor | 28, "clGradientInactiveCaption"},
    {clSystemColor | 17, "clGrayText"},
    {clSystemColor | 13, "clHighlight"},
    {clSystemColor | 14, "clHighlightText"},
    {clSystemColor | 26, "clHotLight"},
    {clSystemColor | 11, "clInactiveBorder"},
    {clSystemColor | 3, "clInactiveCaption"},
    {clSystemColor | 19, "clInactiveCaptionText"},
    {clSystemColor | 24, "clInfoBk"},
    {clSystemColor | 23, "clInfoText"},
    {clSystemColor | 4, "clMenu"},
    {clSystemColor | 30, "clMenuBar"},
    {clSystemColor | 29, "clMenuHighlight"},
    {clSystemColor | 7, "clMenuText"},
    {0x1FFFFFFF, "clNone"},
    {clSystemColor | 0, "clScrollBar"},
    {clSystemColor | 21, "cl3DDkShadow"},
    {clSystemColor | 22, "cl3DLight"},
    {clSystemColor | 5, "clWindow"},
    {clSystemColor | 6, "clWindowFrame"},
    {clSystemColor | 8, "clWindowText"},
};

} // namespace

QString ColorToString(TColor color)
{
    for (const NamedColor& named : kNamedColors) {
        if (named.color == color)
            return QLatin1String(named.name);
    }
    return u'$' + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> StringToColor(const QString& text)
{
    for (const NamedColor& named : kNamedColors) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.color;
    }
    const QString number = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (number.startsWith(u'$'))
        value = number.mid(1).toLongLong(&ok, 16);
    else if (number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = number.mid(2).toLongLong(&ok, 16);
    else
        value = number.toLongLong(&ok, 10);
    if (!ok || value < -0x80000000LL || value > 0xFFFFFFFFLL)
        return std::nullopt;
    return TColor(quint32(value));
}

bool isSystemColor(TColor color)
{
    return (color & 0xFF000000) == clSystemColor;
}

namespace {

int part(TColor color, int shift)
{
    return int((color >> shift) & 0xFF);
}

// Perceived lightness 0..255 (ITU-R BT.601 weights).
int lightness(TColor color)
{
    return (299 * part(color, 0) + 587 * part(color, 8) + 114 * part(color, 16)) / 1000;
}

} // namespace

TColor selectionBackground(TColor window, int percent)
{
    const bool dark = lightness(window) < 128;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int value = part(window, shift);
        result |= TColor(dark ? value + (255 - value) / 4 : value * percent / 100) << shift;
    }
    return result;
}

TColor readableTextOn(TColor background, TColor preferred)
{
    if (std::abs(lightness(background) - lightness(preferred)) >= 96)
        return preferred;
    return lightness(background) < 128 ? clWhite : clBlack;
}

} // namespace colors
