#include "tests/support/ScopedFileSizeLimit.h"

#include <csignal>

#if defined(__unix__) || defined(__APPLE__)
 #include <sys/resource.h>

namespace corvix::testing
{
ScopedFileSizeLimit::ScopedFileSizeLimit (std::size_t largestFileSize)
{
    // The system's answer to a write past the limit is a signal that ends the process; the writer
    // is to see the failed write instead.
    previousHandler = std::signal (SIGXFSZ, SIG_IGN);

    rlimit limit{};
    getrlimit (RLIMIT_FSIZE, &limit);
    previousLimit = static_cast<unsigned long long> (limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t> (largestFileSize);
    setrlimit (RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit()
{
    rlimit limit{};
    getrlimit (RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t> (previousLimit);
    setrlimit (RLIMIT_FSIZE, &limit);
    std::signal (SIGXFSZ, previousHandler);
}
} // namespace corvix::testing
#else
namespace corvix::testing
{
ScopedFileSizeLimit::ScopedFileSizeLimit (std::size_t) {}
ScopedFileSizeLimit::~ScopedFileSizeLimit() = default;
} // namespace corvix::testing
#endif
