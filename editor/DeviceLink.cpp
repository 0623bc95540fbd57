#include "editor/DeviceLink.h"

#include "link/Host.h"
#include "link/MyTimer.h"
#include "map/SharedEditingState.h"
#include "platform/MidiPacing.h"

#include <memory>

namespace NsOrvelA
{
namespace
{
constexpr int firstPeriodMs = 2000;

std::unique_ptr<MyTimer>& timerHolder()
{
    static std::unique_ptr<MyTimer> timer;
    return timer;
}

// Every label text blank and every table buffer zero, as the uploads expect before their first
// build.
void prepareUploadBuffers()
{
    slotLabelTexts = makeBlankSlotLabelTexts();

    for (auto& unit : deviceTableBuffers)
        for (auto& buffer : unit)
            buffer.fill (0);
}
} // namespace

bool startDeviceLink()
{
    auto& timer = timerHolder();

    if (timer != nullptr)
        return false;

    if (hostInstance == nullptr)
        hostInstance = Host::getInstance();

    timer = std::make_unique<MyTimer>();
    timer->startTimer (firstPeriodMs);

    talvor::osVersionLevel = 0;
    talvor::osVersionLevel = talvor::currentOsVersionLevel();

    prepareUploadBuffers();
    return true;
}

bool isDeviceLinkRunning() { return timerHolder() != nullptr; }

MyTimer* deviceWatchTimer() { return timerHolder().get(); }

void stopDeviceLink()
{
    auto& timer = timerHolder();

    if (timer != nullptr)
        timer->stopTimer();

    timer = nullptr;

    if (hostInstance != nullptr && hostInstance == Host::getInstanceWithoutCreating())
    {
        hostInstance = nullptr;
        Host::deleteInstance();
    }
}
} // namespace NsOrvelA
