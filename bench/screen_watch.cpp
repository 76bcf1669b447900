// Watches the screen the way a person sees it: starts a program on the X display, reads the screen
// through the X shared-memory extension (XShmGetImage) every 2 ms and notes when its picture
// changes. Two measures:
//   screen_watch choose DELAY_MS VIEW -- PROGRAM [ARGS...]
//     waits for the program's first picture (its splash) and for the keyboard focus, waits DELAY_MS
//     more, presses Return (through XTest) and follows the screen until it has stayed still for
//     1.5 s. Prints, in ms:  splash (start to first picture), first (key to the first change),
//     window (key to the last change outside VIEW), page (key to the last change inside VIEW),
//     final (key to the last change), start_final (start to the last change).
//   screen_watch show VIEW -- PROGRAM [ARGS...]
//     follows the screen from the start. Prints first and final, from the start.
// VIEW is X,Y,W,H on the screen (the HTML view), or "-" for none. Changes no wider than 2 pixels
// (a blinking text cursor) are not counted. The program and the processes it starts are ended
// afterwards. bench/startup.sh runs it on a virtual display.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The screen as the X server holds it, read into shared memory.
class ScreenReader {
public:
    explicit ScreenReader(Display* display) : display_(display)
    {
        const int screen = DefaultScreen(display);
        image_ = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap,
                                 nullptr, &shm_, DisplayWidth(display, screen), DisplayHeight(display, screen));
        shm_.shmid = shmget(IPC_PRIVATE, std::size_t(image_->bytes_per_line) * image_->height, IPC_CREAT | 0600);
        shm_.shmaddr = image_->data = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
        shm_.readOnly = False;
        XShmAttach(display, &shm_);
        XSync(display, False);
        shmctl(shm_.shmid, IPC_RMID, nullptr);  // gone once both sides detach
        previous_.assign(bytes(), 0);
    }
    ~ScreenReader()
    {
        XShmDetach(display_, &shm_);
        XDestroyImage(image_);
        shmdt(shm_.shmaddr);
    }

    std::size_t bytes() const { return std::size_t(image_->bytes_per_line) * std::size_t(image_->height); }

    // Reads the screen; returns the box of what changed since the last read (w 0 when nothing).
    Rect read()
    {
        XShmGetImage(display_, DefaultRootWindow(display_), image_, 0, 0, AllPlanes);
        const int stride = image_->bytes_per_line;
        const int pixel = image_->bits_per_pixel / 8;
        Rect box;
        int top = -1, bottom = -1, left = image_->width, right = -1;
        for (int y = 0; y < image_->height; ++y) {
            const char* now = image_->data + std::size_t(y) * stride;
            const char* before = previous_.data() + std::size_t(y) * stride;
            if (std::memcmp(now, before, std::size_t(stride)) == 0)
                continue;
            if (top < 0)
                top = y;
            bottom = y;
            int first = 0, last = image_->width - 1;
            while (std::memcmp(now + first * pixel, before + first * pixel, std::size_t(pixel)) == 0)
                ++first;
            while (std::memcmp(now + last * pixel, before + last * pixel, std::size_t(pixel)) == 0)
                --last;
            left = std::min(left, first);
            right = std::max(right, last);
        }
        std::memcpy(previous_.data(), image_->data, bytes());
        if (top >= 0)
            box = {left, top, right - left + 1, bottom - top + 1};
        return box;
    }

private:
    Display* display_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    std::string previous_;
};

bool Overlaps(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Whether the change reaches outside the view.
bool ReachesOutside(const Rect& change, const Rect& view)
{
    return view.w == 0 || change.x < view.x || change.y < view.y || change.x + change.w > view.x + view.w ||
        change.y + change.h > view.y + view.h;
}

pid_t Start(char** argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);  // a group of its own, so that its engine processes end with it
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            _exit(126);
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid)
{
    kill(-pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (i == 199) {
            kill(-pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    kill(-pid, SIGKILL);  // whatever of the group is left
}

bool HasFocus(Display* display)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus != None && focus != PointerRoot && focus != DefaultRootWindow(display);
}

void PressReturn(Display* display)
{
    const KeyCode key = XKeysymToKeycode(display, XK_Return);
    XTestFakeKeyEvent(display, key, True, 0);
    XTestFakeKeyEvent(display, key, False, 0);
    XSync(display, False);
}

constexpr double PollMs = 2, QuietMs = 1500, LimitMs = 20000;

}  // namespace

int main(int argc, char** argv)
{
    const bool choose = argc > 1 && std::strcmp(argv[1], "choose") == 0;
    const int viewAt = choose ? 3 : 2;
    int separator = viewAt + 1;
    if (argc <= separator + 1 || std::strcmp(argv[separator], "--") != 0 ||
        (!choose && std::strcmp(argv[1], "show") != 0)) {
        std::fprintf(stderr,
                     "usage: %s choose DELAY_MS VIEW -- PROGRAM [ARGS...]\n"
                     "       %s show VIEW -- PROGRAM [ARGS...]\n",
                     argv[0], argv[0]);
        return 2;
    }
    const double delayMs = choose ? std::atof(argv[2]) : 0;
    Rect view;
    if (std::strcmp(argv[viewAt], "-") != 0 &&
        std::sscanf(argv[viewAt], "%d,%d,%d,%d", &view.x, &view.y, &view.w, &view.h) != 4) {
        std::fprintf(stderr, "VIEW is X,Y,W,H or -\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "screen_watch: cannot open the X display '%s'\n", XDisplayName(nullptr));
        return 2;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XShmQueryExtension(display) || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "screen_watch: the X display lacks the MIT-SHM or the XTEST extension\n");
        return 2;
    }
    auto screen = std::make_unique<ScreenReader>(display);
    screen->read();  // the screen before the program

    const double started = NowMs();
    const pid_t pid = Start(argv + separator + 1);
    double firstPicture = -1, key = -1, firstChange = -1, lastChange = -1, lastInView = -1, lastOutside = -1;
    bool ok = true;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::microseconds(int(PollMs * 1000)));
        const Rect change = screen->read();
        const double now = NowMs();
        if (change.w > 2) {
            if (firstPicture < 0)
                firstPicture = now;
            if (key >= 0 || !choose) {
                if (firstChange < 0)
                    firstChange = now;
                lastChange = now;
                if (view.w > 0 && Overlaps(change, view))
                    lastInView = now;
                if (ReachesOutside(change, view))
                    lastOutside = now;
            }
        }
        if (choose && key < 0 && firstPicture >= 0 && now - firstPicture >= delayMs && HasFocus(display)) {
            PressReturn(display);
            key = NowMs();
        }
        const double since = key >= 0 ? key : started;
        if ((lastChange >= 0 && now - lastChange >= QuietMs) || now - since > LimitMs) {
            ok = lastChange >= 0 && now - lastChange >= QuietMs;
            break;
        }
    }
    Stop(pid);
    screen.reset();
    XCloseDisplay(display);
    if (!ok) {
        std::fprintf(stderr, "screen_watch: %s\n",
                     lastChange < 0 ? "nothing changed on the screen" : "the screen did not settle within 20 s");
        return 1;
    }
    const auto after = [](double moment, double from) { return moment >= 0 ? moment - from : -1; };
    if (choose)
        std::printf("screen splash %.1f first %.1f window %.1f page %.1f final %.1f start_final %.1f\n",
                    firstPicture - started, after(firstChange, key), after(lastOutside, key), after(lastInView, key),
                    after(lastChange, key), lastChange - started);
    else
        std::printf("screen first %.1f final %.1f\n", firstChange - started, lastChange - started);
    return 0;
}
