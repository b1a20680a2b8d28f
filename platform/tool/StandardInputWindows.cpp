#include <io.h>

#include <climits>

#include "StandardInput.h"

namespace pelunits {
namespace tool {

long long readStandardInput(char* buffer, std::size_t size) {
  const unsigned chunk =
      size > INT_MAX ? static_cast<unsigned>(INT_MAX) : static_cast<unsigned>(size);
  return _read(0, buffer, chunk);
}

}  // namespace tool
}  // namespace pelunits
