#include "editor/LookAndFeelUsers.h"

#include <algorithm>

namespace NsOrvelA
{
void detachLookAndFeel (juce::Component& root, std::initializer_list<const juce::LookAndFeel*> looks)
{
    for (auto* child : root.getChildren())
        detachLookAndFeel (*child, looks);

    // A component that only inherits one of the looks holds no reference; clearing its own setting
    // then changes nothing.
    if (std::find (looks.begin(), looks.end(), &root.getLookAndFeel()) != looks.end())
        root.setLookAndFeel (nullptr);
}
} // namespace NsOrvelA
