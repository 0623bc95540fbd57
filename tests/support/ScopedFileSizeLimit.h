#pragma once

#include <cstddef>

namespace corvix::testing
{
/** A full disk, made by the system itself and without administrator rights: while this object
    lives, no file of the process may grow past the given size. A write that would cross the limit
    is cut short there, and the next one fails with "file too large", as writes on a full disk do
    with "no space left". (POSIX systems; elsewhere it limits nothing.) */
class ScopedFileSizeLimit final
{
public:
    explicit ScopedFileSizeLimit (std::size_t largestFileSize);
    ~ScopedFileSizeLimit();

    ScopedFileSizeLimit (const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator= (const ScopedFileSizeLimit&) = delete;

private:
    unsigned long long previousLimit = 0;
    void (*previousHandler) (int) = nullptr;
};
} // namespace corvix::testing
