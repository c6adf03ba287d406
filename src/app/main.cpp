#include "app/CommandLine.h"
#include "app/Flow.h"
#include "app/QtPlatform.h"
#include "artwork/Artwork.h"
#include "testbase/TestState.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <thread>

int main(int argc, char *argv[])
{
    // Taken before Qt sees the arguments: a base named like one of Qt's own options is still a base.
    std::filesystem::path command = CommandLinePath(argc, argv);
    QApplication app(argc, argv);
    // Reading the system's font list is a large part of the start, and nothing needs it before the first
    // window lays out its text: a helper reads it meanwhile (the font database is thread-safe).
    std::thread fontList([] { QFontDatabase::families(); });
    // The flow ends the program itself: between the selection and the question window there is a moment
    // with no window open, which must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Artwork::ProgramIcon());
    // Everything the examinee sees is Russian, the text boxes' own menus included.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtRussian);
    }

    QtPlatform platform(std::move(command));
    TestState state;
    Flow flow(state, platform);
    flow.Start();
    const int status = QApplication::exec();
    fontList.join();
    return status;
}
