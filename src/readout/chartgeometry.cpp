#include "chartgeometry.h"

#include "meterlink/gvarmod.h"
#include "meterlink/numbertext.h"

#include <cmath>

int plotY(double value, int yScale, const ChartGeometry &geometry)
{
    const double offset = (value * geometry.pixelsPerScale) / yScale;
    return int(roundHalfEven(geometry.zeroY - offset));
}

void fillPlotPoints(GVarMod &vars, const ChartGeometry &geometry)
{
    for (int i = 1; i <= vars.pagePoints; ++i) {
        PlotPoint &point = vars.plotPoints[std::size_t(i)];
        point.recordIndex = vars.pageFirst + i - 1;
        point.x = geometry.xStep * i;
        point.y = plotY(vars.log[point.recordIndex].value, vars.yScale, geometry);
    }
}

int cursorPointNumber(double x, int xStep)
{
    return int(roundHalfEven(x / xStep));
}

const std::array<QString, 9> &yScaleChoices()
{
    static const std::array<QString, 9> choices{
        QStringLiteral("4000"),
        QStringLiteral("2000"),
        QStringLiteral("1000"),
        QStringLiteral("400"),
        QStringLiteral("200"),
        QStringLiteral("100"),
        QStringLiteral("40"),
        QStringLiteral("20"),
        QStringLiteral("10"),
    };
    return choices;
}

namespace {

int choiceIndex(const QString &text)
{
    const auto &choices = yScaleChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == text)
            return int(i);
    return -1;
}

std::optional<QString> step(const QString &text, int direction)
{
    const int i = choiceIndex(text);
    if (i < 0)
        return text;
    const int next = i + direction;
    if (next < 0 || next >= int(yScaleChoices().size()))
        return std::nullopt;
    return yScaleChoices()[std::size_t(next)];
}

} // namespace

std::optional<QString> nextSmallerScale(const QString &text)
{
    return step(text, +1);
}

std::optional<QString> nextLargerScale(const QString &text)
{
    return step(text, -1);
}

QString levelText(double value, const QLocale &locale)
{
    if (value == std::floor(value))
        return QString::number(static_cast<long long>(value));
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', QLocale::FloatingPointShortest);
}

ShowFormYLabels showFormYLabels(const QString &text, const QLocale &locale)
{
    const int i = choiceIndex(text);
    const int a = i < 0 ? 400 : yScaleChoices()[std::size_t(i)].toInt();
    ShowFormYLabels result{a, {}};
    constexpr double fractions[4] = {1.0, 0.75, 0.5, 0.25};
    for (std::size_t k = 0; k < 4; ++k) {
        result.labels[k] = levelText(a * fractions[k], locale);
        result.labels[7 - k] = levelText(-a * fractions[k], locale);
    }
    return result;
}

std::array<QString, 16> graphYLabels(int a, const QLocale &locale)
{
    // Every level in double precision from a: the top one and its halves, quarters and
    // eighths, so the scale 10 gives 8.75, 6.25, 3.75 and 1.25 exactly.
    const double d = a;
    const double levels[8]
        = {d, (d / 8) * 7, (d / 4) * 3, (d / 8) * 5, d / 2, (d / 8) * 3, d / 4, d / 8};
    std::array<QString, 16> labels;
    for (std::size_t k = 0; k < 8; ++k) {
        labels[k] = levelText(levels[k], locale);
        labels[15 - k] = levelText(-levels[k], locale);
    }
    return labels;
}
