// The exported constants of the network layer and its proxy status text.
#include "CCorvexNetworkUtils.h"
#include "corvex_deployment.h"

const char* const CCorvexNetworkUtils::APPLICATION_NAME = "applications";
const char* const CCorvexNetworkUtils::CURL_CERTIFICATE_URL = CORVEX_CERTIFICATE_URL;
const char* const CCorvexNetworkUtils::CURL_CERT_NAME = "cacert.pem";
const char* const CCorvexNetworkUtils::SECTION = "DIRECTORIES";
const char* const CCorvexNetworkUtils::KEY = "CERT";
const char* const CCorvexNetworkUtils::DEFAULT_KEY = "PROJECT";
const char* const CCorvexNetworkUtils::USER_DIRECTORY = "CERT";

CString CCorvexNetworkUtils::CurrentProxyStatus;
