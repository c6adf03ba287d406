#include <QtTest>

class tst_frmEnd : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_frmEnd)
#include "tst_frmEnd.moc"
