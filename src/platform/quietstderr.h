#pragma once

namespace zavevad {

/// While it lives, whatever the process writes to its standard error goes
/// nowhere. For a library that prints its own errors (libxlsxwriter) where we
/// report the failure ourselves, in one Polish line.
class QuietStandardError
{
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError &) = delete;
    QuietStandardError &operator=(const QuietStandardError &) = delete;

private:
    int m_saved = -1;
};

} // namespace zavevad
