// A bitmap file's bytes through the logo's inspection and the picture load: the status and the
// information must follow from the headers as their own rules read them, and a failed load must
// leave the last good file's colour count, information line and remembered path alone.
#include "BitmapWriter.h"
#include "FuzzSupport.h"
#include "link/EcrIniFile.h"
#include "logo/BitmapInfo.h"
#include "logo/LogoFiles.h"

#include <algorithm>
#include <filesystem>
#include <string>

using namespace tillora;

namespace {

struct Expectation {
    BitmapStatus status = BitmapStatus::NotBitmap;
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
};

class Bytes {
public:
    explicit Bytes(std::string_view data) : m_data(data) {}
    std::uint64_t Size() const { return m_data.size(); }
    std::uint32_t U8(std::size_t at) const { return static_cast<unsigned char>(m_data[at]); }
    std::uint32_t U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }

private:
    std::string_view m_data;
};

// What the file must inspect as: "BM", a 14-byte file header, then a 12-byte OS/2 core header or
// a Windows information header of 40 bytes or more (no header is anywhere near 4096), positive
// width, non-zero height and bits, and every byte the headers promise present in the file.
Expectation Expect(std::string_view data) {
    const Bytes file(data);
    Expectation expected;
    if (file.Size() < 2 || data[0] != 'B' || data[1] != 'M') {
        return expected;
    }
    expected.status = BitmapStatus::Truncated;
    if (file.Size() < 18) {
        return expected; // not even the header's own length is there
    }
    const std::uint32_t headerLength = file.U32(14);
    if ((headerLength != 12 && headerLength < 40) || headerLength > 4096) {
        expected.status = BitmapStatus::NotBitmap;
        return expected;
    }
    if (file.Size() < 14 + std::uint64_t{headerLength}) {
        return expected;
    }
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    if (headerLength == 12) {
        width = file.U16(18);
        height = file.U16(20);
        expected.bitsPerPixel = file.U16(24);
    } else {
        width = static_cast<std::int32_t>(file.U32(18));
        height = static_cast<std::int32_t>(file.U32(22));
        expected.bitsPerPixel = file.U16(28);
        compression = file.U32(30);
        imageSize = file.U32(34);
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height == 0 || expected.bitsPerPixel == 0) {
        expected.status = BitmapStatus::NotBitmap;
        return expected;
    }
    const std::uint64_t pixelsAt = std::max<std::uint64_t>(file.U32(10), 14 + headerLength);
    using Wide = unsigned __int128;
    Wide needed = imageSize; // compressed rows: as many bytes as the header says
    if (compression == 0 || compression == 3) {
        const Wide rowBits = static_cast<Wide>(width) * expected.bitsPerPixel;
        needed = (rowBits + 31) / 32 * 4 * static_cast<Wide>(height);
    }
    if (static_cast<Wide>(file.Size()) < pixelsAt + needed) {
        return expected;
    }
    expected.status = BitmapStatus::Ok;
    expected.width = static_cast<unsigned>(width);
    expected.height = static_cast<unsigned>(height);
    return expected;
}

// 2 to the power of the bits, counted out; from 32 bits on all 32 bits are set.
std::uint32_t ColoursFor(unsigned bits) {
    std::uint64_t colours = 1;
    for (unsigned i = 0; i < bits && colours <= 0xFFFFFFFFu; ++i) {
        colours *= 2;
    }
    return colours > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(colours);
}

std::string InformationLine(unsigned width, unsigned height, std::uint32_t colours) {
    return "Ширина: " + std::to_string(width) + "   Височина: " + std::to_string(height) +
           "   Цвята: " + std::to_string(colours);
}

// A 224 x 80 monochrome picture, loaded before each input so that a failed load has something
// to keep. Written once: the inputs never touch it.
const std::string& GoodPicturePath() {
    static const std::string path = [] {
        std::string p = fuzz::ScratchPath("good.bmp");
        test::WriteBytes(p, test::BitmapFile({224, 80, 1}));
        return p;
    }();
    return path;
}

void CheckInspection(const BitmapInspection& inspection, const Expectation& expected,
                     std::uint64_t size) {
    fuzz::Check(inspection.status == expected.status, "the status does not follow the headers");
    if (!inspection.Ok()) {
        return;
    }
    const BitmapInfo& info = inspection.info;
    fuzz::Check(info.width == expected.width && info.height == expected.height,
                "the size is not the headers'");
    fuzz::Check(info.bitsPerPixel == expected.bitsPerPixel, "the bits are not the header's");
    fuzz::Check(info.colours == ColoursFor(info.bitsPerPixel), "colours not 2 to the bits");
    fuzz::Check(ColourCount(info.bitsPerPixel) == info.colours, "ColourCount disagrees");
    fuzz::Check(info.fileSize == size, "the file size is not the file's");
}

void CheckLoad(const std::string& path, const BitmapInspection& inspection) {
    const std::string iniPath = fuzz::ScratchPath("logo.ini");
    std::error_code error;
    std::filesystem::remove(iniPath, error);
    EcrIniFile ini(iniPath);
    CurrentPicture picture;
    fuzz::Check(picture.Load(GoodPicturePath(), ini), "the good picture did not load");
    const std::string goodLine = InformationLine(224, 80, 2);
    fuzz::Check(picture.InformationLine() == goodLine, "the good picture's line is wrong");

    const bool loaded = picture.Load(path, ini);
    fuzz::Check(loaded == inspection.Ok(), "the load and the inspection disagree");
    fuzz::Check(picture.IsLoaded() == loaded && !picture.IsBuiltIn(), "loaded state wrong");
    fuzz::Check(picture.LastFailure() == inspection.status, "the failure is not the status");
    if (loaded) {
        const BitmapInfo& info = inspection.info;
        fuzz::Check(picture.Path() == path && picture.Info().has_value(), "no path or no info");
        fuzz::Check(picture.Info()->width == info.width && picture.Info()->height == info.height &&
                        picture.Info()->colours == info.colours,
                    "the picture's info is not the inspection's");
        fuzz::Check(picture.Colours() == info.colours, "the colour count is not the file's");
        fuzz::Check(picture.InformationLine() ==
                        InformationLine(info.width, info.height, info.colours),
                    "the information line is not the file's");
        fuzz::Check(RememberedLogoPath(ini) == path, "the loaded path was not remembered");
    } else {
        fuzz::Check(picture.Path().empty() && !picture.Info(), "a failed load left a picture");
        fuzz::Check(picture.Colours() == 2, "a failed load changed the colour count");
        fuzz::Check(picture.InformationLine() == goodLine, "a failed load changed the line");
        fuzz::Check(RememberedLogoPath(ini) == GoodPicturePath(),
                    "a failed load changed the remembered path");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::ScratchPath("picture.bmp");
    const std::string_view bytes = fuzz::AsText(data, size);
    fuzz::WriteBytes(path, bytes);

    const BitmapInspection inspection = InspectBitmap(path);
    CheckInspection(inspection, Expect(bytes), size);
    CheckLoad(path, inspection);
    return 0;
}
