#pragma once

#include "testbase/Cp1251.h"

#include <string>

// A generated base of about 165 bytes a question, as in a real base: short Russian texts. withHelp false
// leaves out every hint, the worst case for lookups that run to the end of the file.
inline std::string MakeBase(int questions, bool withHelp)
{
    const std::string question = Utf16ToCp1251(u"[QUESTION]=Какой ответ верен в вопросе ");
    const std::string answer = Utf16ToCp1251(u"=Ответ ");
    const std::string help = Utf16ToCp1251(u"HELP=Подсказка ");
    std::string base =
        "[ZorvantaBaseFile.2.0]\r\n  Benchmark\r\n        01:00:00\r\n               00:00:30\r\n";
    for (int k = 1; k <= questions; ++k) {
        const std::string number = std::to_string(k);
        base += question + number + "?\r\n";
        for (int slot = 1; slot <= 4; ++slot)
            base += "ANSWER" + std::to_string(slot) + answer + number + "." + std::to_string(slot) + "\r\n";
        base += "flag=" + std::to_string(1 + k % 4) + "\r\n";
        if (withHelp)
            base += help + number + "\r\n";
    }
    base += "SHOW_TIME=True\r\nSHOW_QUESTIONTIME=True\r\nSHOW_QUESTIONTEST=False\r\n"
            "SHOW_FALSEANSWERS=True\r\nSHOW_TRUEANSWERS=True\r\nSHOW_num=1\r\n";
    return base;
}
