// Starts a program and reports how long it took to map its first top-level window on
// the X server in $DISPLAY, and the program's peak resident memory.
//   bench_map_wait [--linger-ms N] program [args...]
// Prints "map_ms=<time from exec to the first MapNotify> maxrss_kb=<peak>". The program
// is left running N ms after the map (default 500) so its first paint is counted, then
// ended with SIGTERM.
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

double msSince(const timespec& start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) * 1e3 + double(now.tv_nsec - start.tv_nsec) / 1e6;
}

int fail(const char* why)
{
    std::fprintf(stderr, "bench_map_wait: %s\n", why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    int lingerMs = 500;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--linger-ms") == 0) {
        lingerMs = std::atoi(argv[arg + 1]);
        arg += 2;
    }
    if (arg >= argc)
        return fail("usage: bench_map_wait [--linger-ms N] program [args...]");

    // A server just started may take a moment to take connections.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    for (int tries = 0; xcb_connection_has_error(c) && tries < 100; ++tries) {
        xcb_disconnect(c);
        usleep(50000);
        c = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(c))
        return fail("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // Top-level windows are the root's children: their maps are the root's substructure.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        std::free(error);
        return fail("cannot watch the root window");
    }

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0)
        return fail("fork failed");
    if (child == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[arg], argv + arg);
        std::perror(argv[arg]);
        _exit(127);
    }

    double mapMs = -1;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (mapMs < 0) {
        if (msSince(start) > 30000) {
            kill(child, SIGKILL);
            return fail("no window within 30 s");
        }
        if (waitpid(child, nullptr, WNOHANG) == child)
            return fail("the program ended before mapping a window");
        poll(&fd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mapMs < 0) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect) // menus and tooltips are no top-level window
                    mapMs = msSince(start);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c))
            return fail("lost the display");
    }

    usleep(useconds_t(lingerMs) * 1000);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    std::printf("map_ms=%.1f maxrss_kb=%ld\n", mapMs, usage.ru_maxrss);
    xcb_disconnect(c);
    return 0;
}
