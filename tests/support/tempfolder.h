// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace quorvex::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("quorvex-" + std::string(info ? info->name() : "test") + "-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << file;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file's inode number; 0 when it is not there.
inline ino_t InodeOf(const std::filesystem::path& file) {
  struct stat st {};
  return ::lstat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Runs `command` through the shell as the unprivileged user "nobody"; false
// when the tests do not run as root or setpriv is missing.
inline bool RunAsOtherUser(const std::string& command) {
  if (::geteuid() != 0) return false;
  const std::string line = "setpriv --reuid=nobody --regid=nogroup --clear-groups sh -c '" + command + "'";
  return std::system(line.c_str()) == 0;
}

}  // namespace quorvex::testing
