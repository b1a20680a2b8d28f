// Runs a fuzz target on files without libFuzzer: every file named on the command
// line, and every file inside a directory named there. A crash input saved by
// libFuzzer reproduces this way in any build (gcc, Valgrind, a debugger).
//
//   UnitTextFuzzerReplay fuzz/corpus/UnitTextFuzzer crash-1234abcd

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool runFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  // A copy in its own heap block, so that AddressSanitizer sees reads past the end.
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.empty() ? nullptr : input.data(), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s file-or-directory...\n", argv[0]);
    return 2;
  }
  int files = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      std::vector<std::filesystem::path> entries;
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error)) {
        if (entry.is_regular_file()) entries.push_back(entry.path());
      }
      std::sort(entries.begin(), entries.end());
      for (const auto& entry : entries) {
        ok = runFile(entry) && ok;
        ++files;
      }
    } else {
      ok = runFile(path) && ok;
      ++files;
    }
  }
  // An empty input as well: the shortest input must get an answer too.
  LLVMFuzzerTestOneInput(nullptr, 0);
  std::printf("%d inputs ran without a finding\n", files);
  return ok && files > 0 ? 0 : 1;
}
