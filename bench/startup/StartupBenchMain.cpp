// Start-up of the whole program, from the moment it is started to the first frame of its editor on
// the screen, against the framework's bare window program started the same way in the same run.
//
// Everything runs in a private file system view (bubblewrap): /var, where the program keeps its
// settings file for all users and the machine's temporary folder its single-instance lock, the home
// folder and the per-user folders (XDG_RUNTIME_DIR, XDG_CONFIG_HOME, XDG_DATA_HOME) are folders of
// this run, so no settings of the machine are read or written and a copy of the program running
// elsewhere on the machine does not stop the measured one. The programs are shown on a virtual X
// server of this run.
#include "bench/startup/FirstFrameWatch.h"
#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/MapState.h"

#include <juce_events/juce_events.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
using corvix::startup::FirstFrameWatch;
using corvix::startup::StartTimes;

const char* const sandboxMarker = "CORVIX_STARTUP_BENCH_SANDBOX";
constexpr double settleMs = 1500.0;
constexpr double timeoutMs = 60000.0;

pid_t spawn (const juce::StringArray& arguments, int keepFd = -1)
{
    std::vector<std::string> strings;
    for (const auto& argument : arguments)
        strings.push_back (argument.toStdString());
    std::vector<char*> argv;
    for (auto& s : strings)
        argv.push_back (s.data());
    argv.push_back (nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    // The framework's X noise and the program's messages are not part of the report.
    posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 2, "/dev/null", O_WRONLY, 0);
    for (int fd = 3; fd < 64; ++fd)
        if (fd != keepFd)
            posix_spawn_file_actions_addclose (&actions, fd);
    pid_t pid = -1;
    if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy (&actions);
    return pid;
}

void stop (pid_t pid)
{
    if (pid <= 0)
        return;
    kill (pid, SIGKILL);
    int status = 0;
    waitpid (pid, &status, 0);
}

/** Runs this program again inside a private view of /var and the home folder. */
int runInSandbox (int argc, char** argv)
{
    const auto scratch = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("corvix_startup_bench", "");
    const auto var = scratch.getChildFile ("var"), home = scratch.getChildFile ("home"), run = scratch.getChildFile ("run");
    for (const auto& folder : { var.getChildFile ("tmp"), var.getChildFile ("cache"), var.getChildFile ("lib"), home, run })
        folder.createDirectory();
    ::chmod (run.getFullPathName().toRawUTF8(), 0700); // as a per-user runtime folder must be

    juce::StringArray arguments{ "/usr/bin/bwrap", "--dev-bind", "/", "/", "--bind", var.getFullPathName(), "/var",
                                 // The font and package caches stay the machine's own.
                                 "--ro-bind", "/var/cache", "/var/cache", "--ro-bind", "/var/lib", "/var/lib", "--setenv", "HOME",
                                 home.getFullPathName(), "--setenv", sandboxMarker, home.getFullPathName(),
                                 // Per-user folders the program may keep a lock or settings in.
                                 "--setenv", "XDG_RUNTIME_DIR", run.getFullPathName(), "--setenv", "XDG_CONFIG_HOME",
                                 home.getChildFile (".config").getFullPathName(), "--setenv", "XDG_DATA_HOME",
                                 home.getChildFile (".local/share").getFullPathName(), "--die-with-parent", "--",
                                 juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName() };
    for (int i = 1; i < argc; ++i)
        arguments.add (argv[i]);

    std::vector<std::string> strings;
    for (const auto& argument : arguments)
        strings.push_back (argument.toStdString());
    std::vector<char*> childArgv;
    for (auto& s : strings)
        childArgv.push_back (s.data());
    childArgv.push_back (nullptr);

    pid_t pid = -1;
    int status = 1;
    if (posix_spawn (&pid, childArgv[0], nullptr, nullptr, childArgv.data(), environ) == 0)
        waitpid (pid, &status, 0);
    else
        std::fprintf (stderr, "could not run bubblewrap (/usr/bin/bwrap), which gives the programs a private /var\n");
    scratch.deleteRecursively();
    return WIFEXITED (status) ? WEXITSTATUS (status) : 1;
}

/** A virtual X server of the run's own, with a screen on which the program's first window has
    the editor's size; returns its display name. */
std::string startXServer (pid_t& serverPid)
{
    int fds[2];
    if (pipe (fds) != 0)
        return {};
    serverPid =
        spawn ({ "/usr/bin/Xvfb", "-displayfd", juce::String (fds[1]), "-screen", "0", "1700x1029x24", "-nolisten", "tcp" }, fds[1]);
    close (fds[1]);
    std::string number;
    char c = 0;
    while (read (fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close (fds[0]);
    return number.empty() ? std::string() : ":" + number;
}

juce::File homeFolder() { return juce::File (juce::SystemStats::getEnvironmentVariable (sandboxMarker, {})); }

/** Leaves no settings file and nothing else of an earlier start behind. */
void forgetSettings()
{
    juce::File ("/var").getChildFile ("Talvor").deleteRecursively();
    for (const auto& item : homeFolder().findChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, false, "*"))
        item.deleteRecursively();
    for (const auto& item : homeFolder().findChildFiles (juce::File::findFilesAndDirectories, false, ".*"))
        item.deleteRecursively();
}

/** Stores the default map with a workstation in each slot, as "SAVE AS DEFAULT" does. */
void storeMap()
{
    forgetSettings();
    NsOrvelA::Host writer;
    const NsOrvelA::MapState view (writer.getState());
    view.slotNode (1, 1).setProperty (NsOrvelA::mapIds::current, 1, nullptr);
    view.slotNode (2, 1).setProperty (NsOrvelA::mapIds::current, 4, nullptr);
    view.slotNode (3, 1).setProperty (NsOrvelA::mapIds::current, 3, nullptr);
    writer.saveState();
}

StartTimes startOnce (FirstFrameWatch& watch, const juce::String& program)
{
    const auto startMs = FirstFrameWatch::nowMs();
    const auto pid = spawn ({ program });
    if (pid <= 0)
        return {};
    const auto times = watch.watch (pid, startMs, settleMs, timeoutMs);
    stop (pid);
    return times;
}

double median (std::vector<double> values)
{
    if (values.empty())
        return -1.0;
    std::sort (values.begin(), values.end());
    const auto n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

struct Series
{
    const char* name;
    std::vector<double> shown, frame;
    int width{ 0 }, height{ 0 };
    bool failed{ false };

    void add (const StartTimes& times)
    {
        if (times.firstFrameMs < 0.0 || ! times.settled)
            failed = true;
        shown.push_back (times.windowShownMs);
        frame.push_back (times.firstFrameMs);
        width = times.width;
        height = times.height;
    }
};

int measure (int runs, const juce::String& program, const juce::String& bareWindow)
{
    pid_t serverPid = -1;
    const auto displayName = startXServer (serverPid);
    if (displayName.empty())
    {
        std::fprintf (stderr, "could not start the virtual X server (Xvfb)\n");
        stop (serverPid);
        return 1;
    }
    setenv ("DISPLAY", displayName.c_str(), 1);
    Series anchor{ "bare framework window (anchor)", {}, {} }, withoutSettings{ "program, no settings file", {}, {} },
        withStoredMap{ "program, stored map", {}, {} };

    {
        // Closed before the server ends, which the X library would take for a fault.
        FirstFrameWatch watch (displayName);
        if (! watch.isOpen())
        {
            std::fprintf (stderr, "could not connect to the virtual X server %s\n", displayName.c_str());
            stop (serverPid);
            return 1;
        }

        // One of each per round, so that the machine's load falls on all three alike.
        for (int round = 0; round < runs; ++round)
        {
            anchor.add (startOnce (watch, bareWindow));
            forgetSettings();
            withoutSettings.add (startOnce (watch, program));
            storeMap();
            withStoredMap.add (startOnce (watch, program));
            std::fprintf (stderr, "round %d of %d: %.0f / %.0f / %.0f ms\n", round + 1, runs, anchor.frame.back(),
                          withoutSettings.frame.back(), withStoredMap.frame.back());
        }
    }
    stop (serverPid);

    const auto anchorMs = median (anchor.frame);
    std::printf ("%s\nStart to the first painted frame, median of %d runs (ms; all runs in brackets)\n", program.toRawUTF8(), runs);
    std::printf ("%-32s %9s %9s %8s  %s\n", "", "shown", "painted", "ratio", "window, painted runs");
    for (const auto* series : { &anchor, &withoutSettings, &withStoredMap })
    {
        juce::String all;
        for (auto value : series->frame)
            all << juce::roundToInt (value) << " ";
        std::printf ("%-32s %9.0f %9.0f %7.2fx  %dx%d, [ %s]%s\n", series->name, median (series->shown), median (series->frame),
                     median (series->frame) / anchorMs, series->width, series->height, all.toRawUTF8(),
                     series->failed ? "  (a run did not settle)" : "");
    }
    return anchor.failed || withoutSettings.failed || withStoredMap.failed ? 1 : 0;
}
} // namespace

int main (int argc, char** argv)
{
    if (juce::SystemStats::getEnvironmentVariable (sandboxMarker, {}).isEmpty())
        return runInSandbox (argc, argv);

    // The home folder is emptied between the runs: only the one this program made for the sandbox.
    if (! homeFolder().getParentDirectory().getFileName().startsWith ("corvix_startup_bench") || homeFolder().getFileName() != "home")
    {
        std::fprintf (stderr, "%s names no home folder of this benchmark's own\n", sandboxMarker);
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    int runs = 7;
    juce::String program = CORVIX_PROGRAM_PATH, bareWindow = CORVIX_BARE_WINDOW_PATH;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const juce::String option (argv[i]), value (argv[i + 1]);
        if (option == "--runs")
            runs = juce::jmax (1, value.getIntValue());
        else if (option == "--program")
            program = juce::File::getCurrentWorkingDirectory().getChildFile (value).getFullPathName();
        else
        {
            std::fprintf (stderr, "usage: %s [--runs N] [--program PATH]\n", argv[0]);
            return 2;
        }
    }
    return measure (runs, program, bareWindow);
}
