// BuildURL: an address with its query, as the identity provider's login page takes it.
#include "CCorvexOAuth2Globals.h"

std::wstring CCorvexOAuth2Globals::BuildURL(std::wstring base, std::map<std::wstring, std::wstring> params) {
  std::wstring address;
  if (base.empty()) return address;
  address = base + L"?";
  for (const auto& param : params) address += param.first + L"=" + param.second + L"&";
  return address;
}
