#include "results/frmEnd.h"

#include "artwork/Artwork.h"
#include "look/Look.h"
#include "look/UiText.h"
#include "results/ResultFile.h"
#include "testbase/Messages.h"
#include "testbase/TestState.h"
#include "ui_frmEnd.h"
#include "winutil/EnterKey.h"
#include "winutil/Platform.h"
#include "winutil/WindowDrag.h"

#include <QCloseEvent>
#include <QPainter>

namespace {
// A dotted line one pixel wide, every other pixel in its exact colour: a styled dotted border would be
// smoothed into half-strength pixels.
class DottedLine final : public QObject
{
public:
    DottedLine(QWidget *line, const QColor &colour) : QObject(line), m_colour(colour)
    {
        line->installEventFilter(this);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        auto *line = static_cast<QWidget *>(watched);
        QPainter painter(line);
        const bool across = line->width() >= line->height();
        const int length = across ? line->width() : line->height();
        for (int i = 0; i < length; i += 2) {
            painter.fillRect(across ? QRect(i, 0, 1, 1) : QRect(0, i, 1, 1), m_colour);
        }
        return true;
    }

private:
    QColor m_colour;
};

void DrawDotted(QWidget *line, const QColor &colour)
{
    new DottedLine(line, colour);
}

// The box aligns right, so a name longer than the box would show only its tail: it shows the name's
// start, cut short, and the whole name in a tooltip and to a screen reader.
void ShowName(QLabel *box, const QString &name)
{
    box->ensurePolished();
    const QString shown = box->fontMetrics().elidedText(name, Qt::ElideRight, box->contentsRect().width());
    box->setText(shown);
    if (shown != name) {
        box->setToolTip(name);
        box->setAccessibleName(name);
    }
}
} // namespace

frmEnd::frmEnd(TestState &state, Platform &platform, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmEnd>()), m_state(state), m_platform(platform)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(size()); // the shape is cut to this size
    Look::UseWindowFont(this);

    for (QLabel *value : {m_ui->Label5, m_ui->lblAll, m_ui->lblTrue, m_ui->lblFalse, m_ui->lblTime}) {
        value->setFont(Look::Font(Look::Family::CourierNew, 11.25, false));
    }
    // Caption labels fit their text, whatever the font on this system.
    for (QLabel *caption : {m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Label4}) {
        caption->adjustSize();
    }
    // Lines are drawn, not touched: a press on them belongs to the frame beneath.
    DrawDotted(m_ui->Line2, QColor(0, 0, 128));
    DrawDotted(m_ui->Line1_1, QColor(0, 0, 192));
    m_ui->BtnEnh1->setIcon(Artwork::AboutIcon());
    m_ui->Command1->setIcon(Artwork::ExitIcon());
    EnterKey::SetDefault(this, m_ui->BtnEnh1);

    connect(m_ui->BtnEnh1, &QPushButton::clicked, this, &frmEnd::aboutRequested);
    connect(m_ui->Command1, &QPushButton::clicked, this, &QWidget::close);
    WindowDrag::Start(this, {m_ui->Frame1, m_ui->Label4, m_ui->Label5});
}

frmEnd::~frmEnd() = default;

bool frmEnd::Form_Load()
{
    m_ui->lblAll->setText(QString::number(m_state.QuestCount));
    m_ui->lblTrue->setText(QString::number(m_state.TrueCount));
    // Questions the test time cut off were never answered right, so they count as wrong.
    m_ui->lblFalse->setText(QString::number(m_state.WrongCount()));
    ShowName(m_ui->Label5, FromCp1251(m_state.UserName));
    m_ui->lblTime->setText(FromCp1251(m_state.SpentTime));

    if (!SaveResult(m_platform.AppPath(), m_state, m_platform.LocalTime())) {
        m_platform.MsgBox(FromUtf8(Messages::UnknownError), Platform::Icon::Critical);
        return false;
    }
    return true;
}

void frmEnd::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
