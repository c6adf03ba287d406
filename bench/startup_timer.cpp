// Starts a program and prints the seconds from its exec until its first window is viewable on the X
// server, then ends it and prints the processor seconds it used. Watching the server's own map events
// measures what the user sees, including the window manager's part, without polling.
#include <X11/Xlib.h>

#include <poll.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double Seconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

bool Viewable(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// A window may go before its attributes are read; that is no failure here.
int IgnoreErrors(Display *, XErrorEvent *)
{
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = Seconds();
    const pid_t child = fork();
    if (child == 0) {
        // A group of its own, so that a wrapper such as perf or strace goes with the program at the end.
        setpgid(0, 0);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    setpgid(child, child);
    // Every window made from now on is watched; the first that becomes viewable ends the wait.
    std::set<Window> windows;
    const double deadline = start + 30;
    double shown = -1;
    while (shown < 0 && Seconds() < deadline) {
        if (XPending(display) == 0) {
            if (waitpid(child, nullptr, WNOHANG) == child) {
                std::fprintf(stderr, "the program ended before it showed a window\n");
                return 1;
            }
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 10);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            windows.insert(event.xcreatewindow.window);
            XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
        }
        for (Window window : windows) {
            if (Viewable(display, window)) {
                shown = Seconds() - start;
                break;
            }
        }
    }
    kill(-child, SIGTERM);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    XCloseDisplay(display);
    if (shown < 0) {
        std::fprintf(stderr, "no window within 30 s\n");
        return 1;
    }
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.4f %.4f\n", shown, cpu);
    return 0;
}
