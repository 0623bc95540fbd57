#include "link/ReplacedTreeRelease.h"

#include <mutex>
#include <thread>

namespace NsOrvelA
{
namespace
{
/** True when each node of the tree is held only by its parent (the root only by `tree`): then no
    other thread, handle, value or listener of the program can reach any of it. */
bool isReachableOnlyThroughRoot (const juce::ValueTree& node, bool isRoot)
{
    // A handle made for the walk below adds one to each child's count.
    if (node.getReferenceCount() != (isRoot ? 1 : 2))
        return false;

    for (const auto& child : node)
        if (! isReachableOnlyThroughRoot (child, false))
            return false;

    return true;
}

class Releases
{
public:
    ~Releases() { wait(); }

    void add (juce::ValueTree&& tree)
    {
        const std::lock_guard<std::mutex> lock (mutex);

        // One at a time: a second replaced tree waits for the first, so no more than one old
        // tree is held beside the live one.
        if (worker.joinable())
            worker.join();

        worker = std::thread ([released = std::move (tree)]() mutable { released = {}; });
    }

    void wait()
    {
        const std::lock_guard<std::mutex> lock (mutex);

        if (worker.joinable())
            worker.join();
    }

private:
    std::mutex mutex;
    std::thread worker;
};

Releases& releases()
{
    static Releases instance;
    return instance;
}
} // namespace

bool releaseReplacedTree (juce::ValueTree&& tree)
{
    auto taken = std::move (tree);

    if (! taken.isValid() || ! isReachableOnlyThroughRoot (taken, true))
        return false; // released here, with the last handle

    releases().add (std::move (taken));
    return true;
}

void waitForReplacedTreeReleases() { releases().wait(); }
} // namespace NsOrvelA
