#include "platform/localeforms.h"

#include <QTest>

class TestLocaleForms : public QObject {
    Q_OBJECT
private slots:
    void germanForms();
    void formatRewrites_data();
    void formatRewrites();
    void oneInstantPerStamp();
};

void TestLocaleForms::germanForms()
{
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    const QDateTime when(QDate(2012, 5, 14), QTime(7, 3, 31));
    QCOMPARE(forms.shortDate(when.date()), QStringLiteral("14.05.2012"));
    QCOMPARE(forms.longTime(when.time()), QStringLiteral("07:03:31"));
    QCOMPARE(forms.stamp(when), QStringLiteral("14.05.2012\\07:03:31"));
    QCOMPARE(forms.stamp(when).toLatin1().count('\\'), 1);
    QCOMPARE(forms.clockText(when), QStringLiteral("14.05.2012 07:03:31"));
}

void TestLocaleForms::formatRewrites_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("zone");
    QTest::newRow("german") << "dd.MM.yy" << "dd.MM.yyyy" << "dd.MM.yy";
    QTest::newRow("four digits stay") << "yyyy-MM-dd" << "yyyy-MM-dd" << "yyyy-MM-dd";
    QTest::newRow("us") << "M/d/yy" << "M/d/yyyy" << "M/d/yy";
    QTest::newRow("time zone") << "HH:mm:ss t" << "HH:mm:ss t" << "HH:mm:ss";
    QTest::newRow("quoted t stays") << "HH 'Uhr' t" << "HH 'Uhr' t" << "HH 'Uhr'";
    QTest::newRow("am pm then zone") << "h:mm:ss AP t" << "h:mm:ss AP t" << "h:mm:ss AP";
}

void TestLocaleForms::formatRewrites()
{
    QFETCH(QString, in);
    QTEST(LocaleForms::widenYear(in), "year");
    QTEST(LocaleForms::dropTimeZone(in), "zone");
}

void TestLocaleForms::oneInstantPerStamp()
{
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    // One second before midnight: the day and the time belong to the same instant.
    const QDateTime when(QDate(2012, 12, 31), QTime(23, 59, 59));
    QCOMPARE(forms.stamp(when), QStringLiteral("31.12.2012\\23:59:59"));
}

QTEST_APPLESS_MAIN(TestLocaleForms)
#include "tst_localeforms.moc"
