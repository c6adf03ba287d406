#pragma once

#include "testbase/FileIo.h"
#include "testbase/Loader.h"
#include "testbase/TestState.h"
#include "testrun/Clocks.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

// The two marker pictures: Image1 (white square) and Image2 (red square with a tick).
enum class Marker
{
    Unselected,
    Selected,
};

// What the question window shows; it copies these into its controls after every call. Index 1 to 4 is
// slot a) to d); index 0 is unused.
struct QuestionView
{
    std::string Text1;
    std::array<std::string, 5> answer;
    std::array<bool, 5> enabled{};   // text box and marker of the slot
    std::array<Marker, 5> picture{}; // the marker Opt1 to Opt4 shows
    std::string help;                // tooltip of Image3
    std::string lblTrue = "0";
    std::string lblFalse = "0";
    std::string Label5;
};

enum class Outcome
{
    Nothing,      // nothing changed that the window must act on
    NextQuestion, // the next question is on screen
    TestEnded,    // SpentTime is set; the question window closes and the results open
};

// A base read and loaded into a state of its own, away from the window that is to show it.
struct PreparedBase
{
    FileError error = FileError::None; // the file could not be read; nothing was loaded
    LoadFailure failure = LoadFailure::None;
    TestState state;
    BaseLimits limits;
};

// Reads and loads file as the question window would, without handing over to any interface: for a thread
// of its own.
PreparedBase PrepareBase(const std::filesystem::path &file);

// The question window's rules: loading, answer choice, submission and the clocks.
class TestRun
{
public:
    explicit TestRun(TestState &state);

    // Loads the base as read from BaseFile: stamps, question 1, choice a). yield lets the interface
    // breathe while a huge base is split. A file that could not be read fails like a malformed base.
    LoadFailure Form_Load(const Now &now, FileBytes base, const std::function<void()> &yield = {});
    // The same with BaseFile prepared beforehand: its state takes the place of the loading, with the stamps
    // taken now all the same. For the program's first load, when no answer has been given yet.
    LoadFailure Form_Load(const Now &now, PreparedBase base);

    void OptionsCls();
    void SetPicture();
    // A click on marker k or on the text of slot k (1 to 4). Disabled slots take no clicks.
    void Opt_Click(int k);

    // Scores and records the chosen answer; never scores one question twice, and does nothing once the
    // test has ended.
    Outcome cmdNext_Click(const Now &now);

    void Timer1_Timer(const Now &now);
    Outcome Timer2_Timer();
    Outcome Timer3_Timer(const Now &now);

    // Cover k (1 to 6) hides its value when the matching display setting is off.
    bool CoverVisible(int k) const;
    bool Finished() const { return m_finished; }

    const QuestionView &View() const { return m_view; }
    const Clocks &Clock() const { return m_clocks; }

private:
    void BeginLoad(const Now &now);
    void TakeLoaded(TestState loaded);
    LoadFailure EndLoad(LoadFailure failure, const BaseLimits &limits);
    void ShowQuestion(int q);
    Outcome EndTest();

    TestState &m_state;
    Clocks m_clocks;
    QuestionView m_view;
    bool m_finished = false;
};
