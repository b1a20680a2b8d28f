#include <unistd.h>

#include "StandardInput.h"

namespace pelunits {
namespace tool {

long long readStandardInput(char* buffer, std::size_t size) {
  return read(STDIN_FILENO, buffer, size);
}

}  // namespace tool
}  // namespace pelunits
