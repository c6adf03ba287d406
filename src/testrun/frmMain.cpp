#include "testrun/frmMain.h"
#include "ui_frmMain.h"

#include "artwork/Artwork.h"
#include "look/Look.h"
#include "look/UiText.h"
#include "testbase/Messages.h"
#include "winutil/EnterKey.h"
#include "winutil/Forms.h"
#include "winutil/Platform.h"
#include "winutil/StopResize.h"
#include "winutil/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>

#include <chrono>
#include <utility>

namespace {
// A value hidden under its cover is not written: a screen reader would still be told of every change.
void ShowValue(QLabel *value, const std::string &text)
{
    if (!value->isHidden()) {
        value->setText(FromCp1251(text));
    }
}

void Place(QWidget *widget, const TwipRect &r)
{
    widget->setGeometry(Twips::ToPixels(r.Left), Twips::ToPixels(r.Top), Twips::ToPixels(r.Width),
                        Twips::ToPixels(r.Height));
}

// Hands a huge base's reading over to the interface in slices, so the window's timers keep ticking. The
// slices are measured on the platform's clock.
class Slicer
{
public:
    explicit Slicer(const Platform &platform) : m_platform(platform), m_sliceStart(Ms()) {}
    void operator()()
    {
        if (Ms() - m_sliceStart >= 40) {
            QCoreApplication::processEvents();
            m_sliceStart = Ms();
        }
    }

private:
    std::int64_t Ms() const { return m_platform.Clock().monotonicMs; }
    const Platform &m_platform;
    std::int64_t m_sliceStart;
};

// A base loading on a thread of its own, once it is ready; the interface breathes meanwhile as while a
// base is read here.
PreparedBase Await(std::future<PreparedBase> &prepared)
{
    while (prepared.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready) {
        QCoreApplication::processEvents();
    }
    return prepared.get();
}
} // namespace

frmMain::frmMain(TestState &state, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::frmMain>()), m_state(state),
      m_platform(platform), m_run(state)
{
    m_ui->setupUi(this);
    SetFonts();
    m_ui->Image1->setPixmap(Artwork::Unselected());
    m_ui->Image2->setPixmap(Artwork::Selected());
    m_ui->cmdNext->setIcon(Artwork::NextIcon());
    m_ui->cmdCancel->setIcon(Artwork::ExitIcon());
    m_ui->Image3->setPixmap(Artwork::HintIcon().pixmap(24, 24));
    m_covered = {nullptr,        m_ui->Label6,  m_ui->Label11, m_ui->Label10,
                 m_ui->lblFalse, m_ui->lblTrue, m_ui->Label5};
    // A screen reader reads a status value as it stands, with its frame's caption; a cover, which has no
    // text, reads as its frame's caption alone.
    for (int k = 1; k <= 6; ++k) {
        const QString caption = static_cast<QGroupBox *>(m_covered[k]->parentWidget())->title();
        QLabel *cover = findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k));
        cover->setAccessibleName(caption);
        cover->setAccessibleDescription(caption);
        m_covered[k]->setAccessibleDescription(caption);
    }
    m_markers = {nullptr, m_ui->Opt1, m_ui->Opt2, m_ui->Opt3, m_ui->Opt4};
    m_answers = {nullptr, m_ui->txtA, m_ui->txtB, m_ui->txtC, m_ui->txtD};
    for (int k = 1; k <= 4; ++k) {
        m_markers[k]->installEventFilter(this);
        m_answers[k]->installEventFilter(this);
        m_answers[k]->viewport()->installEventFilter(this);
    }
    m_ui->cmdNext->installEventFilter(this);
    connect(m_ui->cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
    // cmdNext is the default button: Enter submits from the question and answer boxes too.
    EnterKey::SetDefault(this, m_ui->cmdNext);

    Timer1.setInterval(100);
    Timer2.setInterval(300);
    Timer3.setInterval(300);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &frmMain::Timer3_Timer);
    Timer1.start();
    Timer2.start();
    Timer3.start();
}

frmMain::~frmMain() = default;

void frmMain::SetFonts()
{
    using Look::Family;
    Look::UseWindowFont(this);
    const QFont captionBig = Look::Font(Family::TimesNewRoman, 15.75, true);
    m_ui->Frame1->setFont(captionBig);
    m_ui->Frame2->setFont(captionBig);
    m_ui->Text1->setFont(Look::Font(Family::TimesNewRoman, 14.25, true));
    const QFont statusCaption = Look::Font(Family::TimesNewRoman, 9.75, false);
    const QFont statusValue = Look::Font(Family::System, 9.75, true);
    for (QGroupBox *frame : {m_ui->FramePos, m_ui->FrameTime, m_ui->FrameTestTime, m_ui->FrameQuestTime,
                             m_ui->FrameTrue, m_ui->FrameFalse}) {
        frame->setFont(statusCaption);
        const auto labels = frame->findChildren<QLabel *>();
        for (QLabel *label : labels) {
            label->setFont(statusValue);
        }
    }
    const QFont buttons = Look::Font(Family::ComicSansMS, 9.75, true);
    m_ui->cmdNext->setFont(buttons);
    m_ui->cmdCancel->setFont(buttons);
}

LoadFailure frmMain::Form_Load(std::future<PreparedBase> prepared)
{
    StopResize::SetSizeLimits(this, 641, 489, 0, 0);
    // The clocks start now, before the base is waited for or read.
    const Now now = m_platform.Clock();
    const LoadFailure failure =
        prepared.valid() ? m_run.Form_Load(now, Await(prepared))
                         : m_run.Form_Load(now, ReadWholeFile(m_state.BaseFile), Slicer(m_platform));
    if (failure != LoadFailure::None) {
        m_platform.MsgBox(FromUtf8(Messages::Text(failure)), Platform::Icon::Critical);
        return failure;
    }
    m_loaded = true;
    setWindowTitle(FromCp1251(m_state.TestTitle) + QStringLiteral(" (") +
                   QString::number(m_state.QuestCount) + QLatin1Char(')'));
    for (int k = 1; k <= 6; ++k) {
        findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k))->setVisible(m_run.CoverVisible(k));
        m_covered[k]->setVisible(!m_run.CoverVisible(k));
    }
    ShowClocks();
    ShowQuestion();
    return failure;
}

// Runs however the window closes. Closing a running test abandons it; the end of the test and a failed
// load close it on the way to what follows.
void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    if (m_loaded && !m_run.Finished()) {
        m_loaded = false;
        emit abandoned();
    }
}

void frmMain::Form_Unload()
{
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    StopResize::ClearSizeLimits(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->cmdNext) {
        return DoubleClickRest(event);
    }
    // A left click chooses, and Space on a focused answer, marker or text; other buttons and keys do
    // nothing here.
    const bool leftClick = event->type() == QEvent::MouseButtonPress &&
                           static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    const bool space = event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space &&
                       static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier;
    if (leftClick || space) {
        for (int k = 1; k <= 4; ++k) {
            if (watched == m_markers[k] || watched == m_answers[k]->viewport() ||
                (space && watched == m_answers[k])) {
                Opt_Click(k);
                return space;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Many examinees double-click out of habit: the second click of a double click whose first put the
// question up would submit a question unseen. Such a press does not reach the button.
bool frmMain::DoubleClickRest(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // Only a release on a pressed button clicks it.
        m_releasedAt = m_ui->cmdNext->isDown() ? static_cast<QMouseEvent *>(event)->timestamp() : 0;
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const std::uint64_t at = static_cast<QMouseEvent *>(event)->timestamp();
        const auto interval =
            static_cast<std::uint64_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        return m_shownByClickAt != 0 && at - m_shownByClickAt < interval;
    }
    default:
        return false;
    }
}

// Keys 1 to 4 choose a) to d), on the main keyboard or the keypad.
void frmMain::keyPressEvent(QKeyEvent *event)
{
    const int k = event->key() - Qt::Key_0;
    if (k >= 1 && k <= 4 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Opt_Click(k);
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmMain::Opt_Click(int k)
{
    m_run.Opt_Click(k);
    ShowMarkers();
}

void frmMain::cmdNext_Click()
{
    // The release of a mouse click on the button, when a click and not a key pressed it.
    const std::uint64_t clickAt = std::exchange(m_releasedAt, 0);
    const Outcome outcome = m_run.cmdNext_Click(m_platform.Clock());
    Act(outcome);
    m_shownByClickAt = outcome == Outcome::NextQuestion ? clickAt : 0;
}

void frmMain::cmdCancel_Click()
{
    if (m_run.Finished()) {
        return;
    }
    const Platform::Answer answer = m_platform.MsgBox(FromUtf8(Messages::ConfirmAbandon),
                                                      Platform::Icon::Information, Platform::Buttons::YesNo);
    // A limit may have ended the test while the question was open; then the answer changes nothing.
    if (answer == Platform::Answer::Yes && !m_run.Finished()) {
        close();
    }
}

void frmMain::Timer1_Timer()
{
    m_run.Timer1_Timer(m_platform.Clock());
    ShowClocks();
}

void frmMain::Timer2_Timer()
{
    const Outcome outcome = m_run.Timer2_Timer();
    ShowClocks();
    Act(outcome);
}

void frmMain::Timer3_Timer()
{
    const Outcome outcome = m_run.Timer3_Timer(m_platform.Clock());
    ShowClocks();
    Act(outcome);
}

void frmMain::Act(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Nothing:
        break;
    case Outcome::NextQuestion:
        ShowQuestion();
        break;
    case Outcome::TestEnded:
        // Nothing on this window moves any more; the results follow from the event loop.
        Timer1.stop();
        Timer2.stop();
        Timer3.stop();
        emit finished();
        break;
    }
}

void frmMain::ShowQuestion()
{
    const QuestionView &view = m_run.View();
    m_ui->Text1->setPlainText(FromCp1251(view.Text1));
    for (int k = 1; k <= 4; ++k) {
        m_answers[k]->setPlainText(FromCp1251(view.answer[k]));
        m_answers[k]->setEnabled(view.enabled[k]);
    }
    // Markers are never dimmed: exactly one shows the tick, also on a slot that has just become unused.
    // The run ignores clicks on unused slots; the keyboard reaches the markers of the others.
    for (int k = 1; k <= 4; ++k) {
        m_markers[k]->setFocusPolicy(view.enabled[k] ? Qt::TabFocus : Qt::NoFocus);
    }
    const QString help = FromCp1251(view.help);
    m_ui->Image3->setToolTip(WrappingTooltip(help));
    m_ui->Image3->setAccessibleDescription(help);
    ShowValue(m_ui->lblTrue, view.lblTrue);
    ShowValue(m_ui->lblFalse, view.lblFalse);
    ShowValue(m_ui->Label5, view.Label5);
    ShowMarkers();
}

void frmMain::ShowMarkers()
{
    const QuestionView &view = m_run.View();
    for (int k = 1; k <= 4; ++k) {
        const QLabel *holder = view.picture[k] == Marker::Selected ? m_ui->Image2 : m_ui->Image1;
        m_markers[k]->setPixmap(holder->pixmap());
    }
}

void frmMain::ShowClocks()
{
    const Clocks &clock = m_run.Clock();
    // The engine keeps the clocks' working state; the labels only show it, so the never-shown LabelD and
    // a clock the base hides stay as they are.
    ShowValue(m_ui->Label6, clock.Label6);
    ShowValue(m_ui->Label10, clock.Label10);
    ShowValue(m_ui->Label11, clock.Label11);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void frmMain::ApplyLayout()
{
    if (isMinimized() || !Form_Resize(Twips::FromPixels(width()), Twips::FromPixels(height()), m_layout)) {
        return;
    }
    const MainLayout &g = m_layout;
    Place(m_ui->Frame1, g.Frame1);
    Place(m_ui->Text1, g.Text1);
    Place(m_ui->Frame2, g.Frame2);
    Place(m_ui->Frame3, g.Frame3);
    Place(m_ui->Frame4, g.Frame4);
    Place(m_ui->Frame5, g.Frame5);
    Place(m_ui->Frame6, g.Frame6);
    Place(m_ui->txtA, g.txtA);
    Place(m_ui->txtB, g.txtB);
    Place(m_ui->txtC, g.txtC);
    Place(m_ui->txtD, g.txtD);
    Place(m_ui->FramePos, g.FramePos);
    Place(m_ui->FrameTime, g.FrameTime);
    Place(m_ui->FrameTestTime, g.FrameTestTime);
    Place(m_ui->FrameQuestTime, g.FrameQuestTime);
    Place(m_ui->FrameTrue, g.FrameTrue);
    Place(m_ui->FrameFalse, g.FrameFalse);
    Place(m_ui->cmdNext, g.cmdNext);
    Place(m_ui->cmdCancel, g.cmdCancel);
    Place(m_ui->Image3, g.Image3);
}
