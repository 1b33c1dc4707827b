#include "FileBytes.h"

#include "Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace vuhost {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Files larger than this are not state chunks or audio we can hold in memory in one piece.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{2} << 30;
} // namespace

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw Error(path + ": no such file");
    if (std::filesystem::is_directory(path, ec)) throw Error(path + ": is a directory");
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) throw Error(path + ": cannot read (" + ec.message() + ")");
    if (size > kMaxFileSize) throw Error(path + ": too large to read");
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) throw Error(path + ": cannot open (" + std::strerror(errno) + ")");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw Error(path + ": read error");
    return bytes;
}

void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) throw Error(path + ": cannot create (" + std::strerror(errno) + ")");
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw Error(path + ": write error");
    if (std::fclose(file.release()) != 0) throw Error(path + ": write error");
}

} // namespace vuhost
