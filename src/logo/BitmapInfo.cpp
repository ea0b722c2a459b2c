#include "logo/BitmapInfo.h"

#include "link/FileReplace.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tillora {
namespace {

constexpr std::size_t FileHeaderLength = 14;
constexpr std::uint32_t CoreHeaderLength = 12;
constexpr std::uint32_t InfoHeaderLength = 40;
// No header form is anywhere near this; a larger size means the bytes are no header at all.
constexpr std::uint32_t HeaderLengthLimit = 4096;
constexpr std::size_t HeadBytesNeeded = FileHeaderLength + InfoHeaderLength;
// Compression kinds whose pixel rows are stored plainly.
constexpr std::uint32_t PlainRows = 0;
constexpr std::uint32_t BitFields = 3;

std::uint32_t U16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t U32(const std::uint8_t* p) {
    return U16(p) | U16(p + 2) << 16;
}

// The fields of either header form that the inspection needs.
struct PictureHeader {
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = PlainRows;
    std::uint32_t imageSize = 0; // may be 0 for plain rows
};

PictureHeader ReadCoreHeader(const std::uint8_t* header) {
    PictureHeader picture;
    picture.width = U16(header + 4);
    picture.height = U16(header + 6);
    picture.bitsPerPixel = U16(header + 10);
    return picture;
}

PictureHeader ReadInfoHeader(const std::uint8_t* header) {
    PictureHeader picture;
    picture.width = static_cast<std::int32_t>(U32(header + 4));
    picture.height = static_cast<std::int32_t>(U32(header + 8));
    picture.bitsPerPixel = U16(header + 14);
    picture.compression = U32(header + 16);
    picture.imageSize = U32(header + 20);
    return picture;
}

// True when the file holds every pixel byte that the headers promise from the pixel offset on.
bool HoldsPixels(const PictureHeader& picture, std::uint64_t pixelOffset, std::uint64_t fileSize) {
    if (fileSize < pixelOffset) {
        return false;
    }
    const std::uint64_t available = fileSize - pixelOffset;
    if (picture.compression != PlainRows && picture.compression != BitFields) {
        return available >= picture.imageSize;
    }
    // Rows are padded to whole 32-bit words.
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(picture.width) * picture.bitsPerPixel + 31) / 32 * 4;
    return static_cast<std::uint64_t>(picture.height) <= available / rowBytes;
}

BitmapInspection Inspect(const std::uint8_t* head, std::size_t headLength, std::uint64_t fileSize) {
    BitmapInspection result;
    if (headLength < 2 || head[0] != 'B' || head[1] != 'M') {
        result.status = BitmapStatus::NotBitmap;
        return result;
    }
    if (headLength < FileHeaderLength + 4) {
        result.status = BitmapStatus::Truncated;
        return result;
    }
    const std::uint32_t headerLength = U32(head + FileHeaderLength);
    if ((headerLength != CoreHeaderLength && headerLength < InfoHeaderLength) ||
        headerLength > HeaderLengthLimit) {
        result.status = BitmapStatus::NotBitmap;
        return result;
    }
    if (fileSize < FileHeaderLength + headerLength) {
        result.status = BitmapStatus::Truncated;
        return result;
    }
    const std::uint8_t* header = head + FileHeaderLength;
    PictureHeader picture =
        headerLength == CoreHeaderLength ? ReadCoreHeader(header) : ReadInfoHeader(header);
    // Rows stored top-down have a negative height.
    picture.height = picture.height < 0 ? -picture.height : picture.height;
    if (picture.width <= 0 || picture.height == 0 || picture.bitsPerPixel == 0) {
        result.status = BitmapStatus::NotBitmap;
        return result;
    }
    const std::uint64_t pixelOffset =
        std::max<std::uint64_t>(U32(head + 10), FileHeaderLength + headerLength);
    if (!HoldsPixels(picture, pixelOffset, fileSize)) {
        result.status = BitmapStatus::Truncated;
        return result;
    }
    result.status = BitmapStatus::Ok;
    result.info.width = static_cast<unsigned>(picture.width);
    result.info.height = static_cast<unsigned>(picture.height);
    result.info.bitsPerPixel = picture.bitsPerPixel;
    result.info.colours = ColourCount(picture.bitsPerPixel);
    result.info.fileSize = fileSize;
    return result;
}

} // namespace

std::uint32_t ColourCount(unsigned bitsPerPixel) {
    return bitsPerPixel >= 32 ? 0xFFFFFFFFu : std::uint32_t{1} << bitsPerPixel;
}

BitmapInspection InspectBitmap(const std::string& path) {
    const std::filesystem::path filePath = Utf8Path(path);
    std::error_code error;
    // A folder opens as a stream on some systems; it is no picture file either way.
    if (!std::filesystem::is_regular_file(filePath, error)) {
        return {};
    }
    std::ifstream file(filePath, std::ios::binary);
    if (!file) {
        return {};
    }
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    file.seekg(0, std::ios::beg);
    if (end < 0 || !file) {
        return {};
    }
    std::array<std::uint8_t, HeadBytesNeeded> head{};
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (file.bad()) {
        return {};
    }
    const auto headLength = static_cast<std::size_t>(file.gcount());
    return Inspect(head.data(), headLength, static_cast<std::uint64_t>(end));
}

} // namespace tillora
