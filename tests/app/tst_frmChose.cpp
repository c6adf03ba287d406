#include <QtTest>

class tst_frmChose : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_frmChose)
#include "tst_frmChose.moc"
