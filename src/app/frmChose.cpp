#include "app/frmChose.h"
#include "ui_frmChose.h"

#include "testbase/FileIo.h"
#include "testbase/HeadLines.h"
#include "testbase/Messages.h"
#include "testbase/TestState.h"
#include "testrun/frmMain.h"
#include "artwork/Artwork.h"
#include "winutil/Forms.h"
#include "winutil/Twips.h"
#include "look/Look.h"
#include "app/Platform.h"
#include "look/UiText.h"
#include "winutil/WindowDrag.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>

frmChose::frmChose(TestState &state, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::frmChose>()),
      m_state(state), m_platform(platform)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    setWindowIcon(Artwork::ProgramIcon());
    Look::UseWindowFont(this);
    m_ui->Label1_1->setFont(Look::Font(Look::Family::TimesNewRoman, 14.25, true));
    m_ui->Text1->setFont(Look::Font(Look::Family::ComicSansMS, 11.25, true));
    m_ui->Label1_0->setFont(Look::Font(Look::Family::MSSansSerif, 8.25, true));
    m_ui->Command1->setIcon(Artwork::AcceptIcon());
    m_ui->cmdClose->setIcon(Artwork::ExitIcon());
    connect(m_ui->Command1, &QPushButton::clicked, this, &frmChose::Command1_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmChose::cmdClose_Click);
    // Enter in the name box accepts, as a click on Command1 would.
    connect(m_ui->Text1, &QLineEdit::returnPressed, this, &frmChose::Command1_Click);
    WindowDrag::Start(this, {m_ui->Frame1, m_ui->Label1_0, m_ui->Label1_1});
}

frmChose::~frmChose() = default;

void frmChose::Open(TestState &state, Platform &platform, bool modal)
{
    auto *window = new frmChose(state, platform);
    switch (window->Form_Load()) {
    case Loaded::Shown:
        if (modal) {
            window->setWindowModality(Qt::ApplicationModal);
        }
        Forms::ShowCentred(window);
        window->m_ui->Text1->setFocus();
        break;
    case Loaded::HandedOver:
        // Never shown: the question window has taken over.
        window->deleteLater();
        frmMain::Open(state, platform);
        break;
    case Loaded::Ended:
        window->deleteLater();
        break;
    }
}

frmChose::Loaded frmChose::Form_Load()
{
    TestsFolder = FromPathString(ProgramFile(ToPathString(m_platform.AppPath()), "Tests")) + QLatin1Char('/');
    const bool folderReady = QDir(TestsFolder).exists() || QDir().mkdir(TestsFolder);

    Forms::ShapeWindow(0, 0, Twips::FromPixels(height()), Twips::FromPixels(width()), 50, 50, this);

    if (m_platform.PrevInstance()) {
        m_platform.MsgBox(FromUtf8(Messages::AlreadyRunning), Platform::Icon::Exclamation);
        m_platform.EndProgram();
        return Loaded::Ended;
    }
    if (!folderReady) {
        ErrorPath(FromUtf8(Messages::TestsFolderFailed));
        return Loaded::Shown;
    }
    const QString command = m_platform.TakeCommand();
    if (!command.isEmpty()) {
        return TakeCommandLine(command) ? Loaded::HandedOver : Loaded::Shown;
    }
    ListTopics();
    m_ui->Text1->selectAll();
    return Loaded::Shown;
}

bool frmChose::TakeCommandLine(const QString &command)
{
    const HeadLines head = ReadHeadLines(ToPath(command));
    if (head.error != FileError::None) {
        ErrorPath(FromUtf8(Messages::Text(head.error)));
        return false;
    }
    m_state.TestTitle = CommandLineTitle(head);
    m_state.BaseFile = ToPathString(command);
    m_state.UserName = ToCp1251(m_ui->Text1->text());
    return true;
}

void frmChose::ListTopics()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Hidden and system files are left out; names match and sort without regard to case.
    const QFileInfoList files =
        QDir(TestsFolder)
            .entryInfoList({QStringLiteral("*.bse")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files) {
        const HeadLines head = ReadHeadLines(ToPath(file.filePath()), HeadPurpose::Listing);
        if (head.error != FileError::None) {
            QGuiApplication::restoreOverrideCursor();
            ErrorPath(FromUtf8(Messages::Text(head.error)));
            return;
        }
        if (const auto title = ListedTitle(head)) {
            m_ui->Combo1->addItem(FromCp1251(*title), file.fileName());
        }
    }
    if (m_ui->Combo1->count() > 0) {
        m_ui->Combo1->setCurrentIndex(0);
    } else {
        m_ui->Command1->setEnabled(false);
    }
    QGuiApplication::restoreOverrideCursor();
}

void frmChose::ErrorPath(const QString &description)
{
    m_platform.MsgBox(description, Platform::Icon::Critical);
    m_ui->Combo1->setCurrentIndex(-1);
    m_ui->Command1->setEnabled(false);
}

void frmChose::Command1_Click()
{
    // Without a listed topic there is nothing to hand over (Enter in the name box can still get here).
    if (!m_ui->Command1->isEnabled() || m_ui->Combo1->currentIndex() < 0) {
        return;
    }
    m_state.TestTitle = ToCp1251(m_ui->Combo1->currentText());
    m_state.BaseFile = ToPathString(TestsFolder + m_ui->Combo1->currentData().toString());
    m_state.UserName = ToCp1251(m_ui->Text1->text());
    HandOver();
}

void frmChose::HandOver()
{
    m_handedOver = true;
    close();
    frmMain::Open(m_state, m_platform);
}

void frmChose::cmdClose_Click()
{
    close();
}

// However the window is closed (cmdClose, or the keyboard), the program ends unless a test follows.
void frmChose::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_handedOver) {
        m_platform.EndProgram();
    }
}
