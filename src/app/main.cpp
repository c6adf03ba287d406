#include "app/frmChose.h"
#include "testbase/TestState.h"
#include "artwork/Artwork.h"
#include "app/QtPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The windows end the program themselves: between the selection and the question window there is a
    // moment with no window open, which must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Artwork::ProgramIcon());

    QtPlatform platform(QApplication::arguments());
    TestState state;
    frmChose::Open(state, platform);
    if (platform.Ended()) {
        return 0;
    }
    return QApplication::exec();
}
