// libFuzzer target for the picture-type check: any bytes are judged without reading outside
// them, and what passes as a picture has the header its type promises.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "image_type.h"

using namespace corvel::articles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<ImageType> type = SniffImage(bytes);
    if (!type) return 0;
    const std::optional<ImageType> named = ImageTypeForExtension(type->extension);
    Check(named && named->mime == type->mime);
    if (type->extension == "png") Check(size >= 33 && bytes.substr(12, 4) == "IHDR");
    if (type->extension == "jpg") Check(bytes.substr(0, 3) == "\xFF\xD8\xFF");
    if (type->extension == "gif") Check(size >= 13 && bytes.substr(0, 3) == "GIF");
    if (type->extension == "webp") Check(size >= 20 && bytes.substr(8, 6) == "WEBPVP");
    if (type->extension == "bmp") {
        const std::uint32_t declared = std::uint32_t(data[2]) | std::uint32_t(data[3]) << 8 |
                                       std::uint32_t(data[4]) << 16 | std::uint32_t(data[5]) << 24;
        Check(declared == size);
    }
    return 0;
}
