#include "platform/dialout.h"

#include <QTest>

class TestDialout : public QObject {
    Q_OBJECT
private slots:
    void membership_data();
    void membership();
};

void TestDialout::membership_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QList<gid_t>>("processGroups");
    QTest::addColumn<int>("state");
    const QString joined = "root:x:0:\ndialout:x:20:anna,bert\nusers:x:100:\n";
    QTest::newRow("not a member") << "dialout:x:20:bert\n" << QList<gid_t>{100} << int(DialoutState::NotMember);
    QTest::newRow("joined, old groups") << joined << QList<gid_t>{100} << int(DialoutState::JoinedNotLoggedIn);
    QTest::newRow("joined and logged in") << joined << QList<gid_t>{100, 20} << int(DialoutState::Active);
    QTest::newRow("no such group") << "users:x:100:anna\n" << QList<gid_t>{100} << int(DialoutState::NotMember);
    QTest::newRow("primary group") << "dialout:x:20:\n" << QList<gid_t>{100} << int(DialoutState::JoinedNotLoggedIn);
}

void TestDialout::membership()
{
    QFETCH(QString, groups);
    QFETCH(QList<gid_t>, processGroups);
    const gid_t primary = QByteArray(QTest::currentDataTag()) == "primary group" ? 20 : 100;
    QTEST(int(dialoutState(groups, "anna", primary, processGroups)), "state");
}

QTEST_APPLESS_MAIN(TestDialout)
#include "tst_dialout.moc"
