#include "basetool/Commands.h"
#include "basetool/ProgramFolder.h"

#include <exception>
#include <iostream>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef _WIN32
    // Every text of the tool is UTF-8, and its line ends are its own: CSV ends lines with CR LF.
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return RunTool(args, ProgramFolder(argv[0]), std::cout, std::cerr);
    } catch (const std::bad_alloc &) {
        std::cerr << "zorvanta-base: недостаточно памяти\n";
    } catch (const std::exception &error) {
        std::cerr << "zorvanta-base: " << error.what() << '\n';
    }
    return 3;
}
