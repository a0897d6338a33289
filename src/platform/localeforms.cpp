#include "localeforms.h"

namespace {

// Calls fn(index, length) for each run of one unquoted format letter.
template <typename Fn>
void forEachRun(const QString &format, QChar letter, Fn fn)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == u'\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        if (!quoted && format[i] == letter) {
            qsizetype j = i;
            while (j < format.size() && format[j] == letter)
                ++j;
            fn(i, j - i);
            i = j;
            continue;
        }
        ++i;
    }
}

} // namespace

LocaleForms::LocaleForms(const QLocale &locale)
    : m_locale(locale),
      m_dateFormat(widenYear(locale.dateFormat(QLocale::ShortFormat))),
      m_timeFormat(dropTimeZone(locale.timeFormat(QLocale::LongFormat)))
{
}

QString LocaleForms::widenYear(const QString &format)
{
    QString out = format;
    qsizetype shift = 0;
    forEachRun(format, u'y', [&](qsizetype at, qsizetype length) {
        if (length == 2) {
            out.insert(at + shift, QStringLiteral("yy"));
            shift += 2;
        }
    });
    return out;
}

QString LocaleForms::dropTimeZone(const QString &format)
{
    QString out = format;
    qsizetype removed = 0;
    forEachRun(format, u't', [&](qsizetype at, qsizetype length) {
        // Take the blanks before the zone with it ("HH:mm:ss t" -> "HH:mm:ss").
        qsizetype start = at - removed;
        qsizetype end = start + length;
        while (start > 0 && out[start - 1] == u' ')
            --start;
        out.remove(start, end - start);
        removed += end - start;
    });
    return out.trimmed();
}

QString LocaleForms::shortDate(QDate date) const
{
    return m_locale.toString(date, m_dateFormat);
}

QString LocaleForms::longTime(QTime time) const
{
    return m_locale.toString(time, m_timeFormat);
}

QString LocaleForms::stamp(const QDateTime &when) const
{
    return shortDate(when.date()) + u'\\' + longTime(when.time());
}

QString LocaleForms::clockText(const QDateTime &when) const
{
    return shortDate(when.date()) + u' ' + longTime(when.time());
}
