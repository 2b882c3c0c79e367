#include <chrono>
#include <thread>

#include "settings/FileReplace.h"

bool WaitOutHeld(const std::function<FileFailure()>& attempt, uint32_t waitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const FileFailure failure = attempt();
    if (failure != FileFailure::Held) return failure == FileFailure::None;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
