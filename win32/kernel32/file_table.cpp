// kernel32: the table of open file handles and the share modes they grant each other.
#include "kernel32/file_table.h"

#include <mutex>
#include <vector>

namespace win32 {
namespace {

constexpr DWORD kDataAccess = GENERIC_READ | GENERIC_WRITE;

// Handle values start well above any descriptor number and step by 4, as Windows handles do.
constexpr uintptr_t kFirstHandle = 0x40000000;

std::mutex tableLock;
std::vector<std::optional<OpenFile>> slots;

HANDLE handleForSlot(size_t slot) { return reinterpret_cast<HANDLE>(kFirstHandle + 4 * slot); }

std::optional<size_t> slotForHandle(HANDLE handle) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value < kFirstHandle || (value - kFirstHandle) % 4 != 0) return std::nullopt;
  size_t slot = (value - kFirstHandle) / 4;
  if (slot >= slots.size() || !slots[slot]) return std::nullopt;
  return slot;
}

bool conflicts(const OpenFile &open, DWORD access, DWORD share) {
  if ((open.access & kDataAccess) == 0 || (access & kDataAccess) == 0) return false;
  bool requestRefused = ((access & GENERIC_READ) && !(open.share & FILE_SHARE_READ)) ||
                        ((access & GENERIC_WRITE) && !(open.share & FILE_SHARE_WRITE));
  bool openRefused = ((open.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) ||
                     ((open.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE));
  return requestRefused || openRefused;
}

}  // namespace

HANDLE addOpenFile(const OpenFile &file) {
  std::lock_guard lock(tableLock);
  for (size_t slot = 0; slot < slots.size(); ++slot) {
    if (!slots[slot]) {
      slots[slot] = file;
      return handleForSlot(slot);
    }
  }
  slots.push_back(file);
  return handleForSlot(slots.size() - 1);
}

std::optional<OpenFile> findOpenFile(HANDLE handle) {
  std::lock_guard lock(tableLock);
  auto slot = slotForHandle(handle);
  if (!slot) return std::nullopt;
  return slots[*slot];
}

std::optional<OpenFile> removeOpenFile(HANDLE handle) {
  std::lock_guard lock(tableLock);
  auto slot = slotForHandle(handle);
  if (!slot) return std::nullopt;
  std::optional<OpenFile> file = slots[*slot];
  slots[*slot].reset();
  return file;
}

bool conflictsWithOpenHandles(dev_t device, ino_t inode, DWORD access, DWORD share) {
  std::lock_guard lock(tableLock);
  for (const auto &slot : slots) {
    if (slot && slot->device == device && slot->inode == inode && conflicts(*slot, access, share)) return true;
  }
  return false;
}

std::optional<bool> openUnderName(const std::string &name, dev_t device, ino_t inode) {
  std::lock_guard lock(tableLock);
  std::optional<bool> found;
  for (const auto &slot : slots) {
    if (!slot || slot->name != name) continue;
    found = found.value_or(false) || (slot->device == device && slot->inode == inode);
  }
  return found;
}

bool openWithoutDeleteSharing(dev_t device, ino_t inode) {
  std::lock_guard lock(tableLock);
  for (const auto &slot : slots) {
    if (slot && slot->device == device && slot->inode == inode && (slot->access & kDataAccess) &&
        !(slot->share & FILE_SHARE_DELETE))
      return true;
  }
  return false;
}

}  // namespace win32
