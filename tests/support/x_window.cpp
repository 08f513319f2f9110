#include "tests/support/x_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tovek::test {
namespace {

class Connection {
  public:
    explicit Connection(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}
    ~Connection() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    ::Display* Get() const { return display_; }

  private:
    ::Display* display_;
};

}  // namespace

bool RequestWindowClose(const std::string& display, unsigned long window) {
    Connection connection(display);
    ::Display* x = connection.Get();
    if (x == nullptr) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(x, window, False, NoEventMask, &event) != 0;
    XSync(x, False);
    return sent;
}

std::string WindowTitle(const std::string& display, unsigned long window) {
    Connection connection(display);
    ::Display* x = connection.Get();
    if (x == nullptr) return "";
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(x, "UTF8_STRING", False), &type, &format, &count, &remaining,
                           &data) == Success &&
        data != nullptr) {
        if (format == 8) title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return title;
}

std::vector<unsigned long> WindowIcon(const std::string& display, unsigned long window) {
    Connection connection(display);
    ::Display* x = connection.Get();
    if (x == nullptr) return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> icon;
    if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_ICON", False), 0, 1 << 20, False,
                           XA_CARDINAL, &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        // Xlib hands 32-bit items as longs, sign-extended.
        if (format == 32) {
            const auto* items = reinterpret_cast<const long*>(data);
            for (unsigned long i = 0; i < count; ++i)
                icon.push_back(static_cast<unsigned long>(items[i]) & 0xFFFFFFFFUL);
        }
        XFree(data);
    }
    return icon;
}

std::optional<std::pair<int, int>> WindowMinimumSize(const std::string& display,
                                                     unsigned long window) {
    Connection connection(display);
    ::Display* x = connection.Get();
    if (x == nullptr) return std::nullopt;
    XSizeHints hints{};
    long supplied = 0;
    if (XGetWMNormalHints(x, window, &hints, &supplied) == 0 || (hints.flags & PMinSize) == 0) {
        return std::nullopt;
    }
    return std::pair{hints.min_width, hints.min_height};
}

}  // namespace tovek::test
