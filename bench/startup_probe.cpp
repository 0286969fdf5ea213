// Starts one program on the X display and watches it from outside, the same
// way for every program whatever its toolkit:
//   mapped       a new top-level window became viewable;
//   first paint  the X server reports drawing into it (DAMAGE extension) and
//                its pixels are no longer all one colour;
//   settled      the last drawing of the burst that began with the first
//                paint, once nothing has been drawn for --settle ms;
//   rss          VmRSS from /proc/<pid>/status, --rss-delay ms after the
//                first paint, with its anonymous, file-backed and shared
//                parts (RssAnon, RssFile, RssShmem);
//   cpu          CPU time the program had used (all its threads, from
//                /proc/<pid>/task/*/schedstat) when the first paint was seen:
//                less disturbed than wall time by other load on the machine;
//   --smaps FILE a copy of /proc/<pid>/smaps taken with rss, to see which
//                mappings the memory is in.
// Times are milliseconds from just before fork(). The program is then ended
// (SIGTERM to its process group, SIGKILL after two seconds).
//
// Run it on a display with a black root window (Xvfb -br): a window that has
// been mapped but not drawn shows the black beneath it or its own plain
// background, so "not one colour" means the program has drawn.
//
// Output: one line of JSON, e.g.
//   {"ok":true,"mapped_ms":61.2,"first_paint_ms":88.4,"settled_ms":88.4,"cpu_ms":52.1,
//    "rss_kb":41236,"anon_kb":9120,"file_kb":31040,"shmem_kb":1076,"hwm_kb":41236,
//    "width":203,"height":84,"exited":false}
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    double timeoutMs = 20000;
    double settleMs = 300;
    double rssDelayMs = 1000;
    const char *smapsCopy = nullptr;
    std::vector<char *> command;
};

struct Tracked {
    Damage damage = 0;
};

bool g_xError = false;

int ignoreXError(Display *, XErrorEvent *)
{
    g_xError = true;
    return 0;
}

double msSince(Clock::time_point start, Clock::time_point now = Clock::now())
{
    return std::chrono::duration<double, std::milli>(now - start).count();
}

[[noreturn]] void usage()
{
    std::fprintf(stderr,
                 "usage: startup_probe [--timeout MS] [--settle MS] [--rss-delay MS] [--smaps FILE] -- PROGRAM [ARGS...]\n");
    std::exit(2);
}

Options parseOptions(int argc, char **argv)
{
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            usage();
        if (arg == "--timeout")
            options.timeoutMs = std::atof(argv[++i]);
        else if (arg == "--settle")
            options.settleMs = std::atof(argv[++i]);
        else if (arg == "--rss-delay")
            options.rssDelayMs = std::atof(argv[++i]);
        else if (arg == "--smaps")
            options.smapsCopy = argv[++i];
        else
            usage();
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        usage();
    options.command.push_back(nullptr);
    return options;
}

// The part of `window` that lies on the screen, in window coordinates.
bool visibleArea(Display *display, Window window, int &x, int &y, int &width, int &height)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    const int screenWidth = WidthOfScreen(attributes.screen);
    const int screenHeight = HeightOfScreen(attributes.screen);
    const int left = std::max(rootX, 0), top = std::max(rootY, 0);
    const int right = std::min(rootX + attributes.width, screenWidth);
    const int bottom = std::min(rootY + attributes.height, screenHeight);
    x = left - rootX;
    y = top - rootY;
    width = right - left;
    height = bottom - top;
    return width > 0 && height > 0;
}

// True when the window's visible pixels are not all one colour.
bool isDrawn(Display *display, Window window)
{
    int x, y, width, height;
    g_xError = false;
    if (!visibleArea(display, window, x, y, width, height) || width < 8 || height < 8)
        return false;
    XImage *image = XGetImage(display, window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    XSync(display, False);
    if (!image || g_xError) {
        if (image)
            XDestroyImage(image);
        return false;
    }
    bool drawn = false;
    if (image->bits_per_pixel == 32) {
        const std::uint32_t mask = image->depth >= 32 ? 0xffffffffu : 0x00ffffffu;
        const auto first = *reinterpret_cast<const std::uint32_t *>(image->data) & mask;
        for (int row = 0; row < height && !drawn; ++row) {
            const auto *pixels = reinterpret_cast<const std::uint32_t *>(image->data + row * image->bytes_per_line);
            for (int column = 0; column < width; ++column) {
                if ((pixels[column] & mask) != first) {
                    drawn = true;
                    break;
                }
            }
        }
    } else {
        const unsigned long first = XGetPixel(image, 0, 0);
        for (int row = 0; row < height && !drawn; ++row)
            for (int column = 0; column < width && !drawn; ++column)
                drawn = XGetPixel(image, column, row) != first;
    }
    XDestroyImage(image);
    return drawn;
}

std::set<Window> topLevelWindows(Display *display)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    std::set<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        windows.insert(children, children + count);
        XFree(children);
    }
    return windows;
}

long statusField(pid_t pid, const char *field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::atol(line.c_str() + prefix.size());
    return -1;
}

// Nanoseconds on the CPU, summed over the process's threads.
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *directory = opendir(tasks.c_str());
    if (!directory)
        return -1;
    double total = 0;
    while (const dirent *entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double ns = 0;
        if (schedstat >> ns)
            total += ns;
    }
    closedir(directory);
    return total / 1e6;
}

pid_t launch(const Options &options)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execvp(options.command[0], options.command.data());
        std::perror("startup_probe: exec");
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(-pid, SIGTERM);
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            kill(-pid, SIGKILL); // helpers it may have left behind
            return;
        }
        usleep(10000);
    }
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

struct Observation {
    double mapped = -1, firstPaint = -1, settled = -1, cpu = -1;
    int width = 0, height = 0;
    bool exited = false;
};

class Watcher {
public:
    Watcher(Display *display, int damageEvent, const Options &options)
        : m_display(display), m_damageEvent(damageEvent), m_options(options),
          m_before(topLevelWindows(display))
    {
    }

    Observation watch(Clock::time_point start, pid_t pid)
    {
        m_pid = pid;
        Observation seen;
        double lastDamage = -1;
        for (;;) {
            const double now = msSince(start);
            if (now > m_options.timeoutMs)
                break;
            if (seen.firstPaint >= 0 && now - lastDamage >= m_options.settleMs)
                break;
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                seen.exited = true;
                break;
            }
            if (!XPending(m_display)) {
                pollfd descriptor{ConnectionNumber(m_display), POLLIN, 0};
                poll(&descriptor, 1, 5);
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            const double at = msSince(start);
            if (event.type == MapNotify)
                onMap(event.xmap.window, at, seen, lastDamage);
            else if (event.type == m_damageEvent + XDamageNotify)
                onDamage(reinterpret_cast<XDamageNotifyEvent &>(event), at, seen, lastDamage);
        }
        seen.settled = lastDamage;
        return seen;
    }

private:
    void onMap(Window window, double at, Observation &seen, double &lastDamage)
    {
        if (m_before.count(window) || m_tracked.count(window))
            return;
        Tracked &tracked = m_tracked[window];
        tracked.damage = XDamageCreate(m_display, window, XDamageReportNonEmpty);
        if (seen.mapped < 0)
            seen.mapped = at;
        // The program may have drawn before the damage object existed.
        checkDrawn(window, at, seen, lastDamage);
    }

    void onDamage(const XDamageNotifyEvent &event, double at, Observation &seen, double &lastDamage)
    {
        const auto found = m_tracked.find(event.drawable);
        if (found == m_tracked.end())
            return;
        XDamageSubtract(m_display, found->second.damage, None, None);
        if (seen.firstPaint >= 0) {
            lastDamage = at;
            return;
        }
        checkDrawn(event.drawable, at, seen, lastDamage);
    }

    void checkDrawn(Window window, double at, Observation &seen, double &lastDamage)
    {
        if (seen.firstPaint >= 0 || !isDrawn(m_display, window))
            return;
        seen.firstPaint = lastDamage = at;
        seen.cpu = cpuMs(m_pid);
        int x, y;
        visibleArea(m_display, window, x, y, seen.width, seen.height);
    }

    Display *m_display;
    int m_damageEvent;
    const Options &m_options;
    std::set<Window> m_before;
    std::map<Window, Tracked> m_tracked;
    pid_t m_pid = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    Watcher watcher(display, damageEvent, options);

    const Clock::time_point start = Clock::now();
    const pid_t pid = launch(options);
    const Observation seen = watcher.watch(start, pid);

    long rss = -1, hwm = -1, anon = -1, file = -1, shmem = -1;
    if (seen.firstPaint >= 0 && !seen.exited) {
        const double wait = seen.firstPaint + options.rssDelayMs - msSince(start);
        if (wait > 0)
            usleep(useconds_t(wait * 1000));
        rss = statusField(pid, "VmRSS");
        hwm = statusField(pid, "VmHWM");
        anon = statusField(pid, "RssAnon");
        file = statusField(pid, "RssFile");
        shmem = statusField(pid, "RssShmem");
        if (options.smapsCopy) {
            std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
            std::ofstream(options.smapsCopy) << smaps.rdbuf();
        }
    }
    if (!seen.exited)
        stop(pid);
    XCloseDisplay(display);

    std::printf("{\"ok\":%s,\"mapped_ms\":%.2f,\"first_paint_ms\":%.2f,\"settled_ms\":%.2f,\"cpu_ms\":%.2f,"
                "\"rss_kb\":%ld,\"anon_kb\":%ld,\"file_kb\":%ld,\"shmem_kb\":%ld,\"hwm_kb\":%ld,"
                "\"width\":%d,\"height\":%d,\"exited\":%s}\n",
                seen.firstPaint >= 0 && rss > 0 ? "true" : "false", seen.mapped, seen.firstPaint, seen.settled,
                seen.cpu, rss, anon, file, shmem, hwm, seen.width, seen.height, seen.exited ? "true" : "false");
    return seen.firstPaint >= 0 ? 0 : 1;
}
