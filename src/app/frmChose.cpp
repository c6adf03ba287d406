#include "app/frmChose.h"
#include "ui_frmChose.h"

#include "artwork/Artwork.h"
#include "look/Look.h"
#include "look/UiText.h"
#include "testbase/HeadLines.h"
#include "testbase/Messages.h"
#include "testbase/TestState.h"
#include "testbase/Topics.h"
#include "winutil/EnterKey.h"
#include "winutil/Platform.h"
#include "winutil/WindowDrag.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QValidator>

#include <algorithm>

namespace {
// Longer titles cannot show in the list anyway; measuring them whole would freeze the window.
constexpr qsizetype ShownTitleLimit = 400;

// The name is saved in the result file, which holds Windows-1251 only. A character it cannot hold is not
// taken, typed or pasted, so that the name shown is the name saved.
class StorableName final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        pos = static_cast<int>(KeepCp1251(input.left(pos)).size());
        input = KeepCp1251(input);
        return Acceptable;
    }
};
} // namespace

frmChose::frmChose(TestState &state, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::frmChose>()),
      m_state(state), m_platform(platform)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(size());
    m_ui->Label1_1->setFont(Look::Font(Look::Family::TimesNewRoman, 14.25, true));
    m_ui->Text1->setFont(Look::Font(Look::Family::ComicSansMS, 11.25, true));
    m_ui->Label1_0->setFont(Look::Font(Look::Family::MSSansSerif, 8.25, true));
    Look::UseWindowFont(this);
    m_ui->Command1->setIcon(Artwork::AcceptIcon());
    m_ui->cmdClose->setIcon(Artwork::ExitIcon());
    m_ui->Combo1->view()->setTextElideMode(Qt::ElideRight);
    m_ui->Text1->setValidator(new StorableName(m_ui->Text1));
    connect(m_ui->Command1, &QPushButton::clicked, this, &frmChose::Command1_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Enter in the name box, or anywhere but on the exit button, accepts as a click on Command1 would.
    EnterKey::SetDefault(this, m_ui->Command1);
    WindowDrag::Start(this, {m_ui->Frame1, m_ui->Label1_0, m_ui->Label1_1});
}

frmChose::~frmChose() = default;

void frmChose::FocusName()
{
    m_ui->Text1->setFocus();
}

frmChose::Loaded frmChose::Form_Load()
{
    TestsFolder = m_platform.AppPath() / "Tests";
    std::error_code ec;
    const bool folderReady =
        std::filesystem::is_directory(TestsFolder, ec) || std::filesystem::create_directory(TestsFolder, ec);

    if (m_platform.PrevInstance()) {
        m_platform.MsgBox(FromUtf8(Messages::AlreadyRunning), Platform::Icon::Exclamation);
        return Loaded::SecondCopy;
    }
    // Only the list needs the folder: a base named on the command line still loads without it.
    if (!folderReady) {
        ErrorPath(FromUtf8(Messages::TestsFolderFailed));
    }
    const std::filesystem::path command = m_platform.TakeCommand();
    if (!command.empty()) {
        TakeCommandLine(command);
        if (m_accepted) {
            return Loaded::CommandLine;
        }
    } else {
        if (folderReady) {
            ListTopics();
        }
        m_ui->Text1->selectAll();
    }
    return Loaded::Shown;
}

void frmChose::TakeCommandLine(const std::filesystem::path &command)
{
    const HeadLines head = ReadHeadLines(command);
    if (head.error != FileError::None) {
        ErrorPath(FromUtf8(Messages::Text(head.error)));
        return;
    }
    m_state.TestTitle = CommandLineTitle(head);
    m_state.BaseFile = command;
    m_state.UserName = ToCp1251(m_ui->Text1->text());
    m_accepted = true;
}

void frmChose::ListTopics()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TopicList list = ::ListTopics(TestsFolder);
    m_topics = std::move(list.topics);
    const QFontMetrics metrics(m_ui->Combo1->font());
    const int room = m_ui->Combo1->width() - 30;
    // A title short enough to fit even in the font's widest letters is not measured: measuring lays the
    // text out, which is most of the listing's time.
    const qsizetype surelyFits = room / std::max(1, metrics.maxWidth());
    for (const Topic &topic : m_topics) {
        const QString title = FromCp1251(topic.title).left(ShownTitleLimit);
        m_ui->Combo1->addItem(title.size() <= surelyFits ? title
                                                         : metrics.elidedText(title, Qt::ElideRight, room));
    }
    QGuiApplication::restoreOverrideCursor();
    if (list.error != FileError::None) {
        ErrorPath(FromUtf8(Messages::Text(list.error)));
    } else if (m_ui->Combo1->count() > 0) {
        m_ui->Combo1->setCurrentIndex(0);
    } else {
        m_ui->Command1->setEnabled(false);
    }
}

void frmChose::ErrorPath(const QString &description)
{
    m_platform.MsgBox(description, Platform::Icon::Critical);
    m_ui->Combo1->setCurrentIndex(-1);
    m_ui->Command1->setEnabled(false);
}

void frmChose::Command1_Click()
{
    const int index = m_ui->Combo1->currentIndex();
    // Without a listed topic there is nothing to hand over.
    if (m_accepted || !m_ui->Command1->isEnabled() || index < 0 || index >= int(m_topics.size())) {
        return;
    }
    m_state.TestTitle = m_topics[index].title;
    m_state.BaseFile = m_topics[index].file;
    m_state.UserName = ToCp1251(m_ui->Text1->text());
    m_accepted = true;
    close();
    emit accepted();
}

// However the window is closed without a choice (cmdClose, or the keyboard), the program ends.
void frmChose::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_accepted) {
        emit closed();
    }
}
