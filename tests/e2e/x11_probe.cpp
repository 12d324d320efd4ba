// What end-to-end tests need of X that the command-line tools do not offer:
//   x11_probe close WINDOW   asks a window to close as a desktop's close button does
//   x11_probe intern NAME    makes an atom exist (programs set some properties only then)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "intern") != 0)) {
        std::fprintf(stderr, "usage: x11_probe close WINDOW | x11_probe intern NAME\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11_probe: no display\n");
        return 1;
    }
    if (std::strcmp(argv[1], "intern") == 0) {
        Atom atom = XInternAtom(display, argv[2], False);
        // An atom lives as long as the server, but only once a client has used it in a request
        // that the server keeps: a property on the root window does.
        unsigned char none = 0;
        XChangeProperty(display, DefaultRootWindow(display), atom, atom, 8, PropModeReplace, &none,
                        0);
    } else {
        Window window = static_cast<Window>(std::strtoul(argv[2], nullptr, 0));
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
