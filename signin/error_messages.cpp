#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "authentication_failure.h"
#include "winuser.h"

namespace {

// Messages of the library's language module.
enum : UINT {
  IDS_NO_INTERNET_CONNECTION = 14355,
  IDS_UNKNOWN_ERROR = 14360,
  IDS_QUERY_NOT_PROCEEDED = 14362,
  IDS_AUTHENTICATION_REQUIRED = 14363,
  IDS_INTERNAL_SERVER_ERROR = 14364,
  IDS_RESOURCE_NOT_FOUND = 14365,
  IDS_PAYMENT_REQUIRED = 14367,
  IDS_ERROR_TITLE = 14368,
  IDS_REFUSED = 14369,
  IDS_METHOD_NOT_ALLOWED = 14370,
  IDS_NOT_ACCEPTABLE = 14371,
  IDS_PROXY_IDENTIFICATION = 14372,
  IDS_SERVER_TIME_OUT = 14373,
  IDS_CONFLICT = 14374,
  IDS_GONE = 14375,
  IDS_LENGTH_REQUIRED = 14376,
  IDS_PRECONDITION_FAILED = 14377,
  IDS_TOO_LARGE = 14378,
  IDS_URI_TOO_LONG = 14379,
  IDS_UNSUPPORTED_FORMAT = 14380,
  IDS_NOT_IMPLEMENTED = 14381,
  IDS_BAD_GATEWAY = 14382,
  IDS_UNAVAILABLE = 14383,
  IDS_GATEWAY_TIME_OUT = 14384,
  IDS_AUTHENTICATION_PROBLEM = 14385,
  IDS_HTTP_VERSION = 14386,
};

// The URL-moniker error INET_E_RESOURCE_NOT_FOUND (0x800C0005) as a signed status.
constexpr int kInetResourceNotFound = -2146697211;

struct StatusMessage {
  int status;
  const char* logText;
  UINT id;
};

const StatusMessage kStatusMessages[] = {
    {0, "Internal Server Error.", IDS_INTERNAL_SERVER_ERROR},
    {500, "Internal Server Error.", IDS_INTERNAL_SERVER_ERROR},
    {400, "The request could not be processed by the server.", IDS_QUERY_NOT_PROCEEDED},
    {401, "The requested resource requires user authentication", IDS_AUTHENTICATION_REQUIRED},
    {402, "Payment required to access the resource.", IDS_PAYMENT_REQUIRED},
    {403, "The server understood the request, but refuses to execute it.", IDS_REFUSED},
    {404, "Resource not found.", IDS_RESOURCE_NOT_FOUND},
    {kInetResourceNotFound, "Resource not found.", IDS_RESOURCE_NOT_FOUND},
    {405, "Unauthorized request method.", IDS_METHOD_NOT_ALLOWED},
    {406, "The requested resource is not available in a format that would respect the headers", IDS_NOT_ACCEPTABLE},
    {407, "Access to authorized resource by identification with proxy", IDS_PROXY_IDENTIFICATION},
    {408, "Waiting time for a client request, elapsed on the server side.", IDS_SERVER_TIME_OUT},
    {409, "The request can not be processed in the current state.", IDS_CONFLICT},
    {410, "The resource is no longer available and no redirection address is known.", IDS_GONE},
    {411, "The length of the request has not been specified.", IDS_LENGTH_REQUIRED},
    {412, "Preconditions sent by the query unverified.", IDS_PRECONDITION_FAILED},
    {413, "Abandoned treatment due to excessive request", IDS_TOO_LARGE},
    {414, "URI too long", IDS_URI_TOO_LONG},
    {415, "Unsupported query format for a given method and resource", IDS_UNSUPPORTED_FORMAT},
    {501, "Functionality claimed not supported by the server.", IDS_NOT_IMPLEMENTED},
    {502, "By acting as a proxy server or gateway, the server received an invalid response from the server",
     IDS_BAD_GATEWAY},
    {503, "Service temporarily unavailable or under maintenance.", IDS_UNAVAILABLE},
    {504, "Waiting time for a response from a server to an intermediate server that has elapsed", IDS_GATEWAY_TIME_OUT},
    {505, "Unsupported HTTP version", IDS_HTTP_VERSION},
};

}  // namespace

UINT CCorvexOAuth2Globals::GetErrorMsgId(int status, CString& logText) {
  for (const StatusMessage& entry : kStatusMessages) {
    if (entry.status == status) {
      logText = entry.logText;
      return entry.id;
    }
  }
  logText = "Unknown error";
  return IDS_UNKNOWN_ERROR;
}

void CCorvexOAuth2Globals::NavigateErrorMsg(unsigned int id) {
  CString message, reference, title;
  message.LoadString(id);
  reference.LoadString(IDS_NO_INTERNET_CONNECTION);
  title.LoadString(IDS_ERROR_TITLE);
  // Only the missing connection is named; every other failure gets the generic text.
  if (message != reference) message.LoadString(IDS_AUTHENTICATION_PROBLEM);
  MessageBoxA(nullptr, message, title, MB_ICONERROR | MB_OK);
}

void CCorvexOAuth2Globals::GetErrorMsg(int status, int) {
  CString logText;
  NavigateErrorMsg(GetErrorMsgId(status, logText));
  Logger::getInstance()->error(LOG_SCOPE_USER, "Authentication error", logText);
}

void ReportAuthenticationFailure(const char* text) noexcept {
  try {
    Logger::getInstance()->error(LOG_SCOPE_USER, "Authentication error", text);
  } catch (...) {
  }
  try {
    CCorvexOAuth2Globals::NavigateErrorMsg(IDS_UNKNOWN_ERROR);
  } catch (...) {
  }
}
