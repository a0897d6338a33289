#pragma once

#include <QFont>
#include <QStringList>

// The fonts the forms were designed with, served by what is installed: Arial by its
// metric-compatible Liberation Sans, the old MS Sans Serif and MS Serif bitmap fonts by
// the nearest outline fonts.
inline QFont uiFont(const QString &family, double pointSize, bool bold = false)
{
    QFont font;
    if (family == QLatin1String("MS Serif"))
        font.setFamilies({family, QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    else
        font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// Twips to pixels at the 96 dots per inch the forms were laid out at.
constexpr int px(int twips)
{
    return twips / 15;
}
