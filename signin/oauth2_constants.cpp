// The OAuth2 constants. Hosts and client identifier are deployment values.
#include "CCorvexOAuth2Globals.h"
#include "corvex_deployment.h"

const char* const CCorvexOAuth2Globals::ACCESS_TOKEN = "access_token";
const char* const CCorvexOAuth2Globals::REFRESH_TOKEN = "refresh_token";
const char* const CCorvexOAuth2Globals::ID_TOKEN = "id_token";
const char* const CCorvexOAuth2Globals::EXPIRE_IN = "expires_in";
const char* const CCorvexOAuth2Globals::TOKEN_TYPE = "token_type";
const char* const CCorvexOAuth2Globals::REVOKE_TOKEN = "revoke_token";
const char* const CCorvexOAuth2Globals::ERROR_TOKEN = "error";
const char* const CCorvexOAuth2Globals::ERROR_DESCRIPTION = "error_description";
const char* const CCorvexOAuth2Globals::ERROR_STATUS = "status";
const char* const CCorvexOAuth2Globals::TOKEN_EXPIRED = "token validity expired";
const char* const CCorvexOAuth2Globals::TOKEN_NOT_FOUND = "Token not found";
const char* const CCorvexOAuth2Globals::INVALID_CODE = "Invalid code or already used";
const char* const CCorvexOAuth2Globals::CUSTOM_DESC = "custom_attributes";
const char* const CCorvexOAuth2Globals::USER_FEDERATED_ID = "federatedId";
const char* const CCorvexOAuth2Globals::USER_COMPANY_NAME = "companyName";
const char* const CCorvexOAuth2Globals::KORU_ID = "KORU";
const char* const CCorvexOAuth2Globals::KORU_COMPANY = "HALVORN";
const char* const CCorvexOAuth2Globals::INTERNAL_ID = "INTERNAL";
const char* const CCorvexOAuth2Globals::REGISTERED_ID = "REGISTERED";
const char* const CCorvexOAuth2Globals::ANONYMOUS_ID = "ANONYMOUS";
const char* const CCorvexOAuth2Globals::UNKNOWN_ID = "UNKNOWN";
const char* const CCorvexOAuth2Globals::CURRENT_TIME = "current_time";
const char* const CCorvexOAuth2Globals::SUBKEY = "Software\\Halvorn\\Ondra";
const char* const CCorvexOAuth2Globals::USER_API_URI = "https://" CORVEX_IDP_HOST "/identity/GetUserProfile";
const char* const CCorvexOAuth2Globals::GOOGLE_URL = "https://www.google.com/";

const std::string CCorvexOAuth2Globals::API_URI = "https://" CORVEX_IDP_HOST "/identity/services/oauth2/token";
const std::string CCorvexOAuth2Globals::CLIENT_SECRET = "";

const std::wstring CCorvexOAuth2Globals::AUTH_URI = L"https://" CORVEX_IDP_HOST "/identity/idplogin";
const std::wstring CCorvexOAuth2Globals::REDIRECT_AUTH =
    L"https://" CORVEX_IDP_HOST "/identity/setup/secur/RemoteAccessAuthorizationPage.apexp";
const std::wstring CCorvexOAuth2Globals::PINGID_URI = L"https://" CORVEX_SSO_HOST "/";
const std::wstring CCorvexOAuth2Globals::REDIRECT_URI = L"https://localhost:8090/login";
const std::wstring CCorvexOAuth2Globals::CLIENT_ID = L"" CORVEX_CLIENT_ID;
const std::wstring CCorvexOAuth2Globals::CODE_LABEL_PARAM = L"?code=";
const std::wstring CCorvexOAuth2Globals::CLIENT_ID_LABEL_PARAM = L"&sfdc_community_url=";
const std::wstring CCorvexOAuth2Globals::APP_NAME = L"tamberlo";
