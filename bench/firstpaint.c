/* Starts a program and watches the X display for its top-level window (by the start of its name): prints the
 * process id and the milliseconds from the start to the window being mapped, to its first non-blank pixels
 * (more than one colour) and to its pixels settling (the last change before 300 ms without one).
 * Usage: firstpaint NAME-PREFIX TIMEOUT-MS PROGRAM [ARG...]   (native, for bench/run) */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <sys/types.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Windows come and go while we look: their errors are expected. */
static int ignore_errors(Display *d, XErrorEvent *e) {
    (void)d;
    (void)e;
    return 0;
}

static Window find_window(Display *d, Window root, const char *prefix) {
    Window parent, *children = NULL, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(d, root, &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; i++) {
        char *name = NULL;
        if (XFetchName(d, children[i], &name) && name) {
            if (strncmp(name, prefix, strlen(prefix)) == 0) found = children[i];
            XFree(name);
        }
    }
    if (children) XFree(children);
    return found;
}

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s NAME-PREFIX TIMEOUT-MS PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "firstpaint: no display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    const double timeout = atof(argv[2]);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    Window win = 0;
    double mapped = -1, painted = -1, changed = -1;
    uint64_t last_hash = 0;
    for (;;) {
        const double t = now_ms();
        if (t - start > timeout) break;
        if (!win) win = find_window(d, root, argv[1]);
        if (win && mapped < 0) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, win, &a) && a.map_state == IsViewable) mapped = t;
        }
        if (mapped >= 0) {
            XWindowAttributes a;
            XImage *image = NULL;
            if (XGetWindowAttributes(d, win, &a))
                image = XGetImage(d, win, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
            if (image) {
                uint64_t hash = 1469598103934665603ull;
                const unsigned long first = XGetPixel(image, 0, 0);
                int uniform = 1;
                for (int y = 0; y < image->height; y++) {
                    const unsigned char *row = (const unsigned char *)image->data + (size_t)y * image->bytes_per_line;
                    for (int x = 0; x < image->bytes_per_line; x++) hash = (hash ^ row[x]) * 1099511628211ull;
                }
                for (int y = 0; y < image->height && uniform; y += 2)
                    for (int x = 0; x < image->width && uniform; x += 2) uniform = XGetPixel(image, x, y) == first;
                XDestroyImage(image);
                if (!uniform && painted < 0) painted = t;
                if (hash != last_hash) {
                    last_hash = hash;
                    changed = t;
                }
                if (painted >= 0 && t - changed >= 300) break;
            }
        }
        const struct timespec pause = {0, mapped >= 0 ? 5000000 : 2000000};
        nanosleep(&pause, NULL);
    }
    const double settled = painted >= 0 && changed >= 0 ? changed - start : -1;
    printf("%d %.0f %.0f %.0f\n", (int)pid, mapped >= 0 ? mapped - start : -1, painted >= 0 ? painted - start : -1,
           settled);
    XCloseDisplay(d);
    return painted >= 0 ? 0 : 1;
}
