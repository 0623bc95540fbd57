#include "tests/shell/ProgramOnOwnDisplay.h"

#if defined(_WIN32)
// Windows has no X server to start the program on: the tests that need one skip themselves there,
// and this keeps them building.
namespace shelltest
{
ProgramOnOwnDisplay::ProgramOnOwnDisplay (int screenWidth, int screenHeight) : width (screenWidth), height (screenHeight) {}
ProgramOnOwnDisplay::~ProgramOnOwnDisplay() = default;
bool ProgramOnOwnDisplay::startProgram() { return false; }
juce::File ProgramOnOwnDisplay::commonSettingsFile() const { return {}; }
bool ProgramOnOwnDisplay::xdotool (const juce::StringArray&) const { return false; }
std::optional<ProgramOnOwnDisplay::WindowState> ProgramOnOwnDisplay::programWindow() const { return std::nullopt; }
void ProgramOnOwnDisplay::moveAndResize (unsigned long, juce::Rectangle<int>) const {}
void ProgramOnOwnDisplay::typeKey (const char*, bool) const {}
bool ProgramOnOwnDisplay::hasInputFocus (unsigned long) const { return false; }
juce::Image ProgramOnOwnDisplay::picture (unsigned long) const { return {}; }

bool ProgramOnOwnDisplay::waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return condition();

        juce::Thread::sleep (20);
    }

    return true;
}
} // namespace shelltest
#endif
