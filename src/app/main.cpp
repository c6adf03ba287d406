#include "app/BasePreload.h"
#include "app/CommandLine.h"
#include "app/Flow.h"
#include "app/QtPlatform.h"
#include "artwork/Artwork.h"
#include "testbase/TestState.h"
#include "winutil/EnterKey.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <latch>
#include <optional>
#include <thread>

#ifdef ZT_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

int main(int argc, char *argv[])
{
    // Taken before Qt sees the arguments: a base named like one of Qt's own options is still a base.
    std::filesystem::path command = CommandLinePath(argc, argv);
    // A base on the command line is read and loaded meanwhile too, on a thread of its own: the question
    // window, which would otherwise read it only once the toolkit and the selection window are done,
    // takes it ready. The thread ends before main does, whichever way the program ends.
    std::optional<BasePreload> preload;
    if (!command.empty()) {
        preload.emplace(command);
    }
    // Reading the system's fonts is a large part of the start, and nothing needs them before the first
    // window lays out its text: a helper reads them meanwhile. Fontconfig's configuration needs no
    // application object and is read at once, the toolkit's font list (thread-safe) once the application
    // exists.
    std::latch applicationMade(1);
    std::thread fontList([&applicationMade] {
#ifdef ZT_FONTCONFIG
        FcInit();
#endif
        applicationMade.wait();
        QFontDatabase::families();
    });
    QApplication app(argc, argv);
    applicationMade.count_down();
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
    Flow flow(state, platform, preload ? &*preload : nullptr);
    // For every window and message box of the program: a held key acts once.
    EnterKey::IgnoreRepeats(&flow);
    flow.Start();
    const int status = QApplication::exec();
    fontList.join();
    return status;
}
