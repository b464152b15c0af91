#pragma once
// Image files are recognised by their first bytes, never by a name or a claimed type.

#include <optional>
#include <string_view>

namespace corvel::articles {

struct ImageType {
    std::string_view extension;  // "png", "jpg", "gif", "webp", "bmp"
    std::string_view mime;
};

// The type of a raster image the browser can show, or nothing for anything else.
std::optional<ImageType> SniffImage(std::string_view bytes);

// The type belonging to a stored image's file extension.
std::optional<ImageType> ImageTypeForExtension(std::string_view extension);

}  // namespace corvel::articles
