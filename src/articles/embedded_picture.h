#pragma once
// Pictures carried inside an article's HTML as data: addresses. The store keeps pictures as files
// of their own; one inline picture would make every snapshot as large as the picture (a 50 MB
// picture is a 70 MB address), and one that was refused would stay in history for good.

#include <string_view>

namespace corvel::articles {

// Whether a tag's src or srcset holds a data: address. One pass over the text, tags and
// attribute values read as a browser reads them; text between tags does not count.
bool HoldsEmbeddedPicture(std::string_view html);

}  // namespace corvel::articles
