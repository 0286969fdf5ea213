#include <nettle/sha2.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "accountstore.h"

namespace tallyfin::store {

Fingerprint FingerprintOf(const std::filesystem::path &file)
{
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw StoreFailure({StoreProblem::CannotOpen, file.string(), std::strerror(errno), errno});
    sha256_ctx hash;
    sha256_init(&hash);
    Fingerprint fingerprint;
    std::string buffer(1 << 20, '\0');
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            close(fd);
            throw StoreFailure({StoreProblem::CannotOpen, file.string(), std::strerror(error), error});
        }
        if (n == 0)
            break;
        sha256_update(&hash, static_cast<std::size_t>(n), reinterpret_cast<const std::uint8_t *>(buffer.data()));
        fingerprint.size += static_cast<std::uint64_t>(n);
    }
    close(fd);
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&hash, sizeof digest, digest);
    constexpr char kHex[] = "0123456789abcdef";
    for (const std::uint8_t byte : digest) {
        fingerprint.sha256 += kHex[byte >> 4];
        fingerprint.sha256 += kHex[byte & 15];
    }
    return fingerprint;
}

} // namespace tallyfin::store
