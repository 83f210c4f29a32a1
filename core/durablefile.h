// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

namespace quorvex {

// How a durable replace ended; `error` is the system's errno for Write and SyncFolder.
struct ReplaceOutcome {
  enum class Step {
    Done,        // the new content is in place and its folder synced
    NoFreeName,  // no unused name for the new copy; nothing changed
    Write,       // creating, writing, syncing or renaming the copy failed; nothing changed
    SyncFolder,  // the new content is in place, but its folder could not be synced
  };
  Step step = Step::Done;
  int error = 0;
};

// The file a replace of `path` writes: the file a symbolic link names, else `path` itself.
std::filesystem::path ReplaceTarget(const std::filesystem::path& path);

// Puts `bytes` in place of the file at `path` at once: a new copy under an unused name in the
// same folder, with the old file's owner (where allowed) and permissions, written, synced and
// renamed over it, then the folder synced. A symbolic link keeps pointing at the file it names.
[[nodiscard]] ReplaceOutcome ReplaceFileDurably(const std::filesystem::path& path,
                                                std::string_view bytes);

}  // namespace quorvex
