// SPDX-License-Identifier: GPL-3.0-or-later
// The library file on disk: read, changed by adds and deletes, rewritten.
// The first line of the input is the file, each further line an add ("+")
// or a delete of that line. After every change the file on disk is what the
// table says, it reads back as itself, and the bytes past the table are kept;
// a change that changes nothing leaves the file as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "library/library.h"

namespace {

namespace lib = quorvex::library;

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The file is everything up to the first 0x00; the changes follow, one a line.
  std::size_t split = input.find('\0');
  if (split == std::string_view::npos) split = input.size();
  const std::string_view bytes = input.substr(0, split);

  // A tmpfs keeps the syncs cheap; the folder holds nothing else.
  const std::filesystem::path folder =
      std::filesystem::path(std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp") /
      ("quorvex-libraryfile-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "cbd.dat";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return 0;
  }
  quorvex::SilentNotifier notifier;
  lib::Library library(file);
  library.load(notifier);
  const std::string tail = library.tail();

  std::size_t from = split + 1;
  while (from < input.size()) {
    std::size_t end = input.find('\n', from);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view action = input.substr(from, end - from);
    from = end + 1;
    if (action.empty()) continue;
    const std::string line(action.substr(1));
    const int before = library.count();
    const int at = lib::IsInLib(library.text(), line);
    const std::string previous = ReadFile(file);
    const lib::Library::Change change = action[0] == '+' ? library.add(line) : library.remove(line);
    // The outcome follows from the table as it was.
    const bool added = change == lib::Library::Change::Added;
    const bool deleted = change == lib::Library::Change::Deleted;
    if (added != (action[0] == '+' && at == 0 && before < lib::kLibraryCapacity && lib::IsStorable(line))) {
      __builtin_trap();
    }
    if (deleted != (action[0] != '+' && at != 0)) __builtin_trap();
    if (library.count() != before + (added ? 1 : 0) - (deleted ? 1 : 0)) __builtin_trap();
    if (added && library.line(library.count()) != line) __builtin_trap();

    // The file is the table's bytes and reads back as the same table.
    const std::string written = ReadFile(file);
    if (!added && !deleted) {
      if (written != previous) __builtin_trap();
      continue;
    }
    if (written != library.fileBytes()) __builtin_trap();
    const lib::LibraryText again = lib::ReadLibraryText(written);
    if (again.lines != library.lines() || again.bytes() != written) __builtin_trap();
    // What the table never held is still at the end of the file.
    if (written.size() < tail.size() ||
        written.compare(written.size() - tail.size(), tail.size(), tail) != 0) {
      __builtin_trap();
    }
    if (std::distance(std::filesystem::directory_iterator(folder), {}) != 1) __builtin_trap();
  }
  std::filesystem::remove_all(folder);
  return 0;
}
