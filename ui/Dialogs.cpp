#include "ui/Dialogs.h"

#include "ui/FrameworkDialogs.h"

namespace talvor
{
namespace
{
Dialogs* installedDialogs = nullptr;

Dialogs& frameworkDialogs()
{
    static FrameworkDialogs instance;
    return instance;
}
} // namespace

Dialogs& dialogs() { return installedDialogs != nullptr ? *installedDialogs : frameworkDialogs(); }

Dialogs* setDialogs (Dialogs* replacement)
{
    JUCE_ASSERT_MESSAGE_THREAD
    return std::exchange (installedDialogs, replacement);
}

ScopedDialogs::ScopedDialogs (Dialogs& replacement) : previous (setDialogs (&replacement)) {}

ScopedDialogs::~ScopedDialogs() { setDialogs (previous); }
} // namespace talvor
