#pragma once

namespace talvor
{
/** Sets a variable of this process's environment, which the programs it starts inherit. */
void setEnvironmentVariable (const char* name, const char* value);

/** Removes a variable from this process's environment. */
void removeEnvironmentVariable (const char* name);
} // namespace talvor
