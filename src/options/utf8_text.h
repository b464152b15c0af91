#pragma once
// Well-formedness of UTF-8 bytes.

#include <cstddef>
#include <string_view>

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when there is none.
// Overlong forms, UTF-16 surrogates and values past U+10FFFF are not well-formed.
std::size_t WellFormedUtf8Length(std::string_view s);

// True when every byte of `bytes` belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes);
