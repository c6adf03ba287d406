#include <QtTest>

class tst_frmAbout : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
