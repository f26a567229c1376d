// Starts a program and waits, on the X server's own events rather than by
// polling, for its window titled TITLE to be mapped; then prints, as
// bench/startup_bench.sh reads them: the milliseconds from the start to the
// map, the shared libraries the program has mapped, the processor time its
// threads have used, in ms, and its process id. The program is left running.
// Fails when the program ends first or after LIMIT seconds.
// Usage: tarvelo_map_watch TITLE LIMIT PROGRAM [ARGUMENT...]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <set>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t Atom(xcb_connection_t* x, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::string Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name)
{
    auto* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::string value;
    if (reply)
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return value;
}

// Processor time of the process's threads so far, in ms.
long ProcessorMs(pid_t pid)
{
    long long ns = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream stat(task.path() / "schedstat");
        long long onCpu = 0;
        if (stat >> onCpu)
            ns += onCpu;
    }
    return static_cast<long>(ns / 1000000);
}

std::size_t SharedLibraries(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libraries;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
            libraries.insert(line.substr(slash));
    }
    return libraries.size();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE LIMIT PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const auto limit = std::chrono::seconds(std::atoi(argv[2]));

    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "map_watch: no X display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    const xcb_atom_t netName = Atom(x, "_NET_WM_NAME"); // a round trip: the mask is in force

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(xcb_get_file_descriptor(x));
        // Its output goes with its messages: the caller reads ours to the end.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[3], argv + 3);
        std::perror(argv[3]);
        _exit(127);
    }
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    auto fail = [&](const char* why) {
        std::fprintf(stderr, "map_watch: %s %s\n", argv[3], why);
        kill(pid, SIGTERM);
        return 1;
    };

    pollfd wait{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (!mapped)
                continue;
            const auto shown = Clock::now();
            const long cpu = ProcessorMs(pid);
            const std::size_t libraries = SharedLibraries(pid);
            if (Property(x, window, netName) != title &&
                Property(x, window, XCB_ATOM_WM_NAME) != title)
                continue;
            const auto ms =
                std::chrono::duration_cast<std::chrono::milliseconds>(shown - start).count();
            std::printf("%lld %zu %ld %d\n", static_cast<long long>(ms), libraries, cpu, pid);
            return 0;
        }
        if (xcb_connection_has_error(x))
            return fail("lost the X display");
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return fail("ended without a window");
        if (Clock::now() - start > limit)
            return fail("showed no window in time");
        poll(&wait, 1, 20);
    }
}
