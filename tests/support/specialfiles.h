#pragma once

// Files that are not plain files, and a disk that fills up, made for real in
// the test process (POSIX only; elsewhere the helpers report they cannot).

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <thread>

namespace zavevad::test {

/// A FIFO (named pipe) at `path`, removed again with the object. A reader
/// that blocks opening it is released after `patienceMs` (a writer opens and
/// closes it, so the read sees an empty file) and the release is recorded:
/// a test asserts !releasedAReader() instead of hanging.
class Fifo
{
public:
    explicit Fifo(const QString &path, int patienceMs = 3000);
    ~Fifo();
    Fifo(const Fifo &) = delete;
    Fifo &operator=(const Fifo &) = delete;

    bool made() const { return m_made; }
    bool releasedAReader() const { return m_released; }

private:
    QString m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_released{false};
    std::thread m_watchdog;
};

/// While it lives, no file this process writes may grow beyond `bytes`: a
/// write past the limit fails with EFBIG, as on a full disk (SIGXFSZ, which
/// would end the process, is ignored meanwhile). The superuser is bound too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
    quint64 m_savedCurrent = 0;
    quint64 m_savedMaximum = 0;
    void (*m_savedHandler)(int) = nullptr;
};

/// While it lives, this thread opens files as an unprivileged user would,
/// also in a test run by the superuser, whom no permission stops (Linux: the
/// file system user id; elsewhere nothing changes).
class FilesAsNobody
{
public:
    FilesAsNobody();
    ~FilesAsNobody();
    FilesAsNobody(const FilesAsNobody &) = delete;
    FilesAsNobody &operator=(const FilesAsNobody &) = delete;

private:
    int m_previous = -1;
    int m_previousGroup = -1;
};

/// Removes the folder `path` with everything in it when it goes, also the
/// names in no valid encoding that QTemporaryDir cannot remove.
class TreeRemover
{
public:
    explicit TreeRemover(const QString &path) : m_path(path) { }
    ~TreeRemover();
    TreeRemover(const TreeRemover &) = delete;
    TreeRemover &operator=(const TreeRemover &) = delete;

private:
    QString m_path;
};

/// Makes `path` a folder that no one but the superuser may list or enter
/// (mode 0) and the folders above it up to `top` open to everyone, so that
/// under FilesAsNobody only it cannot be read. False when it cannot.
bool makeUnreadableFolder(const QString &top, const QString &path);

} // namespace zavevad::test
