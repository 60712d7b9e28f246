#pragma once

#include <QByteArray>
#include <QString>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>

// Makes every write past the given size in any file fail, as on a full disk,
// for the lifetime of the object. Unlike a read-only folder this also stops a
// test that runs as root.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        // The write then fails with EFBIG instead of ending the process.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A real file system of the given size mounted on an empty folder for the
// lifetime of the object: a disk that fills up. Mounting needs root (or the
// right to mount); error() says why it could not be mounted.
class SmallDisk {
  public:
    SmallDisk(const QString& folder, int kilobytes) : folder_(folder.toLocal8Bit()) {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", folder_.constData(), "tmpfs", 0, options.constData()) != 0)
            error_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (error_.isEmpty()) ::umount2(folder_.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when the file system is mounted.
    QString error() const { return error_; }

  private:
    QByteArray folder_;
    QString error_;
};

// The system's text for an error number, as the writers report it.
inline QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
