#include "tests/support/GuiHarness.h"

namespace corvix::testing
{
/** A plain top-level window: no title bar, no native decoration, so that the content's top-left is
    the peer's top-left. */
class GuiHarness::Window final : public juce::Component
{
public:
    Window() : juce::Component ("test window") {}

    void resized() override
    {
        if (auto* child = getChildComponent (0))
            child->setBounds (getLocalBounds());
    }
};

GuiHarness::GuiHarness (juce::Component& c, int width, int height) : content (c), window (std::make_unique<Window>())
{
    const auto w = width > 0 ? width : juce::jmax (1, content.getWidth());
    const auto h = height > 0 ? height : juce::jmax (1, content.getHeight());

    window->addAndMakeVisible (content);
    window->setBounds (0, 0, w, h);
    window->addToDesktop (0);
    window->setVisible (true);
    pump (20);
}

GuiHarness::~GuiHarness()
{
    window->removeChildComponent (&content);
    window->removeFromDesktop();
    window = nullptr;
    pump();
}

juce::Component& GuiHarness::getWindow() { return *window; }

void GuiHarness::pump (int milliseconds)
{
    auto* manager = juce::MessageManager::getInstance();
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) juce::jmax (0, milliseconds);

    do
        manager->runDispatchLoopUntil (1);
    while (juce::Time::getMillisecondCounter() < end);
}

bool GuiHarness::pumpUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return condition();

        pump (2);
    }

    return true;
}

juce::Point<float> GuiHarness::toPeer (juce::Component& target, juce::Point<int> local)
{
    return window->getLocalPoint (&target, local).toFloat();
}

void GuiHarness::send (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons)
{
    auto* peer = window->getPeer();
    jassert (peer != nullptr);

    if (peer == nullptr)
        return;

    // Each event a little later than the last, so the framework never takes two presses for a
    // double click unless a test makes them so.
    eventTime += 400;
    peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, toPeer (target, local), buttons,
                            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                            juce::Time::currentTimeMillis() + eventTime);
}

void GuiHarness::mouseMove (juce::Component& target, juce::Point<int> local) { send (target, local, {}); }

void GuiHarness::mouseDown (juce::Component& target, juce::Point<int> local, bool rightButton)
{
    mouseMove (target, local);
    send (target, local, rightButton ? juce::ModifierKeys::rightButtonModifier : juce::ModifierKeys::leftButtonModifier);
}

void GuiHarness::mouseDrag (juce::Component& target, juce::Point<int> local)
{
    send (target, local, juce::ModifierKeys::leftButtonModifier);
}

void GuiHarness::mouseUp (juce::Component& target, juce::Point<int> local) { send (target, local, {}); }

void GuiHarness::click (juce::Component& target, bool rightButton)
{
    const auto centre = target.getLocalBounds().getCentre();
    mouseDown (target, centre, rightButton);
    mouseUp (target, centre);
    pump();
}

void GuiHarness::drag (juce::Component& from, juce::Component& to) { dragTo (from, to, to.getLocalBounds().getCentre()); }

void GuiHarness::dragTo (juce::Component& from, juce::Component& to, juce::Point<int> local)
{
    // Positions in the window, taken before anything moves: the dragged component moves with the
    // mouse.
    const auto start = window->getLocalPoint (&from, from.getLocalBounds().getCentre());
    const auto end = window->getLocalPoint (&to, local);

    mouseDown (*window, start);

    for (int step = 1; step <= 4; ++step)
        mouseDrag (*window, start + (end - start) * step / 4);

    mouseUp (*window, end);
    pump();
}

juce::Image GuiHarness::snapshot (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
}

bool GuiHarness::writePng (const juce::Image& image, const juce::File& file)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    return stream.openedOk() && png.writeImageToStream (image, stream);
}

juce::Button* findButtonWithText (juce::Component& root, const juce::String& text)
{
    return findFirst<juce::Button> (root, [&] (juce::Button& b) { return b.getButtonText() == text; });
}
} // namespace corvix::testing
