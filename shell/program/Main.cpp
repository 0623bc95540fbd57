// The program's entry point: the framework's portable one, which runs DemoRunnerApplication.
#include "shell/DemoRunnerApplication.h"

START_JUCE_APPLICATION (DemoRunnerApplication)
