#pragma once
// Output handed on piece by piece, so that a large file need not be built in memory first.

#include <functional>
#include <string_view>

namespace corvel::options {

// Takes the bytes being written, piece by piece, in order.
using ByteSink = std::function<void(std::string_view)>;

// Hands the whole output to a sink.
using ByteSource = std::function<void(const ByteSink&)>;

}  // namespace corvel::options
