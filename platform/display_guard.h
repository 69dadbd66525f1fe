// Started where no display can be reached (a plain SSH session, a text console), the
// toolkit would abort with a core dump. While a DisplayGuard lives, that failure ends
// the program with one line on standard error and status 1, and the toolkit's own
// complaints on the way are not shown.
#pragma once

namespace dz
{

class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace dz
