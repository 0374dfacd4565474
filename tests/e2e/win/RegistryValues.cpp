#include "RegistryValues.h"

#include <windows.h>

#include <cwchar>
#include <stdexcept>
#include <vector>

namespace lumora::e2e::win {
namespace {

struct KeyPath {
  HKEY root;
  std::wstring subKey;
};

KeyPath ParseKey(const std::wstring& key) {
  const size_t slash = key.find(L'\\');
  const std::wstring root = key.substr(0, slash);
  const std::wstring subKey = slash == std::wstring::npos ? L"" : key.substr(slash + 1);
  if (root == L"HKCU" || root == L"HKEY_CURRENT_USER") return {HKEY_CURRENT_USER, subKey};
  if (root == L"HKLM" || root == L"HKEY_LOCAL_MACHINE") return {HKEY_LOCAL_MACHINE, subKey};
  throw std::runtime_error("unknown registry root");
}

// The key, open for `access`; null when it is missing.
HKEY OpenKey(const std::wstring& key, REGSAM access) {
  const KeyPath path = ParseKey(key);
  HKEY handle = nullptr;
  if (RegOpenKeyExW(path.root, path.subKey.c_str(), 0, access, &handle) != ERROR_SUCCESS) return nullptr;
  return handle;
}

unsigned long ParseNumber(const std::wstring& text) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text.c_str(), &end, 0);
  if (text.empty() || *end != L'\0') throw std::runtime_error("not a number");
  return value;
}

std::vector<BYTE> StringBytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

// reg add separates the strings of a REG_MULTI_SZ with a literal \0; the list ends with an empty string.
std::wstring MultiString(std::wstring data) {
  for (size_t at = data.find(L"\\0"); at != std::wstring::npos; at = data.find(L"\\0", at + 1))
    data.replace(at, 2, 1, L'\0');
  return data + L'\0';
}

std::vector<BYTE> HexBytes(const std::wstring& data) {
  if (data.size() % 2 != 0) throw std::runtime_error("odd number of hex digits");
  std::vector<BYTE> bytes;
  for (size_t i = 0; i < data.size(); i += 2)
    bytes.push_back(static_cast<BYTE>(ParseNumber(L"0x" + data.substr(i, 2))));
  return bytes;
}

std::pair<DWORD, std::vector<BYTE>> TypedData(const std::wstring& type, const std::wstring& data) {
  if (type == L"REG_SZ") return {REG_SZ, StringBytes(data)};
  if (type == L"REG_EXPAND_SZ") return {REG_EXPAND_SZ, StringBytes(data)};
  if (type == L"REG_MULTI_SZ") return {REG_MULTI_SZ, StringBytes(MultiString(data))};
  if (type == L"REG_BINARY") return {REG_BINARY, HexBytes(data)};
  if (type == L"REG_DWORD") {
    const DWORD value = ParseNumber(data);
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof value)};
  }
  throw std::runtime_error("unknown value type");
}

}  // namespace

void SetRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& type,
                      const std::wstring& data) {
  const auto [valueType, bytes] = TypedData(type, data);
  const KeyPath path = ParseKey(key);
  HKEY handle = nullptr;
  if (RegCreateKeyExW(path.root, path.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot open the key");
  const LONG result =
      RegSetValueExW(handle, name.c_str(), 0, valueType, bytes.data(), static_cast<DWORD>(bytes.size()));
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) throw std::runtime_error("cannot set the value");
}

void DeleteRegistryValue(const std::wstring& key, const std::wstring& name) {
  HKEY handle = OpenKey(key, KEY_SET_VALUE);
  if (handle == nullptr) throw std::runtime_error("no such key");
  const LONG result = RegDeleteValueW(handle, name.c_str());
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) throw std::runtime_error("no such value");
}

std::optional<std::wstring> RegistryValue(const std::wstring& key, const std::wstring& name) {
  HKEY handle = OpenKey(key, KEY_QUERY_VALUE);
  if (handle == nullptr) return std::nullopt;
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size + sizeof(wchar_t), 0);
  if (result == ERROR_SUCCESS) result = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) return std::nullopt;
  if (type == REG_DWORD) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%lx", *reinterpret_cast<const DWORD*>(data.data()));
    return text;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw std::runtime_error("a value of another type than text or DWORD");
  return std::wstring(reinterpret_cast<const wchar_t*>(data.data()));
}

}  // namespace lumora::e2e::win
