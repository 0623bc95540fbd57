#include "platform/CommandCapture.h"

#include "platform/ProcessPipe.h"

#include <array>

namespace talvor
{
std::string runCommandCapture (const std::string& command)
{
    auto* pipe = openProcessPipe (command.c_str(), "r");

    if (pipe == nullptr)
        return {};

    std::string output;
    std::array<char, 512> buffer{};

    while (std::fgets (buffer.data(), static_cast<int> (buffer.size()), pipe) != nullptr)
        output += buffer.data();

    closeProcessPipe (pipe);

    // Only one: the caller of a tool that ends its output with a blank line still sees it.
    if (! output.empty() && output.back() == '\n')
        output.pop_back();

    return output;
}
} // namespace talvor
