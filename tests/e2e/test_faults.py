"""Faults that only show where the examinee sits: window placement, key auto-repeat, double clicks,
screen readers, keyboard-only use, characters the result file cannot hold, a broken archive folder and
screens smaller than the windows."""

import subprocess
import time

import pyatspi

from zt import (ABOUT, CHOSE, RESULTS, Failure, accept, base_bytes, check, crlf_lines, extents, finish_results,
                frame_extents, holds, key, numbered_questions, pump, question_number, result_line, role, screen_size,
                test, text_of, type_text, value_beside, wait, x_geometry, x_window_ids, xdotool)


def next_button(program, window):
    return program.find(window, "push button", "Следующий вопрос")


def settled_question(program, window, expected):
    """The question number once input has settled: it reaches expected and stays there."""
    where = wait(lambda: "the results" if program.has_window(RESULTS) else
                 question_number(program, window) >= expected and "a question", f"question {expected}")
    check(where == "a question", f"one press ran the test to its end instead of to question {expected}")
    holds(lambda: question_number(program, window) == expected,
          f"one press gave more than one question: now at {question_number(program, window)}, expected {expected}",
          0.6)


def near(a, b, slack=2):
    return abs(a - b) <= slack


def same_place(program, acc):
    """Where the accessibility bus says the control is, and where it is on the X server."""
    said = extents(acc)
    real = program.screen_rect(acc)
    check(near(said[0], real[0]) and near(said[1], real[1]),
          f"{acc.name!r} is at {real[:2]} on the screen, the accessibility bus says {said[:2]}")


@test()
def topic_list_opens_under_its_box_and_controls_report_their_screen_place(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(1)))
    session.base("b.bse", base_bytes("Биология", numbered_questions(1)))
    for start in range(6):
        program = session.start()
        chose = program.active(CHOSE)
        combo = program.find(chose, "combo box")
        same_place(program, combo)
        before = x_window_ids(program.pid)
        program.click(combo)
        popup = wait(lambda: x_window_ids(program.pid) - before, "the topic list to open")
        px, py, pw, _ = x_geometry(max(popup))
        cx, cy, cw, ch = program.screen_rect(combo)
        check(near(px, cx, 3) and cy <= py <= cy + ch + 3,
              f"start {start + 1}: the list opened at ({px}, {py}), the box is at ({cx}, {cy}) {cw}x{ch}")
        key("Escape")
        wait(lambda: not (x_window_ids(program.pid) - before), "the list to close")
    # The windows after the selection, on the last start.
    accept(program)
    window = program.window("Алгебра (1)")
    same_place(program, next_button(program, window))
    program.click(next_button(program, window))
    results = program.window(RESULTS)
    same_place(program, program.find(results, "push button", "Выход"))
    key("Return")
    about = program.window(ABOUT)
    same_place(program, program.find(about, "push button", "Принять"))


@test()
def held_enter_gives_one_submission(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(3)))
    program = session.start()
    accept(program, "Зайцев")
    window = program.active("Алгебра (3)")
    xdotool("keydown", "Return", "sleep", "1.5", "keyup", "Return")
    settled_question(program, window, 2)
    program.click(next_button(program, window))
    settled_question(program, window, 3)
    xdotool("keydown", "Return", "sleep", "1.5", "keyup", "Return")  # submits the last question
    wait(lambda: program.has_window(RESULTS), "the results")
    holds(lambda: not program.has_window(ABOUT), "the held Enter opened About", 1.0)
    check(session.result_bytes() == result_line("Зайцев", [1, 1, 1], 3, 0), f"saved {session.result_bytes()!r}")


def focus_on(program, name):
    """Tabs through the window's controls until the one of that name has the keyboard."""
    for _ in range(20):
        focused = program.focused()
        if focused is not None and focused.name == name:
            return
        key("Tab")
    raise Failure(f"Tab never reached {name!r}")


@test()
def a_double_click_or_a_held_key_presses_a_button_once(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(40)))
    program = session.start()
    accept(program)
    window = program.active("Алгебра (40)")
    program.click(next_button(program, window), repeat=2, delay=120)
    settled_question(program, window, 2)
    program.click(next_button(program, window))  # a click of its own, past the double-click interval
    settled_question(program, window, 3)
    focus_on(program, "Следующий вопрос")
    xdotool("keydown", "space", "sleep", "1.5", "keyup", "space")
    settled_question(program, window, 4)
    # Held into the box the exit button opens, Enter does not answer it: the box waits for a press of its own.
    focus_on(program, "Выход из теста")
    xdotool("keydown", "Return")
    program.message_box()
    xdotool("sleep", "1.5", "keyup", "Return")
    holds(lambda: any(role(w) in ("dialog", "alert") for w in program.windows()), "the held Enter answered the box",
          0.5)
    key("Return")  # Yes, the default
    check(program.ended() == 0, "Yes ends the program")
    check(session.result_bytes() is None, f"an abandoned test wrote {session.result_bytes()!r}")


def clock_frames(program, window):
    return {frame.name: frame for frame in program.find_all(window, "panel") if frame.name.startswith("Время")}


@test()
def screen_reader_reads_the_clocks(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(2), test_time="00:10:00", question_time="00:05:00",
                                      show={"QUESTIONTIME": False}))
    events = []

    def heard(event):
        try:
            events.append((event.type, event.source.name, event.source.parent.name, showing_now(event.source)))
        except Exception:  # noqa: BLE001  a source that went away says nothing about the clocks
            pass

    def showing_now(acc):
        return acc.getState().contains(pyatspi.STATE_SHOWING)

    kinds = ["object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:text-changed", "object:visible-data-changed"]
    pyatspi.Registry.registerEventListener(heard, *kinds)
    program = session.start()
    accept(program)
    window = program.window("Алгебра (2)")
    shown = time.monotonic()
    frames = clock_frames(program, window)
    elapsed = next(a for a in program.find_all(frames["Время:"], "label") if a.getState().contains(pyatspi.STATE_SHOWING))
    read = wait(lambda: text_of(elapsed) == "0:00:02" and time.monotonic(), "the elapsed time to read 0:00:02", 6)
    check(0.5 <= read - shown <= 4.5, f"0:00:02 was read {read - shown:.1f} s after the window showed")

    # Every cover says what its own frame holds.
    for name, frame in frames.items():
        for label in program.find_all(frame, "label"):
            words = f"{label.name} {label.description}"
            check("Номер текущего вопроса" not in words, f"a label in {name!r} is described as {words!r}")

    events.clear()
    counted_from = time.monotonic()
    while time.monotonic() - counted_from < 3:
        pump()
        time.sleep(0.05)
    seconds = time.monotonic() - counted_from
    per_clock = {}
    for kind, _, frame, _ in events:
        if frame in frames:
            per_clock.setdefault(frame, []).append(kind)
    print("events from the clocks:", {frame: len(sent) for frame, sent in per_clock.items()})
    hidden = per_clock.get("Время на вопрос:", [])
    check(not hidden, f"the hidden clock sent {len(hidden)} events")
    for frame in ("Время:", "Время на тест:"):
        sent = per_clock.get(frame, [])
        for kind in set(sent):
            check(sent.count(kind) <= seconds + 1, f"{frame!r} sent {sent.count(kind)} {kind} in {seconds:.1f} s")
    clock_labels = [e for e in events if e[2] == window.name]  # a clock kept by the window itself
    check(not clock_labels, f"a hidden clock of the window sent {len(clock_labels)} events")


@test()
def keyboard_chooses_answers_with_space_and_digits(session):
    questions = numbered_questions(3)
    questions[2] = ("Вопрос номер 3", ["Один", "Два", "Три", "NONE"], 1, "")
    session.base("a.bse", base_bytes("Алгебра", questions))
    program = session.start()
    accept(program, "Клавиатура")
    window = program.active("Алгебра (3)")
    key("3")
    program.click(next_button(program, window))
    settled_question(program, window, 2)
    focus_on(program, "Ответ б)")
    key("space")
    program.click(next_button(program, window))
    settled_question(program, window, 3)
    key("4")  # the fourth slot of this question is empty: nothing to choose
    program.click(next_button(program, window))
    program.window(RESULTS)
    check(session.result_bytes() == result_line("Клавиатура", [3, 2, 2], 0, 3),
          f"saved {session.result_bytes()!r}")


@test()
def name_box_takes_only_what_the_result_file_can_hold(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(1)))
    program = session.start()
    chose = program.active(CHOSE)
    name_box = program.find(chose, "text", "Имя тестируемого")
    typed = "Liя张😀é€"
    storable = "Liя€"
    wait(lambda: name_box.getState().contains(pyatspi.STATE_FOCUSED), "focus in the name box")
    type_text(typed)
    wait(lambda: text_of(name_box).endswith("€"), "the typing to arrive")
    check(text_of(name_box) == storable, f"the name box shows {text_of(name_box)!r}")
    key("Return")
    window = program.window("Алгебра (1)")
    program.click(next_button(program, window))
    results = program.window(RESULTS)
    shown = value_beside(program, results, "Тестируемый:").name
    check(shown == storable, f"the results show {shown!r}")
    check(session.result_bytes() == result_line(storable, [1], 1, 0), f"saved {session.result_bytes()!r}")


@test()
def lines_are_kept_when_the_archive_cannot_be_made(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(1)))
    lines = crlf_lines([f"Ученик {n}=  1  True= 1  False= 0" for n in range(1, 101)])
    session.result_file.write_bytes(lines)
    archive = session.folder / "Results"
    archive.write_bytes(b"not a folder")
    for name, ready in (("Морозов", lambda path: None), ("Волков", make_unwritable_folder)):
        ready(archive)
        program = session.start(as_examinee=True)
        accept(program, name)
        window = program.window("Алгебра (1)")
        program.click(next_button(program, window))
        program.window(RESULTS)
        lines += result_line(name, [1], 1, 0)
        check(session.result_bytes() == lines, f"with {name}'s line Result.res holds "
              f"{len(session.result_bytes().splitlines())} lines, not {len(lines.splitlines())}")
        finish_results(program)
    check(not any(archive.iterdir()), "nothing went into the folder that takes no files")


def make_unwritable_folder(path):
    path.unlink()
    path.mkdir(mode=0o555)


@test(env={"QT_SCALE_FACTOR": "2"})
def windows_and_hints_fit_a_small_screen(session):
    width, height = screen_size()
    session.base("a.bse", base_bytes("Алгебра", [("Вопрос", ["а", "б", "в", "г"], 1, "Длинноеслово" * 167)]))
    program = session.start()
    program.active(CHOSE)
    key("Return")
    window = program.active("Алгебра (1)")
    before = x_window_ids(program.pid)
    program.hover(program.find(window, "image", "Подсказка"))
    tip = wait(lambda: x_window_ids(program.pid) - before, "the hint to show", 8)
    tx, _, tw, _ = x_geometry(max(tip))
    check(tx >= 0 and tx + tw <= width, f"the hint is {tw} px wide at x {tx} on a {width} px screen")
    wid = program.x_window(window)
    x, y, w, h = x_geometry(wid)
    left, right, top, bottom = frame_extents(wid)
    check(x - left >= 0 and y - top >= 0 and x + w + right <= width and y + h + bottom <= height,
          f"the question window with its frame, {w + left + right}x{h + top + bottom} at ({x - left}, {y - top}), "
          f"leaves the {width}x{height} screen")


def dark_share(box):
    """The share of dark pixels in a rectangle of the screen, as the X server shows it."""
    x, y, w, h = box
    data = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "gray:-"],
                          capture_output=True, check=True).stdout
    return sum(1 for value in data if value < 96) / max(1, len(data))


@test()
def long_name_shows_its_start(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(1)))
    name = "Ж" * 50 + "." * 50
    program = session.start()
    chose = program.active(CHOSE)
    name_box = program.find(chose, "text", "Имя тестируемого")
    wait(lambda: name_box.getState().contains(pyatspi.STATE_FOCUSED), "focus in the name box")
    type_text(name)
    wait(lambda: len(text_of(name_box)) == 100, "the typing to arrive", 20)
    key("Return")
    window = program.window("Алгебра (1)")
    program.click(next_button(program, window))
    results = program.window(RESULTS)
    label = value_beside(program, results, "Тестируемый:")
    x, y, w, h = program.screen_rect(label)
    share = dark_share((x + 4, y + 2, w // 2 - 4, h - 4))
    check(share > 0.08, f"the start of the name is not shown: {share:.2f} of its left half is dark")
    check(label.name.startswith("Ж") and label.description == name,
          f"the name box says {label.name!r}, its hint {label.description!r}")
