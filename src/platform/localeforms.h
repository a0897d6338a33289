#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The system's short date and long time forms, as the files, the table and the
// printouts write them: a four-digit year and no time zone, so that a German system
// gives 14.05.2012 and 07:03:31.
class LocaleForms {
public:
    explicit LocaleForms(const QLocale &locale = QLocale::system());

    QString shortDate(QDate date) const;
    QString longTime(QTime time) const;

    // The reception stamp of a reading: date, "\", time.
    QString stamp(const QDateTime &when) const;
    // The table's clock: date, one blank, time.
    QString clockText(const QDateTime &when) const;

    const QLocale &locale() const { return m_locale; }
    QString dateFormat() const { return m_dateFormat; }
    QString timeFormat() const { return m_timeFormat; }

    static QString widenYear(const QString &format);
    static QString dropTimeZone(const QString &format);

private:
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};
