// The tracking texts handed to the caller after a sign-in. Names that come from the
// user's profile or the system are percent-encoded where they could split the query.
#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2Globals.h"
#include "CorvexSettings.h"
#include "Logger.h"
#include "percent_encoding.h"
#include "upper_case.h"

namespace {

using Globals = CCorvexOAuth2Globals;

const char kProductTitle[] = "Norvasta - Tamberlo";

void Log(const char* text) { Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Authentication", text); }

void Append(CString& query, const char* key, const std::string& value) {
  query += key;
  query += value.c_str();
}

// The user type and company label of the stored profile.
void UserLabels(std::string& userType, std::string& company) {
  CString federatedId, companyName;
  const bool registered = Globals::DecryptData(Globals::USER_FEDERATED_ID, federatedId) &&
                          Globals::DecryptData(Globals::USER_COMPANY_NAME, companyName) && !federatedId.IsEmpty() &&
                          !companyName.IsEmpty();
  if (!registered) {
    userType = Globals::ANONYMOUS_ID;
    company = Globals::UNKNOWN_ID;
  } else if (federatedId.Find(Globals::KORU_ID) == 0) {
    userType = Globals::INTERNAL_ID;
    company = Globals::KORU_COMPANY;
  } else {
    userType = Globals::REGISTERED_ID;
    company = TrackingEncode(UpperCaseUtf8(companyName.str()));
  }
}

}  // namespace

void CCorvexOAuth2::LogTrackingEvent(CString& query) {
  Log("Generate tracking event for authentication action");
  std::string userType, company;
  UserLabels(userType, company);
  Append(query, "&t=", "event");
  Append(query, "&ec=", "Application");
  Append(query, "&ea=", "Login");
  Append(query, "&cd1=", userType);
  Append(query, "&cd2=", company);
  Append(query, "&cd3=", kProductTitle);
  Log("Write tracking event for authentication action");
}

void CCorvexOAuth2::TrackSoftwareInfos(CString& query) {
  CCorvexSettings settings;
  Append(query, "&cd3=", TrackingEncode(settings.GetWindowsVersion().str()));
  Append(query, "&cd5=", TrackingEncode(settings.GetSoftInfo(0).str()));
}
