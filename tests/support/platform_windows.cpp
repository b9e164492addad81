// The test platform on real Windows (and Wine): MessageBeep counted through the executable's import
// table, mouse input through SendInput, the user's locale as the process started with it.
#include "support/platform.h"

#include <cstring>

namespace platform {

namespace {

int beeps = 0;
BOOL(WINAPI *realMessageBeep)(UINT) = nullptr;

BOOL WINAPI countedMessageBeep(UINT type) {
  ++beeps;
  return realMessageBeep(type);
}

// The program is linked into the test executable, so its calls of MessageBeep go through the
// executable's own import table; the entry for user32's MessageBeep is pointed at a counting wrapper.
bool hookMessageBeep() {
  auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
  auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
  auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<const char *>(base + d->Name), "user32.dll") != 0) continue;
    auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->OriginalFirstThunk);
    auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char *>(byName->Name), "MessageBeep") != 0) continue;
      DWORD old;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old)) return false;
      realMessageBeep = reinterpret_cast<BOOL(WINAPI *)(UINT)>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&countedMessageBeep);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      return true;
    }
  }
  return false;
}

HANDLE pipeServer = INVALID_HANDLE_VALUE;

}  // namespace

int beepCount() {
  static const bool hooked = hookMessageBeep();
  return hooked ? beeps : -1;
}

// Absolute coordinates are in 1/65536ths of the primary screen; rounding up maps back onto the pixel.
void mouse(Mouse action, POINT screen) {
  const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = LONG((LONGLONG(screen.x) * 65536 + width - 1) / width);
  input.mi.dy = LONG((LONGLONG(screen.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  if (action == Mouse::Press) input.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  if (action == Mouse::Release) input.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

// "de_DE.UTF-8" is the user locale "de-DE"; "C" has no Windows counterpart.
bool chooseUserLocale(const char *name) {
  std::string wanted(name, std::strcspn(name, "."));
  if (wanted.size() != 5 || wanted[2] != '_') return false;
  wanted[2] = '-';
  wchar_t current[LOCALE_NAME_MAX_LENGTH];
  if (!GetUserDefaultLocaleName(current, LOCALE_NAME_MAX_LENGTH)) return false;
  std::string shown;
  for (const wchar_t *c = current; *c; ++c) shown += char(*c);
  return shown == wanted;
}

void useDefaultLocale() {}

void holdBlinkTimer(HWND frame, UINT_PTR timerId) { KillTimer(frame, timerId); }

// A pipe (the test holds its server end) and the null device.
std::vector<NotAFile> notRegularFiles(const std::string &) {
  std::string name = "oxbyte-pipe-" + std::to_string(GetCurrentProcessId());
  std::string pipe = "\\\\.\\pipe\\" + name;
  if (pipeServer == INVALID_HANDLE_VALUE)
    pipeServer = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, PIPE_UNLIMITED_INSTANCES,
                                  4096, 4096, 0, nullptr);
  return {{pipe, name}, {"\\\\.\\NUL", "NUL"}};
}

}  // namespace platform
