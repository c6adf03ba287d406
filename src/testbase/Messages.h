#pragma once

#include "testbase/FileIo.h"
#include "testbase/Loader.h"

#include <string_view>

// Every text the examinee reads in a message box, in one place (UTF-8).
namespace Messages {
inline constexpr std::string_view Caption = "Test";
inline constexpr std::string_view AlreadyRunning = "Программа Zorvanta Test уже запущена !!!";
inline constexpr std::string_view ConfirmAbandon = "Вы уверены, что хотите прекратить тестирование?";
inline constexpr std::string_view UnknownError = "Неизвестная ошибка!!!";
inline constexpr std::string_view TestsFolderFailed = "Не удалось создать папку тестов";

constexpr std::string_view Text(LoadFailure failure)
{
    switch (failure) {
    case LoadFailure::EmptyFile:
        return "Пустой файл!";
    case LoadFailure::NoQuestions:
        return "База не содержит вопросов!";
    case LoadFailure::WrongHeader:
        return "Неверная кодировка базы!";
    case LoadFailure::FormatFailure:
        return "Данный файл не соответствует кодировке Zorvanta Base File 2.0";
    case LoadFailure::None:
        break;
    }
    return {};
}

// How the platform describes a file failure.
constexpr std::string_view Text(FileError error)
{
    switch (error) {
    case FileError::NotFound:
        return "Файл не найден";
    case FileError::AccessDenied:
        return "Отказано в доступе";
    case FileError::IsDirectory:
        return "Указанный путь является папкой, а не файлом";
    case FileError::NotRegular:
        return "Указанный путь не является обычным файлом";
    case FileError::NameTooLong:
        return "Слишком длинное имя файла";
    case FileError::InvalidName:
        return "Недопустимое имя файла";
    case FileError::ReadFailed:
        return "Ошибка ввода/вывода при чтении файла";
    case FileError::OutOfMemory:
        return "Недостаточно памяти";
    case FileError::None:
        break;
    }
    return {};
}
} // namespace Messages
