#include "platform/Replacefile.h"

#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const uint8_t* p, size_t n)
{
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += k;
        n -= size_t(k);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes,
                         bool durable, std::string& reason)
{
    struct stat old;
    const bool exists = stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    std::random_device rd;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = path + ".~" + std::to_string(getpid()) + "-" + std::to_string(rd() & 0xFFFFFF);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    auto fail = [&](int err) {
        reason = std::strerror(err);
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    if (exists) (void)fchmod(fd, old.st_mode & 07777);
    if (!WriteAll(fd, bytes.data(), bytes.size())) return fail(errno);
    if (durable && fsync(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
    if (durable) {
        const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            (void)fsync(dir);
            ::close(dir);
        }
    }
    return true;
}
