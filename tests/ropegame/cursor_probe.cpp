#include "tests/ropegame/cursor_probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

bool cursor_visible(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    bool visible = false;
    int event_base = 0, error_base = 0;
    if (XFixesQueryExtension(d, &event_base, &error_base)) {
        if (XFixesCursorImage* image = XFixesGetCursorImage(d)) {
            const unsigned long n = (unsigned long)image->width * image->height;
            for (unsigned long i = 0; i < n && !visible; ++i)
                visible = (image->pixels[i] >> 24) != 0;
            XFree(image);
        }
    }
    XCloseDisplay(d);
    return visible;
}
