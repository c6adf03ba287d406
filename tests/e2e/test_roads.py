"""The roads an examinee takes through the program, from the first window to the last."""

import re
import time
from datetime import datetime

from zt import (ABOUT, CHOSE, RESULTS, accept, base_bytes, check, crlf_lines, finish_results, key,
                numbered_questions, question_number, question_text, result_line, test, text_of, value_beside,
                wait)


def at_question(program, window, number):
    wait(lambda: question_number(program, window) == number, f"question {number} on screen")


def next_question(program, window):
    program.click(program.find(window, "push button", "Следующий вопрос"))


def results_values(program):
    results = program.window(RESULTS)
    return {caption: value_beside(program, results, caption).name
            for caption in ("Тестируемый:", "Всего вопросов:", "Правильных ответов:", "Неправильных ответов:",
                            "Затрачено времени:")}


@test()
def name_and_topic_to_questions_results_and_about(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(2)))
    questions = [("Первый вопрос", ["а1", "б1", "в1", "г1"], 2, "п1"),
                 ("Второй вопрос", ["а2", "б2", "в2", "г2"], 3, "п2"),
                 ("Третий вопрос", ["а3", "б3", "в3", "г3"], 4, "п3")]
    session.base("b.bse", base_bytes("Биология", questions))
    program = session.start()
    accept(program, "Иванов", topic_steps=1)
    window = program.window("Биология (3)")
    check(question_text(program, window) == "Первый вопрос", "the first question of the chosen topic")
    program.click(program.find(window, "image", "Ответ б)"))  # the marker
    next_question(program, window)
    at_question(program, window, 2)
    check(question_text(program, window) == "Второй вопрос", "the second question follows")
    program.click(program.find(window, "text", "Ответ г)"))  # the answer's text
    next_question(program, window)
    at_question(program, window, 3)
    next_question(program, window)  # the choice of the last question stands

    values = results_values(program)
    check(values["Тестируемый:"] == "Иванов", f"name shown: {values}")
    check((values["Всего вопросов:"], values["Правильных ответов:"], values["Неправильных ответов:"]) ==
          ("3", "2", "1"), f"counts shown: {values}")
    check(re.fullmatch(r"0:00:\d\d", values["Затрачено времени:"]), f"time shown: {values}")
    check(not program.has_window("Биология"), "the question window closed")
    saved = result_line("Иванов", [2, 4, 4], 2, 1)
    check(session.result_bytes() == saved, f"Result.res: {session.result_bytes()!r}")

    for _ in range(2):  # About opens again after it was closed
        key("Return")
        about = program.window(ABOUT)
        shown = text_of(program.find(about, "text"))
        check(shown.replace("\r\n", "\n").strip() == session.about_text.replace("\r\n", "\n"),
              f"About shows its text file: {shown!r}")
        program.click(program.find(about, "push button", "Принять"))
        program.gone(ABOUT)
        program.active(RESULTS)
    finish_results(program)
    check(session.result_bytes() == saved, "nothing more is written on the way out")


@test()
def abandon_answered_no_keeps_the_question_and_yes_leaves_no_trace(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(3)))
    earlier = result_line("Петров", [1], 1, 0) * 2
    session.result_file.write_bytes(earlier)

    program = session.start()
    accept(program, "Сидоров")
    window = program.window("Алгебра (3)")
    program.click(program.find(window, "image", "Ответ в)"))
    next_question(program, window)
    at_question(program, window, 2)
    program.click(program.find(window, "push button", "Выход из теста"))
    box, text = program.message_box()
    check(text == "Вы уверены, что хотите прекратить тестирование?", f"the question asked: {text!r}")
    program.click(program.find(box, "push button", "Нет"))
    program.gone("Test")
    check(question_number(program, window) == 2 and question_text(program, window) == "Вопрос номер 2",
          "No leaves the same question on screen")
    next_question(program, window)
    at_question(program, window, 3)
    next_question(program, window)
    program.window(RESULTS)
    check(session.result_bytes() == earlier + result_line("Сидоров", [3, 3, 3], 0, 3),
          f"after No the test went on with the same choice: {session.result_bytes()!r}")
    finish_results(program)

    before = session.result_bytes()
    program = session.start()
    accept(program, "Кузнецов")
    window = program.window("Алгебра (3)")
    program.click(program.find(window, "push button", "Выход из теста"))
    box, _ = program.message_box()
    program.click(program.find(box, "push button", "Да"))
    check(program.ended() == 0, "Yes ends the program")
    check(session.result_bytes() == before, "an abandoned test writes nothing")
    check(not (session.folder / "Results").exists(), "nor archives anything")


@test()
def wrong_header_returns_to_the_selection(session):
    wrong = base_bytes("Неверный заголовок", numbered_questions(2)).replace(b"ZorvantaBaseFile", b"zorvantabasefile")
    session.base("a.bse", wrong)
    session.base("b.bse", base_bytes("Биология", numbered_questions(1)))
    for command in ([], [str(session.folder / "Tests" / "a.bse")]):  # chosen, then named on the command line
        program = session.start(*command)
        if not command:
            accept(program, "Орлов")
        box, text = program.message_box()
        check(text == "Неверная кодировка базы!", f"the message: {text!r}")
        program.click(program.find(box, "push button", "ОК"))
        chose = program.window(CHOSE)
        topics = [item.name for item in program.find_all(chose, "list item")]
        check(topics == ["Неверный заголовок", "Биология"], f"the topics are listed again: {topics}")
        check(not program.has_window("Неверный"), "no question window")
        accept(program, topic_steps=1)
        window = program.window("Биология (1)")
        next_question(program, window)
        check(results_values(program)["Тестируемый:"] == "Тестируемый", "the name box started afresh")
        finish_results(program)


@test()
def test_limit_ends_the_test(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(5), test_time="00:00:03"))
    program = session.start()
    accept(program, "Лебедев")
    window = program.window("Алгебра (5)")
    started = time.monotonic()
    next_question(program, window)
    at_question(program, window, 2)
    values = results_values(program)
    elapsed = time.monotonic() - started
    check(2 <= elapsed <= 6, f"the results came {elapsed:.1f} s after the start")
    check(not program.has_window("Алгебра"), "the question window closed")
    check((values["Всего вопросов:"], values["Правильных ответов:"], values["Неправильных ответов:"],
           values["Затрачено времени:"]) == ("5", "1", "4", "0:00:03"), f"shown: {values}")
    check(session.result_bytes() == result_line("Лебедев", [1, 0, 0, 0, 0], 1, 4),
          f"the question on screen is not submitted: {session.result_bytes()!r}")
    finish_results(program)


@test()
def hundred_lines_are_archived_and_a_fresh_file_started(session):
    session.base("a.bse", base_bytes("Алгебра", numbered_questions(1)))
    old = crlf_lines([f"Ученик {n}=  1  True= 1  False= 0" for n in range(1, 101)])
    session.result_file.write_bytes(old)
    program = session.start()
    accept(program, "Новиков")
    window = program.window("Алгебра (1)")
    before = datetime.now().replace(microsecond=0)
    next_question(program, window)
    program.window(RESULTS)
    after = datetime.now()
    check(session.result_bytes() == result_line("Новиков", [1], 1, 0),
          f"a fresh file with the new line: {session.result_bytes()!r}")
    archives = list((session.folder / "Results").iterdir())
    check(len(archives) == 1, f"one archive: {archives}")
    match = re.fullmatch(r"Result-(\d{4}-\d\d-\d\d_\d{6})\.res", archives[0].name)
    check(match, f"archive name {archives[0].name}")
    stamp = datetime.strptime(match.group(1), "%Y-%m-%d_%H%M%S")
    check(before <= stamp <= after, f"archive stamped {stamp}, saved between {before} and {after}")
    check(archives[0].read_bytes() == old, "the archive holds the old file byte for byte")
    finish_results(program)
