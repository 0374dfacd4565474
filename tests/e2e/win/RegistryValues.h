#pragma once
// The registry as reg.exe shows and changes it, for the resident inspector: keys as "HKCU\\Control Panel\\Desktop"
// (HKCU, HKLM or their long names), data written and printed the way reg add and reg query take and print them.
#include <optional>
#include <string>

namespace lumora::e2e::win {

// TYPE: REG_SZ, REG_EXPAND_SZ, REG_DWORD (decimal or 0x hex), REG_BINARY (hex pairs) or REG_MULTI_SZ (strings
// separated by a literal \0). Makes the key when it is missing.
void SetRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& type,
                      const std::wstring& data);
// Throws when the key or the value is missing, as reg delete fails then.
void DeleteRegistryValue(const std::wstring& key, const std::wstring& name);
// Strings as they are, a DWORD as 0x hex; nothing when the key or the value is missing.
std::optional<std::wstring> RegistryValue(const std::wstring& key, const std::wstring& name);

}  // namespace lumora::e2e::win
