#pragma once

// Conditions under which writing a file fails the way it fails on a user's
// desktop, made on purpose and undone at the end of their scope. The tests
// run as root, who ignores file permissions and has no quota: each helper
// takes away just enough of that, for this thread or for the time it lives.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>

#include <csignal>
#include <map>

#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tallyfin::testing {

// Takes from this thread, for its lifetime, root's right to ignore file
// permissions, so that a read-only folder refuses the tests as it refuses a
// user. (The real user stays root: access() still answers as root would.)
class FilePermissionsEnforced {
public:
    FilePermissionsEnforced()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        if (syscall(SYS_capget, &header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            reduced[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
        m_reduced = syscall(SYS_capset, &header, reduced) == 0;
    }
    ~FilePermissionsEnforced()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        if (m_reduced)
            syscall(SYS_capset, &header, m_saved);
    }
    FilePermissionsEnforced(const FilePermissionsEnforced &) = delete;
    FilePermissionsEnforced &operator=(const FilePermissionsEnforced &) = delete;

    bool active() const { return m_reduced; }

private:
    __user_cap_data_struct m_saved[2] = {};
    bool m_reduced = false;
};

// Makes this thread an ordinary user (real and effective), as a desktop user
// runs the program, so that every check, access() included, answers as it
// would for them. The saved user stays root, which allows the way back.
// The raw system call changes this thread only, not Qt's other threads.
class ActingAsUser {
public:
    explicit ActingAsUser(uid_t user = 65534) : m_root(::geteuid() == 0)
    {
        if (m_root)
            m_switched = syscall(SYS_setresuid, user, user, 0) == 0;
    }
    ~ActingAsUser()
    {
        if (m_switched)
            syscall(SYS_setresuid, 0, 0, 0);
    }
    ActingAsUser(const ActingAsUser &) = delete;
    ActingAsUser &operator=(const ActingAsUser &) = delete;

    // Whether the thread now runs as an ordinary user (perhaps it always did).
    bool active() const { return m_switched || !m_root; }

private:
    bool m_root;
    bool m_switched = false;
};

// A file may not grow beyond `bytes` while this lives (the whole process):
// a write past it fails with EFBIG, as a full disk fails a write, and
// SIGXFSZ is ignored so that the failure reaches the program as an error.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_active)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
};

// A file system of `kilobytes` mounted on `folder` in a mount namespace of
// this thread's own, so that nothing outside the test sees it and nothing
// is left mounted if the test dies. Mounting needs privileges a container
// may not grant: then mounted() is false and why() says which step failed.
class TinyFileSystem {
public:
    TinyFileSystem(const QString &folder, int kilobytes) : m_folder(folder)
    {
        m_why = mountTmpfs(kilobytes);
        m_mounted = m_why == nullptr;
    }
    ~TinyFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
        if (m_originalNamespace >= 0) {
            ::setns(m_originalNamespace, CLONE_NEWNS);
            ::close(m_originalNamespace);
        }
        if (m_workingFolder >= 0) {
            [[maybe_unused]] const int changed = ::fchdir(m_workingFolder);
            ::close(m_workingFolder);
        }
    }
    TinyFileSystem(const TinyFileSystem &) = delete;
    TinyFileSystem &operator=(const TinyFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    const char *why() const { return m_why ? m_why : ""; }

    // Makes the file system read-only, as a full or failing disk may become.
    bool remountReadOnly()
    {
        return m_mounted
               && ::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr)
                      == 0;
    }

private:
    // Why mounting failed, or nullptr.
    const char *mountTmpfs(int kilobytes)
    {
        m_originalNamespace = ::open("/proc/thread-self/ns/mnt", O_RDONLY | O_CLOEXEC);
        // Entering a namespace moves the thread to its root: the way back
        // needs the working folder too.
        m_workingFolder = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_originalNamespace < 0 || m_workingFolder < 0)
            return "cannot open this thread's mount namespace";
        if (::unshare(CLONE_NEWNS) != 0)
            return "unshare(CLONE_NEWNS) is not permitted";
        // Without this, a mount could propagate back into the host's tree.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return "cannot make the new mount namespace private";
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
        if (::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", 0, options.constData()) != 0)
            return "mounting a tmpfs is not permitted";
        return nullptr;
    }

    QString m_folder;
    int m_originalNamespace = -1;
    int m_workingFolder = -1;
    bool m_mounted = false;
    const char *m_why = nullptr;
};

// Every entry under `folder` (hidden ones too) with its bytes, folders
// marked as such: two snapshots compare equal only if nothing was added,
// removed or changed, temporary files included.
inline std::map<QString, QByteArray> folderSnapshot(const QString &folder)
{
    std::map<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (it.fileInfo().isDir())
            entries[path] = "<folder>";
        else
            entries[path] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return entries;
}

} // namespace tallyfin::testing
