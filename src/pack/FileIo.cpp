// Whole-file reads with a size limit, and writes that never leave a cut-off file behind.
#include "pack/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace glint {

namespace {

// Closes a descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now and reports the result, which matters after writing.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<Bytes> readWholeFile(const std::string& path, std::uint64_t maxBytes) {
    // Non-blocking, so that a named pipe cannot stall the open; it is refused below anyway.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        return std::nullopt;
    }
    Bytes bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt;  // an error, or the file shrank under us
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* why) {
    auto failed = [why](int error) {
        if (why != nullptr) {
            *why = std::strerror(error);
        }
        return false;
    };
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        return failed(errno);
    }
    // mkstemp creates the file private to its owner; keep the mode a replaced file had.
    struct stat old {};
    mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

    bool ok = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes.data(), bytes.size()) &&
              ::fsync(fd.get()) == 0;
    int error = ok ? 0 : errno;
    if (!fd.close() && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::remove(temporary.c_str());
        return failed(error);
    }
    // Make the rename itself durable. Some file systems cannot sync a directory; the new
    // content is in place either way, so that is not reported as a failure.
    FileDescriptor dir(::open(directoryOf(path).c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    return true;
}

}  // namespace glint
