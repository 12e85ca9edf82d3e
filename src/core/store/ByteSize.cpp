#include "store/ByteSize.h"

#include <array>

QLocale numberLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return system;
}

QString ConvertBytes(qint64 bytes)
{
    return ConvertBytes(bytes, numberLocale());
}

QString ConvertBytes(qint64 bytes, const QLocale& numberFormat)
{
    static const std::array<const char*, 8> kUnits = {"Bytes", "KB", "MB", "GB",
                                                      "TB",    "PB", "EB", "ZB"};
    std::size_t unit = 0;
    long double scale = 1;
    while (unit + 1 < kUnits.size() && static_cast<long double>(bytes) > scale * 1024) {
        scale *= 1024;
        ++unit;
    }
    QLocale locale = numberFormat;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString number = locale.toString(double(static_cast<long double>(bytes) / scale), 'f', 2);
    // "###0.##": drop trailing zeros of the decimals, and the separator when none are left.
    const QString separator = locale.decimalPoint();
    if (number.contains(separator)) {
        while (number.endsWith(u'0'))
            number.chop(1);
        if (number.endsWith(separator))
            number.chop(separator.size());
    }
    return number + u' ' + QLatin1String(kUnits[unit]);
}
