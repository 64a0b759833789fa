#include "grant_store.h"

#include "encoding.h"

namespace devidp {

time_t GrantStore::Now() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return time(nullptr) + m_clockOffset;
}

void GrantStore::AdvanceClock(long seconds) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_clockOffset += seconds;
}

std::string GrantStore::AddLoginTicket(const AuthorizationRequest& request, const std::string& user) {
  const std::string ticket = Base64Url(RandomBytes(24));
  const time_t now = Now();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_tickets[ticket] = {request, user, now};
  return ticket;
}

bool GrantStore::TakePending(std::map<std::string, PendingLogin>& pending, const std::string& key,
                             PendingLogin& login) {
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = pending.find(key);
  if (found == pending.end()) return false;
  login = std::move(found->second);
  pending.erase(found);
  return true;
}

bool GrantStore::TakeLoginTicket(const std::string& ticket, AuthorizationRequest& request, std::string& user) {
  PendingLogin login;
  if (!TakePending(m_tickets, ticket, login) || Now() - login.issuedAt > kCodeLifetimeSeconds) return false;
  request = std::move(login.request);
  user = std::move(login.user);
  return true;
}

std::string GrantStore::IssueCode(const AuthorizationRequest& request, const std::string& user) {
  const std::string code = NewSecret("code");
  const time_t now = Now();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_codes[code] = {request, user, now};
  }
  RecordIssued("code", code);
  return code;
}

bool GrantStore::RedeemCode(const std::string& code, const std::string& clientId, const std::string& redirectUri,
                            const std::string& verifier, std::string& user, std::string& why) {
  PendingLogin login;
  if (!TakePending(m_codes, code, login)) {
    why = "invalid authorization code";
  } else if (Now() - login.issuedAt > kCodeLifetimeSeconds) {
    why = "expired authorization code";
  } else if (login.request.clientId != clientId) {
    why = "authorization code issued to another client";
  } else if (login.request.redirectUri != redirectUri) {
    why = "redirect_uri does not match the authorization request";
  } else if (Base64Url(Sha256(verifier)) != login.request.codeChallenge) {
    why = "code_verifier does not match the code_challenge";
  } else {
    user = login.user;
    return true;
  }
  return false;
}

std::string GrantStore::IssueRefreshToken(const std::string& user, const std::string& clientId) {
  const std::string token = NewSecret("refresh");
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_refreshTokens[token] = {user, clientId, false};
  }
  RecordIssued("refresh_token", token);
  return token;
}

bool GrantStore::UseRefreshToken(const std::string& token, const std::string& clientId, std::string& user,
                                 std::string& why) {
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_refreshTokens.find(token);
  if (found == m_refreshTokens.end() || found->second.clientId != clientId) {
    why = "unknown refresh token";
  } else if (found->second.expired) {
    why = "token validity expired";
  } else {
    user = found->second.user;
    return true;
  }
  return false;
}

int GrantStore::ExpireRefreshTokens() {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto& entry : m_refreshTokens) entry.second.expired = true;
  return static_cast<int>(m_refreshTokens.size());
}

void GrantStore::RecordIssued(const std::string& kind, const std::string& secret) {
  if (!m_keepIssuedDigests) return;
  const std::string digest = Sha256Hex(secret);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_issued.push_back({kind, digest});
}

std::vector<IssuedSecret> GrantStore::Issued() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_issued;
}

}  // namespace devidp
