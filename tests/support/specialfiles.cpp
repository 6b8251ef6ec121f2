#include "specialfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#endif

namespace zavevad::test {

Fifo::Fifo(const QString &path, int patienceMs) : m_path(path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    m_made = ::mkfifo(name.constData(), 0600) == 0;
    if (!m_made)
        return;
    m_watchdog = std::thread([this, name, patienceMs] {
        const auto deadline =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() < deadline)
                continue;
            // Succeeds only while a reader waits in open().
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
                m_released = true;
            }
        }
    });
#else
    Q_UNUSED(patienceMs);
#endif
}

Fifo::~Fifo()
{
    m_stop = true;
    if (m_watchdog.joinable())
        m_watchdog.join();
    if (m_made)
        QFile::remove(m_path);
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
#ifdef Q_OS_UNIX
    rlimit saved{};
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0)
        return;
    m_savedCurrent = saved.rlim_cur;
    m_savedMaximum = saved.rlim_max;
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    if (!m_active)
        std::signal(SIGXFSZ, m_savedHandler);
#else
    Q_UNUSED(bytes);
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    if (!m_active)
        return;
    rlimit saved{};
    saved.rlim_cur = static_cast<rlim_t>(m_savedCurrent);
    saved.rlim_max = static_cast<rlim_t>(m_savedMaximum);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, m_savedHandler);
#endif
}

FilesAsNobody::FilesAsNobody()
{
#ifdef Q_OS_LINUX
    // The group too: a group id of 0 would meet the files' own group and its
    // permissions instead of everyone's.
    if (::geteuid() == 0) {
        m_previousGroup = ::setfsgid(65534);
        m_previous = ::setfsuid(65534);
    }
#endif
}

FilesAsNobody::~FilesAsNobody()
{
#ifdef Q_OS_LINUX
    if (m_previous >= 0) {
        ::setfsuid(static_cast<uid_t>(m_previous));
        ::setfsgid(static_cast<gid_t>(m_previousGroup));
    }
#endif
}

TreeRemover::~TreeRemover()
{
    std::error_code error;
    std::filesystem::remove_all(QFile::encodeName(m_path).toStdString(), error);
}

bool makeUnreadableFolder(const QString &top, const QString &path)
{
#ifdef Q_OS_UNIX
    if (!QDir().mkpath(path))
        return false;
    for (QString folder = QFileInfo(path).absolutePath();;
            folder = QFileInfo(folder).absolutePath()) {
        if (::chmod(QFile::encodeName(folder).constData(), 0755) != 0)
            return false;
        if (QFileInfo(folder) == QFileInfo(top) || QFileInfo(folder).isRoot())
            break;
    }
    return ::chmod(QFile::encodeName(path).constData(), 0) == 0;
#else
    Q_UNUSED(top);
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace zavevad::test
