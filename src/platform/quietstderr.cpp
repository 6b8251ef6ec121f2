#include "platform/quietstderr.h"

#include <QtGlobal>

#include <cstdio>
#include <fcntl.h>

#ifdef Q_OS_WIN
#include <io.h>
#define ZAVEVAD_DUP _dup
#define ZAVEVAD_DUP2 _dup2
#define ZAVEVAD_CLOSE _close
#define ZAVEVAD_OPEN _open
#define ZAVEVAD_WRITE_ONLY _O_WRONLY
constexpr const char *kNowhere = "NUL";
#else
#include <unistd.h>
#define ZAVEVAD_DUP dup
#define ZAVEVAD_DUP2 dup2
#define ZAVEVAD_CLOSE close
#define ZAVEVAD_OPEN open
#define ZAVEVAD_WRITE_ONLY O_WRONLY
constexpr const char *kNowhere = "/dev/null";
#endif

namespace zavevad {

namespace {

constexpr int kStandardError = 2;

} // namespace

QuietStandardError::QuietStandardError()
{
    std::fflush(stderr);
    const int nowhere = ZAVEVAD_OPEN(kNowhere, ZAVEVAD_WRITE_ONLY);
    if (nowhere < 0)
        return;
    m_saved = ZAVEVAD_DUP(kStandardError);
    if (m_saved >= 0 && ZAVEVAD_DUP2(nowhere, kStandardError) < 0) {
        ZAVEVAD_CLOSE(m_saved);
        m_saved = -1;
    }
    ZAVEVAD_CLOSE(nowhere);
}

QuietStandardError::~QuietStandardError()
{
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    ZAVEVAD_DUP2(m_saved, kStandardError);
    ZAVEVAD_CLOSE(m_saved);
}

} // namespace zavevad
