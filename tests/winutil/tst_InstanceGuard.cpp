#include <QtTest>

class tst_InstanceGuard : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_InstanceGuard)
#include "tst_InstanceGuard.moc"
