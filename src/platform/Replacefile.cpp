#include "platform/Replacefile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A write to the new file failed with this errno.
struct TWriteFailed {
    int err;
};

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

std::string ResolvedTarget(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string target = real;
    std::free(real);
    return target;
}

}  // namespace

int ReplaceFileWith(const std::string& path, const std::function<void(const TFilePut&)>& produce,
                    const TReplaceOptions& options)
{
    const std::string target = ResolvedTarget(path);
    struct stat old;
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return EISDIR;
    if (exists && options.keepWriteProtected && access(target.c_str(), W_OK) != 0) return errno;

    std::random_device rd;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = target + ".~" + std::to_string(getpid()) + "-" + std::to_string(rd() & 0xFFFFFF);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return errno;
    auto fail = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return err;
    };
    if (exists) (void)fchmod(fd, old.st_mode & 07777);
    try {
        produce([fd](const uint8_t* p, size_t n) {
            if (!WriteAll(fd, p, n)) throw TWriteFailed{errno};
        });
    } catch (const TWriteFailed& e) {
        return fail(e.err);
    } catch (...) {
        fail(EIO);
        throw;
    }
    if (options.durable && fsync(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    if (options.durable) {
        // The rename itself is on disk once the folder is.
        const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            (void)fsync(dir);
            ::close(dir);
        }
    }
    return 0;
}

bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes,
                         bool durable, std::string& reason)
{
    TReplaceOptions options;
    options.durable = durable;
    const int err = ReplaceFileWith(
        path, [&](const TFilePut& put) { put(bytes.data(), bytes.size()); }, options);
    if (err != 0) reason = std::strerror(err);
    return err == 0;
}
