#include <QtTest>

class tst_Flow : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_Flow)
#include "tst_Flow.moc"
