# Deployment values: hosts and identifiers that differ between the development setup
# and a production build. One generated header, corvex_deployment.h, carries them;
# code reaches it through the CorvexDeployment target. The defaults point at the
# development identity provider on loopback: a name under .localhost reaches 127.0.0.1
# in libcurl and the browser without a hosts file, and gives the login host the prefix
# "idp" that the login page's client recognises, as a production host's.

set(CORVEX_IDP_HOST "idp-dev.localhost:8443" CACHE STRING
    "Identity provider host[:port] (token endpoint, login page)")
set(CORVEX_SSO_HOST "sso-dev.localhost:8444" CACHE STRING
    "Single-sign-on host[:port] the login page may pass through")
set(CORVEX_CLIENT_ID
    "CorvexDevelopmentClient.Tamberlo_Desktop.0123456789.abcdefghijklmnopqrstuvwxyz_ABCDEF"
    CACHE STRING "OAuth2 client identifier registered with the identity provider")
set(CORVEX_CERTIFICATE_URL "https://idp-dev.localhost:8443/ca/cacert.pem" CACHE STRING
    "Address the CA bundle is downloaded from")
set(CORVEX_CERTIFICATE_TRUST_FILE "~/.halvorn/devidp/ca.pem" CACHE STRING
    "CA certificates the bundle's download server is verified with (a production build: /etc/ssl/certs/ca-certificates.crt); a leading ~/ is the user's home")
set(CORVEX_DEFAULT_BROWSER_URL "https://idp-dev.localhost:8443/" CACHE STRING
    "Page the browser dialog opens when its owner gives no address")

set(CORVEX_HOME_DOMAIN_LABEL ".halvorn." CACHE STRING
    "The maker's domain label with a full stop on each side: a host holding it is one of the maker's")
set(CORVEX_HOME_SHORT_DOMAIN_LABEL ".hv." CACHE STRING
    "The maker's two-letter domain label with a full stop on each side")

# These values go into addresses and request bodies as they are, without encoding.
foreach(host_var CORVEX_IDP_HOST CORVEX_SSO_HOST)
  if(NOT "${${host_var}}" MATCHES "^[A-Za-z0-9.-]+(:[0-9]+)?$")
    message(FATAL_ERROR "${host_var} \"${${host_var}}\" must be a host name with an optional \":port\"")
  endif()
endforeach()
foreach(label_var CORVEX_HOME_DOMAIN_LABEL CORVEX_HOME_SHORT_DOMAIN_LABEL)
  if(NOT "${${label_var}}" MATCHES "^\\.[A-Za-z0-9-]+\\.$")
    message(FATAL_ERROR "${label_var} \"${${label_var}}\" must be a domain label with a full stop on each side")
  endif()
endforeach()
if(NOT CORVEX_CLIENT_ID MATCHES "^[A-Za-z0-9._]+$")
  message(FATAL_ERROR "CORVEX_CLIENT_ID \"${CORVEX_CLIENT_ID}\" may hold only letters, digits, \".\" and \"_\"")
endif()
if(NOT CORVEX_CERTIFICATE_URL MATCHES "^https://[A-Za-z0-9.-]+(:[0-9]+)?/ca/cacert\\.pem$")
  message(FATAL_ERROR "CORVEX_CERTIFICATE_URL \"${CORVEX_CERTIFICATE_URL}\" must be https://host[:port]/ca/cacert.pem")
endif()
if(NOT CORVEX_CERTIFICATE_TRUST_FILE MATCHES "^(~/|/)[^\"\\]+$")
  message(FATAL_ERROR "CORVEX_CERTIFICATE_TRUST_FILE \"${CORVEX_CERTIFICATE_TRUST_FILE}\" must be an absolute path or begin with ~/")
endif()

# The information feed's repositories, each address ending with "/".
set(CORVEX_INFOS_REPOSITORY_LOC "https://127.0.0.1/Tamberlo/" CACHE STRING "Information feed: local test repository")
set(CORVEX_INFOS_REPOSITORY_DEV "https://127.0.0.1:8446/infos/dev/" CACHE STRING "Information feed: development repository")
set(CORVEX_INFOS_REPOSITORY_PPR "https://127.0.0.1:8446/infos/ppr/" CACHE STRING "Information feed: pre-production repository")
set(CORVEX_INFOS_REPOSITORY_PROD "https://127.0.0.1:8446/infos/prod/" CACHE STRING "Information feed: production repository")

configure_file(${CMAKE_CURRENT_LIST_DIR}/deployment.h.in ${CMAKE_BINARY_DIR}/generated/corvex_deployment.h @ONLY)
add_library(CorvexDeployment INTERFACE)
target_include_directories(CorvexDeployment INTERFACE ${CMAKE_BINARY_DIR}/generated)
