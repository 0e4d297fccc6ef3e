#include "util/FileOrigin.h"

// clang-format off
#include <windows.h>
#include <urlmon.h>
// clang-format on

#include <string>

#include "util/win32/WideText.h"

namespace {

// The system's reader of the mark (urlmon's PersistentZoneIdentifier).
constexpr CLSID kPersistentZoneIdentifier = {
    0x0968e258, 0x16c7, 0x4dba, {0xaa, 0x86, 0x46, 0x2d, 0xd6, 0x1e, 0x31, 0xa3}};
constexpr DWORD kNoZone = ~DWORD{0};

template <typename T>
struct TComRelease {
  T* object = nullptr;
  ~TComRelease() {
    if (object) object->Release();
  }
};

// The zone as the system reads it; kNoZone where its reader is missing
// (older systems, Wine) or the file has no mark.
DWORD ZoneBySystem(const std::wstring& path) {
  TComRelease<IPersistFile> file;
  if (FAILED(CoCreateInstance(kPersistentZoneIdentifier, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                              reinterpret_cast<void**>(&file.object))))
    return kNoZone;
  TComRelease<IZoneIdentifier> zone;
  DWORD id = kNoZone;
  if (FAILED(file.object->Load(path.c_str(), STGM_READ)) ||
      FAILED(file.object->QueryInterface(IID_IZoneIdentifier, reinterpret_cast<void**>(&zone.object))) ||
      FAILED(zone.object->GetId(&id)))
    return kNoZone;
  return id;
}

// The zone as the mark's text gives it: "ZoneId=N" in its [ZoneTransfer]
// section.
DWORD ZoneFromMark(const std::wstring& path) {
  HANDLE stream = CreateFileW((path + L":Zone.Identifier").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (stream == INVALID_HANDLE_VALUE) return kNoZone;
  char text[4096];
  DWORD length = 0;
  const bool read = ReadFile(stream, text, sizeof text - 1, &length, nullptr);
  CloseHandle(stream);
  if (!read) return kNoZone;
  const std::string mark(text, length);
  const size_t key = mark.find("ZoneId=", mark.find("[ZoneTransfer]"));
  if (mark.find("[ZoneTransfer]") == std::string::npos || key == std::string::npos) return kNoZone;
  return static_cast<DWORD>(std::strtoul(mark.c_str() + key + 7, nullptr, 10));
}

}  // namespace

TFileOrigin FileOrigin(const std::string& path) {
  const std::wstring widePath = WideOf(path);
  DWORD zone = ZoneBySystem(widePath);
  if (zone == kNoZone) zone = ZoneFromMark(widePath);
  if (zone == kNoZone || zone < URLZONE_INTERNET) return TFileOrigin::Local;
  return zone == URLZONE_INTERNET ? TFileOrigin::Internet : TFileOrigin::Untrusted;
}
