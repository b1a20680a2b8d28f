#pragma once

#include <cstddef>

// The command-line tool's standard input, read as it arrives: a pipe's first line is
// answered before the writer sends the next one, which buffered stdio reads would
// hold back. One backend is compiled into the tool: StandardInputPosix.cpp or
// StandardInputWindows.cpp.
namespace pelunits {
namespace tool {

// Reads at most `size` bytes of what has arrived; 0 at the end of the input, negative
// on an error (errno set).
long long readStandardInput(char* buffer, std::size_t size);

}  // namespace tool
}  // namespace pelunits
