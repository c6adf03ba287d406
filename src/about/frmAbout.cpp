#include "about/frmAbout.h"

#include "artwork/Artwork.h"
#include "look/Look.h"
#include "look/UiText.h"
#include "testbase/FileIo.h"
#include "ui_frmAbout.h"
#include "winutil/Platform.h"
#include "winutil/WindowDrag.h"

#include <QShowEvent>
#include <QTimer>

#include <array>

namespace {
constexpr std::size_t AboutTextLimit = 1 << 20;

// The logo darkens from light blue to navy, one step every tick.
constexpr std::array<QRgb, 5> BlinkColours = {
    qRgb(192, 192, 255), qRgb(128, 128, 255), qRgb(0, 0, 255), qRgb(0, 0, 192), qRgb(0, 0, 128),
};

// Through the style sheet, which the window's look is made of: a palette of its own would be reset
// whenever the style sheet is applied again.
void SetTextColour(QWidget *widget, const QColor &colour)
{
    widget->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}
} // namespace

frmAbout::frmAbout(Platform &platform, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAbout>()), m_platform(platform), m_timer(new QTimer(this))
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(size()); // the shape is cut to this size
    Look::UseWindowFont(this);
    const QIcon icon = Artwork::ProgramIcon();
    setWindowIcon(icon);
    m_ui->picIcon->setPixmap(icon.pixmap(QSize(32, 32), devicePixelRatioF()));
    m_ui->Label1->setFont(Look::Font(Look::Family::Staccato, 24, true));
    SetTextColour(m_ui->Label1, QColor(0, 0, 192));
    m_ui->cmdOK->setIcon(Artwork::AcceptIcon());
    for (QWidget *line : {m_ui->Line1_0, m_ui->Line1_1}) {
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    m_timer->setObjectName("Timer1");
    m_timer->setInterval(200);
    connect(m_timer, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // The logo both moves the window and, clicked in place with the left button, pauses the colours.
    connect(WindowDrag::Start(this, {m_ui->Label1}, m_ui->Label1), &WindowDrag::Mover::clicked, this,
            &frmAbout::Label1_Click);
}

frmAbout::~frmAbout() = default;

// Every opening loads afresh; a show that only restores a minimised window does not.
void frmAbout::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        Form_Load();
        m_timer->start();
    }
    QDialog::showEvent(event);
}

void frmAbout::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        m_timer->stop();
    }
    QDialog::hideEvent(event);
}

void frmAbout::Form_Load()
{
    m_ui->Text1->clear();
    // A text that cannot be read is no reason to trouble the examinee: the box stays empty, as when the
    // file is missing. A text of many megabytes is no About text; its first megabyte is plenty, and the
    // window opens at once.
    const FileBytes text = ReadWholeFile(m_platform.AppPath() / "AboutTest.txt", AboutTextLimit);
    if (text.error != FileError::None) {
        return;
    }
    QString shown = FromCp1251(text.bytes);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_ui->Text1->setPlainText(shown);
    BlinkPaused = false;
    Timer1_Timer();
}

void frmAbout::Timer1_Timer()
{
    if (BlinkPaused) {
        return;
    }
    BlinkStep = BlinkStep % 5 + 1;
    SetTextColour(m_ui->Label1, QColor(BlinkColours[BlinkStep - 1]));
}

void frmAbout::Label1_Click()
{
    BlinkPaused = !BlinkPaused;
}
