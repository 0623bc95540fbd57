#include "shell/PaintedMapping.h"

#include <cstdlib>

#if JUCE_LINUX || JUCE_BSD
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

#if JUCE_LINUX || JUCE_BSD
namespace
{
Display* connection (void* display) { return static_cast<Display*> (display); }

/** A colour channel of 8 bits placed into a true-colour pixel's mask. */
unsigned long channelIn (unsigned long mask, juce::uint8 value)
{
    if (mask == 0)
        return 0;

    int shift = 0, bits = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    while (((mask >> (shift + bits)) & 1) != 0)
        ++bits;

    const auto scaled = bits >= 8 ? (unsigned long) value << (bits - 8) : (unsigned long) value >> (8 - bits);
    return (scaled << shift) & mask;
}

/** The window's picture in the window's own pixel format, as a pixmap of the server's; 0 if the
    window's visual is not one whose pixels can be written from colours directly. */
Pixmap pictureOf (Display* x, Window window, const XWindowAttributes& attributes, const juce::Image& picture)
{
    auto* visual = attributes.visual;

    if (visual == nullptr || visual->c_class != TrueColor || attributes.width <= 0 || attributes.height <= 0)
        return 0;

    const auto width = (unsigned int) attributes.width, height = (unsigned int) attributes.height;
    auto* image = XCreateImage (x, visual, (unsigned int) attributes.depth, ZPixmap, 0, nullptr, width, height, 32, 0);

    if (image == nullptr)
        return 0;

    image->data = static_cast<char*> (std::calloc ((size_t) image->bytes_per_line, height));

    if (image->data == nullptr)
    {
        XDestroyImage (image);
        return 0;
    }

    // A window of 32 bits has an alpha channel outside the colour masks: opaque.
    const auto colourBits = visual->red_mask | visual->green_mask | visual->blue_mask;
    const auto alpha = attributes.depth == 32 ? (0xffffffffUL & ~colourBits) : 0UL;
    const juce::Image::BitmapData pixels (picture, juce::Image::BitmapData::readOnly);

    for (int py = 0; py < (int) height; ++py)
        for (int px = 0; px < (int) width; ++px)
        {
            const auto colour = pixels.getPixelColour (juce::jmin (px, pixels.width - 1), juce::jmin (py, pixels.height - 1));
            XPutPixel (image, px, py,
                       alpha | channelIn (visual->red_mask, colour.getRed()) | channelIn (visual->green_mask, colour.getGreen())
                           | channelIn (visual->blue_mask, colour.getBlue()));
        }

    const auto pixmap = XCreatePixmap (x, window, width, height, (unsigned int) attributes.depth);
    auto* gc = XCreateGC (x, pixmap, 0, nullptr);
    XPutImage (x, pixmap, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC (x, gc);
    XDestroyImage (image);
    return pixmap;
}
} // namespace
#endif

PaintedMapping::~PaintedMapping() { release(); }

void PaintedMapping::show (juce::Component& window)
{
#if JUCE_LINUX || JUCE_BSD
    auto* peer = window.getPeer();
    display = peer != nullptr ? XOpenDisplay (nullptr) : nullptr;

    if (auto* x = connection (display))
    {
        windowId = (unsigned long) (juce::pointer_sized_uint) peer->getNativeHandle();
        XWindowAttributes attributes{};

        if (windowId != 0 && XGetWindowAttributes (x, windowId, &attributes) != 0 && window.getWidth() > 0)
        {
            const auto scale = (float) attributes.width / (float) window.getWidth();
            const auto picture = window.createComponentSnapshot (window.getLocalBounds(), true, scale);

            if (const auto pixmap = pictureOf (x, windowId, attributes, picture); pixmap != 0)
            {
                // The window keeps the pixmap as long as it is its background.
                XSetWindowBackgroundPixmap (x, windowId, pixmap);
                XFreePixmap (x, pixmap);
            }
        }

        // The background is in place before the window is mapped, which the framework asks for
        // through a connection of its own.
        XSync (x, False);
        startTimer (50);
    }
#endif

    window.setVisible (true);
}

void PaintedMapping::timerCallback()
{
#if JUCE_LINUX || JUCE_BSD
    // Once the window is viewable the server has filled it with the picture; a window manager
    // may take its time to show it.
    XWindowAttributes attributes{};

    if (XGetWindowAttributes (connection (display), windowId, &attributes) != 0 && attributes.map_state != IsViewable)
        return;
#endif

    release();
}

void PaintedMapping::release()
{
    stopTimer();

#if JUCE_LINUX || JUCE_BSD
    if (auto* x = connection (display))
    {
        XSetWindowBackgroundPixmap (x, windowId, None);
        XCloseDisplay (x);
    }
#endif

    display = nullptr;
}
