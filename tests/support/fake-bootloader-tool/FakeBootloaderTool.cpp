// A stand-in for the maker's bootloader tool: the same command line and the same kind of output,
// with the unit's flash kept in a file. Its state folder comes from the environment variable
// CORVIX_FAKE_TOOL_DIR and holds:
//   flash.bin  the flash from the firmware address on (bytes past its end read as erased, FF);
//   calls.log  one line per run, its arguments after the program name joined by tabs;
//   script     lines "<command> <behaviour>": for that command the tool does not do its work but
//              fails (a status without success), is silent (prints nothing), crashes, hangs, or,
//              for read-memory, returns a read-back that differs in one byte ("differ") or
//              reports success without writing the read-back file ("nofile"); or it does its
//              work but prints its whole answer on standard error ("stderr").
// Without a state folder, or with a command line it does not know, it prints no status line.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr unsigned long firmwareAddress = 0x60010000UL;
constexpr std::size_t flashSize = 4 * 1024 * 1024;

using Bytes = std::vector<unsigned char>;

Bytes readFile (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return Bytes (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char>());
}

bool writeFile (const std::string& path, const Bytes& bytes)
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out.write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
    return static_cast<bool> (out);
}

std::map<std::string, std::string> readScript (const std::string& path)
{
    std::map<std::string, std::string> behaviours;
    std::ifstream in (path);
    std::string command, behaviour;

    while (in >> command >> behaviour)
        behaviours[command] = behaviour;

    return behaviours;
}

bool parseNumber (const std::string& text, unsigned long& value)
{
    if (text.empty())
        return false;

    char* end = nullptr;
    value = std::strtoul (text.c_str(), &end, 0);
    return end != nullptr && *end == 0;
}

int succeed()
{
    std::cout << "Response status = 0 (0x0) Success." << std::endl;
    return 0;
}

int refuse (const char* why)
{
    std::cout << "Response status = 10000 (0x2710) " << why << std::endl;
    return 1;
}

class Flash
{
public:
    explicit Flash (std::string pathToUse) : path (std::move (pathToUse)) { bytes = readFile (path); }

    /** Only what was ever touched is kept in the file; bytes past its end read as erased. */
    void reach (std::size_t length)
    {
        if (bytes.size() < length)
            bytes.resize (length, 0xFF);
    }

    bool save() const { return writeFile (path, bytes); }

    Bytes bytes;

private:
    std::string path;
};

int run (const std::vector<std::string>& args, const std::string& folder)
{
    const auto behaviours = readScript (folder + "/script");
    std::size_t next = 0;

    if (next >= args.size() || args[next++] != "-u")
        return 2;

    if (next < args.size() && args[next] == "-t")
    {
        unsigned long timeout = 0;

        if (next + 1 >= args.size() || ! parseNumber (args[next + 1], timeout))
            return 2;

        next += 2;
    }

    if (next >= args.size() || args[next++] != "--" || next >= args.size())
        return 2;

    const auto command = args[next++];
    const std::vector<std::string> operands (args.begin() + static_cast<std::ptrdiff_t> (next), args.end());
    const auto scripted = behaviours.find (command);
    const auto behaviour = scripted == behaviours.end() ? std::string() : scripted->second;

    if (behaviour == "fail")
        return refuse ("Failed.");

    if (behaviour == "silent")
        return 0;

    if (behaviour == "crash")
        std::abort();

    // Everything the tool would print, the status line included, goes to standard error instead.
    if (behaviour == "stderr")
        std::cout.rdbuf (std::cerr.rdbuf());

    if (behaviour == "hang")
    {
        // Ends by itself after a while, so a runner that never kills it cannot leave it behind.
        std::this_thread::sleep_for (std::chrono::seconds (120));
        return 0;
    }

    Flash flash (folder + "/flash.bin");
    unsigned long address = 0;

    if (command == "get-property" && operands.size() == 1)
    {
        std::cout << "Response status = 0 (0x0) Success.\nResponse word 1 = 1258357760 (0x4b010000)\nCurrent Version = K1.1.0" << std::endl;
        return 0;
    }

    if (command == "reset" && operands.empty())
        return succeed();

    if (operands.empty() || ! parseNumber (operands[0], address) || address != firmwareAddress)
        return refuse ("Memory range invalid.");

    if (command == "flash-erase-region" && operands.size() == 2)
    {
        unsigned long length = 0;

        if (! parseNumber (operands[1], length) || length > flashSize)
            return refuse ("Memory range invalid.");

        flash.reach (length);
        std::fill (flash.bytes.begin(), flash.bytes.begin() + static_cast<std::ptrdiff_t> (length), 0xFF);
        return flash.save() ? succeed() : refuse ("Flash save failed.");
    }

    if (command == "write-memory" && operands.size() == 2)
    {
        const auto image = readFile (operands[1]);

        if (image.empty() || image.size() > flashSize)
            return refuse ("Cannot read file.");

        flash.reach (image.size());
        std::copy (image.begin(), image.end(), flash.bytes.begin());
        std::cout << "Wrote " << image.size() << " of " << image.size() << " bytes." << std::endl;
        return flash.save() ? succeed() : refuse ("Flash save failed.");
    }

    if (command == "read-memory" && operands.size() == 3)
    {
        unsigned long count = 0;

        if (! parseNumber (operands[1], count) || count > flashSize)
            return refuse ("Memory range invalid.");

        flash.reach (count);
        Bytes readBack (flash.bytes.begin(), flash.bytes.begin() + static_cast<std::ptrdiff_t> (count));

        if (behaviour == "nofile")
            return succeed();

        if (behaviour == "differ" && ! readBack.empty())
            readBack[readBack.size() / 2] ^= 0x01;

        if (! writeFile (operands[2], readBack))
            return refuse ("Cannot write file.");

        std::cout << "Read " << count << " of " << count << " bytes." << std::endl;
        return succeed();
    }

    return 2;
}
} // namespace

int main (int argc, char** argv)
{
    const char* folder = std::getenv ("CORVIX_FAKE_TOOL_DIR");

    if (folder == nullptr || *folder == 0)
    {
        std::cerr << "no state folder" << std::endl;
        return 2;
    }

    const std::vector<std::string> args (argv + 1, argv + argc);

    {
        std::ofstream log (std::string (folder) + "/calls.log", std::ios::app);

        for (std::size_t i = 0; i < args.size(); ++i)
            log << (i == 0 ? "" : "\t") << args[i];

        log << "\n";
    }

    const auto status = run (args, folder);

    if (status == 2)
        std::cout << "error: unknown command line" << std::endl;

    return status;
}
