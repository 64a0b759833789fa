// WinHTTP proxy discovery: the user's Internet proxy settings from the hive and the answer
// of a proxy auto-configuration (PAC) script for one address. Only what proxy discovery
// needs; a session handle does no transfers.
//
// Strings handed out (the fields of the configuration and of the proxy information) are
// UTF-16, allocated with GlobalAlloc and released by the caller with GlobalFree.
#pragma once

#include "winerror.h"
#include "winheap.h"
#include "wintypes.h"

typedef LPVOID HINTERNET;
typedef WORD INTERNET_PORT;

// The user's Internet settings, from the key
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings:
// values AutoDetect, AutoConfigURL, ProxyServer (only while ProxyEnable is non-zero) and
// ProxyOverride. An absent setting is null (FALSE for fAutoDetect).
typedef struct {
  BOOL fAutoDetect;
  LPWSTR lpszAutoConfigUrl;
  LPWSTR lpszProxy;
  LPWSTR lpszProxyBypass;
} WINHTTP_CURRENT_USER_IE_PROXY_CONFIG;

typedef struct {
  DWORD dwFlags;
  DWORD dwAutoDetectFlags;
  LPCWSTR lpszAutoConfigUrl;
  LPVOID lpvReserved;
  DWORD dwReserved;
  BOOL fAutoLogonIfChallenged;
} WINHTTP_AUTOPROXY_OPTIONS;

typedef struct {
  DWORD dwAccessType;
  LPWSTR lpszProxy;
  LPWSTR lpszProxyBypass;
} WINHTTP_PROXY_INFO, *LPWINHTTP_PROXY_INFO;

#define WINHTTP_ACCESS_TYPE_DEFAULT_PROXY 0
#define WINHTTP_ACCESS_TYPE_NO_PROXY 1
#define WINHTTP_ACCESS_TYPE_NAMED_PROXY 3
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4

#define WINHTTP_NO_PROXY_NAME NULL
#define WINHTTP_NO_PROXY_BYPASS NULL
#define WINHTTP_FLAG_ASYNC 0x10000000

#define WINHTTP_AUTOPROXY_AUTO_DETECT 0x00000001
#define WINHTTP_AUTOPROXY_CONFIG_URL 0x00000002
#define WINHTTP_AUTOPROXY_RUN_INPROCESS 0x00010000
#define WINHTTP_AUTOPROXY_RUN_OUTPROCESS_ONLY 0x00020000
#define WINHTTP_AUTO_DETECT_TYPE_DHCP 0x00000001
#define WINHTTP_AUTO_DETECT_TYPE_DNS_A 0x00000002

#define ERROR_WINHTTP_TIMEOUT 12002L
#define ERROR_WINHTTP_INTERNAL_ERROR 12004L
#define ERROR_WINHTTP_INVALID_URL 12005L
#define ERROR_WINHTTP_UNRECOGNIZED_SCHEME 12006L
#define ERROR_WINHTTP_NAME_NOT_RESOLVED 12007L
#define ERROR_WINHTTP_INCORRECT_HANDLE_TYPE 12018L
#define ERROR_WINHTTP_CANNOT_CONNECT 12029L
#define ERROR_WINHTTP_BAD_AUTO_PROXY_SCRIPT 12166L
#define ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT 12167L
#define ERROR_WINHTTP_AUTODETECTION_FAILED 12180L

// TRUE with the settings (all null and FALSE when the key is absent); FALSE with the last
// error set when the hive cannot be read or memory is short.
BOOL WinHttpGetIEProxyConfigForCurrentUser(WINHTTP_CURRENT_USER_IE_PROXY_CONFIG* pProxyConfig);

// A session handle for WinHttpGetProxyForUrl; only synchronous sessions (no
// WINHTTP_FLAG_ASYNC). Null with the last error set on failure.
HINTERNET WinHttpOpen(LPCWSTR pszAgentW, DWORD dwAccessType, LPCWSTR pszProxyW, LPCWSTR pszProxyBypassW,
                      DWORD dwFlags);

// With WINHTTP_AUTOPROXY_CONFIG_URL: fetches the script (5 s, at most 1 MiB, never through a
// proxy, without logging on) and evaluates FindProxyForURL(url, host) under a time and memory
// limit. The first entry of the answer decides: "PROXY host:port" gives
// WINHTTP_ACCESS_TYPE_NAMED_PROXY with lpszProxy "host:port", "DIRECT" gives
// WINHTTP_ACCESS_TYPE_NO_PROXY with a null proxy. Automatic detection is not offered
// (ERROR_WINHTTP_AUTODETECTION_FAILED). FALSE with the last error set on any failure: a
// script that cannot be fetched (ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT) or that fails,
// runs too long or too big, or answers no usable entry (ERROR_WINHTTP_BAD_AUTO_PROXY_SCRIPT).
BOOL WinHttpGetProxyForUrl(HINTERNET hSession, LPCWSTR lpcwszUrl, WINHTTP_AUTOPROXY_OPTIONS* pAutoProxyOptions,
                           WINHTTP_PROXY_INFO* pProxyInfo);

// Closes a handle from WinHttpOpen; FALSE with ERROR_INVALID_HANDLE for anything else.
BOOL WinHttpCloseHandle(HINTERNET hInternet);
