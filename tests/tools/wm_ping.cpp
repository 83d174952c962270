// wm_ping WINDOW SECONDS
//
// Pings the X client window WINDOW (an id, decimal or 0x hex) as a window manager does, with
// _NET_WM_PING, one ping at a time and a new one 50 ms after the last was sent (at once when
// its answer came later), for SECONDS. Prints the longest time in ms that the window left a
// ping unanswered; a ping still unanswered at the end counts for as long as it has waited.
// A desktop calls a program "not responding" when its window leaves such pings unanswered, so
// this is how long the program's window thread was held.
//
// Exits 0 after the watch, 1 on an X error (no display, no such window, no _NET_WM_PING in
// its WM_PROTOCOLS), 2 on a wrong command line.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
constexpr milliseconds PingEvery{50};

int Usage() {
    std::fprintf(stderr, "usage: wm_ping WINDOW SECONDS\n");
    return 2;
}

// Any X error (the window gone, above all) leaves nothing to measure.
int OnXError(Display* display, XErrorEvent* error) {
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "wm_ping: X error: %s\n", text);
    std::exit(1);
}

bool ListsPing(Display* display, Window window, Atom ping) {
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &protocols, &count))
        return false;
    const bool found = std::find(protocols, protocols + count, ping) != protocols + count;
    XFree(protocols);
    return found;
}

void SendPing(Display* display, Window window, Atom protocols, Atom ping, long serial) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    // Meant to be a server time; the client sends it back untouched, so a serial matches the
    // answer to its ping.
    event.xclient.data.l[1] = serial;
    event.xclient.data.l[2] = static_cast<long>(window);
    // No event mask: the message goes to the client that created the window.
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Usage();
    char* end = nullptr;
    const Window window = std::strtoul(argv[1], &end, 0);
    if (*end || window == 0)
        return Usage();
    const double seconds = std::strtod(argv[2], &end);
    if (*end || !(seconds > 0))
        return Usage();

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "wm_ping: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(OnXError);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    if (!ListsPing(display, window, ping)) {
        std::fprintf(stderr, "wm_ping: window 0x%lx does not answer _NET_WM_PING\n", window);
        return 1;
    }
    // The client answers by sending the message on to the root window, for the window
    // manager, to every client that selects there any of the events it names: substructure
    // events as the window manager standard has it, structure events as Qt sends it.
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);

    const Clock::time_point until =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(seconds));
    long serial = 0;
    bool waiting = false;
    Clock::time_point sentAt;
    Clock::time_point nextPing = Clock::now();
    Clock::duration longest{};
    for (Clock::time_point now = Clock::now(); now < until; now = Clock::now()) {
        if (!waiting && now >= nextPing) {
            SendPing(display, window, protocols, ping, ++serial);
            waiting = true;
            sentAt = now;
            nextPing = now + PingEvery;
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const XClientMessageEvent& answer = event.xclient;
            if (waiting && event.type == ClientMessage && answer.window == root &&
                answer.message_type == protocols && static_cast<Atom>(answer.data.l[0]) == ping &&
                answer.data.l[1] == serial) {
                waiting = false;
                longest = std::max(longest, Clock::now() - sentAt);
            }
        }
        const Clock::time_point wake = waiting ? until : std::min(nextPing, until);
        const auto wait = std::chrono::ceil<milliseconds>(wake - Clock::now()).count();
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(std::max<decltype(wait)>(wait, 0)));
    }
    if (waiting)
        longest = std::max(longest, Clock::now() - sentAt);
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<milliseconds>(longest).count()));
    XCloseDisplay(display);
    return 0;
}
