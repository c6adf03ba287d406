#include "app/Flow.h"

#include "about/frmAbout.h"
#include "app/BasePreload.h"
#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testrun/frmMain.h"
#include "winutil/Forms.h"
#include "winutil/Platform.h"

#include <QThread>
#include <QTimer>

Flow::Flow(TestState &state, Platform &platform, BasePreload *preload)
    : m_state(state), m_platform(platform), m_preload(preload)
{}

Flow::~Flow()
{
    for (const QPointer<QWidget> &window : m_retired) {
        delete window;
    }
    delete m_chose;
    delete m_main;
    delete m_end; // and the About window it holds
}

void Flow::Start()
{
    Later([this] { OpenChose(false); });
}

void Flow::Later(std::function<void()> step)
{
    QMetaObject::invokeMethod(
        this,
        [this, step = std::move(step)] {
            if (m_loopLevel < 0) {
                m_loopLevel = QThread::currentThread()->loopLevel();
            }
            step();
        },
        Qt::QueuedConnection);
}

void Flow::OpenChose(bool modal)
{
    auto *chose = new frmChose(m_state, m_platform);
    m_chose = chose;
    connect(chose, &frmChose::accepted, this, [this] {
        Later([this] {
            Retire(m_chose);
            OpenMain();
        });
    });
    connect(chose, &frmChose::closed, this, [this] { Later([this] { End(); }); });

    switch (chose->Form_Load()) {
    case frmChose::Loaded::Shown:
        if (modal) {
            chose->setWindowModality(Qt::ApplicationModal);
        }
        // Shaped only now that it is sure to show: the native window the shape is cut in would otherwise
        // exist during the listing and take the hourglass, which costs reading the cursor theme.
        Forms::ShowShaped(chose);
        chose->FocusName();
        break;
    case frmChose::Loaded::CommandLine:
        // Never shown: the question window takes the base at once.
        Retire(chose);
        OpenMain();
        break;
    case frmChose::Loaded::SecondCopy:
        End();
        break;
    }
}

void Flow::OpenMain()
{
    auto *main = new frmMain(m_state, m_platform);
    m_main = main;
    connect(main, &frmMain::finished, this, [this] { Later([this] { MainFinished(); }); });
    connect(main, &frmMain::abandoned, this, [this] { Later([this] { End(); }); });

    std::future<PreparedBase> prepared;
    if (m_preload != nullptr) {
        prepared = m_preload->Take(m_state.BaseFile);
    }
    switch (main->Form_Load(std::move(prepared))) {
    case LoadFailure::None:
        Forms::ShowCentred(main);
        break;
    case LoadFailure::WrongHeader:
        main->close();
        Retire(main);
        OpenChose(true);
        break;
    case LoadFailure::FormatFailure:
        main->close();
        End();
        break;
    case LoadFailure::EmptyFile:
    case LoadFailure::NoQuestions:
        // The window never showed; nothing is closed, the program ends at once.
        End();
        break;
    }
}

void Flow::MainFinished()
{
    // A question asked during the test, such as whether to abandon it, no longer applies.
    m_platform.CloseMsgBox();
    if (m_main) {
        m_main->close();
        Retire(m_main);
    }
    OpenEnd();
}

void Flow::OpenEnd()
{
    auto *end = new frmEnd(m_state, m_platform);
    m_end = end;
    connect(end, &frmEnd::aboutRequested, this, [this] { Later([this] { OpenAbout(); }); });
    connect(end, &frmEnd::closed, this, [this] { Later([this] { End(); }); });
    if (!end->Form_Load()) {
        End();
        return;
    }
    Forms::ShowShaped(end);
}

void Flow::OpenAbout()
{
    if (!m_end || !m_end->isVisible()) {
        return;
    }
    if (!m_about) {
        m_about = new frmAbout(m_platform, m_end);
    }
    // Modal over the results, without an event loop of its own: nothing waits on the stack for it.
    m_about->setWindowModality(Qt::ApplicationModal);
    Forms::ShowShaped(m_about, m_end);
}

void Flow::Retire(QWidget *window)
{
    window->hide();
    m_retired.emplace_back(window);
    QTimer::singleShot(0, this, &Flow::DeleteRetired);
}

// A window's handler may still wait for a message box or a menu, each with an event loop of its own that
// runs this; the window must outlive it. Only from the road's own event loop, with no box open, is
// nothing of a closed window left on the stack.
void Flow::DeleteRetired()
{
    if (QThread::currentThread()->loopLevel() > m_loopLevel || m_platform.BoxOpen()) {
        QTimer::singleShot(100, this, &Flow::DeleteRetired);
        return;
    }
    for (const QPointer<QWidget> &window : std::exchange(m_retired, {})) {
        delete window;
    }
}

void Flow::End()
{
    m_platform.EndProgram();
}
