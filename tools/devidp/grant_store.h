// What the provider has handed out: login tickets, authorization codes, refresh tokens,
// and the digests of every secret issued. Shared by the server's threads.
#pragma once

#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace devidp {

// The parameters of a login address that an authorization code is bound to.
struct AuthorizationRequest {
  std::string clientId;
  std::string redirectUri;
  std::string codeChallenge;
  std::string state;  // optional, handed back in the redirect
};

struct IssuedSecret {
  std::string kind;  // "code", "access_token", "refresh_token", "id_token"
  std::string sha256;
};

class GrantStore {
 public:
  static const int kCodeLifetimeSeconds = 60;

  // Digests of issued secrets are kept only for the test control: a long-running
  // provider would otherwise grow with every refresh.
  explicit GrantStore(bool keepIssuedDigests) : m_keepIssuedDigests(keepIssuedDigests) {}

  // The provider's clock: real time plus what a test moved it on by.
  time_t Now() const;
  void AdvanceClock(long seconds);

  // A single-use ticket that turns into a code on the authorization page.
  std::string AddLoginTicket(const AuthorizationRequest& request, const std::string& user);
  bool TakeLoginTicket(const std::string& ticket, AuthorizationRequest& request, std::string& user);

  std::string IssueCode(const AuthorizationRequest& request, const std::string& user);
  // Spends the code whatever the outcome. False with a description in `why` when it is
  // unknown, used, late, or not bound to this client, address and verifier.
  bool RedeemCode(const std::string& code, const std::string& clientId, const std::string& redirectUri,
                  const std::string& verifier, std::string& user, std::string& why);

  std::string IssueRefreshToken(const std::string& user, const std::string& clientId);
  // False with `why` = "token validity expired" for an expired token, another text for
  // an unknown one or one of another client.
  bool UseRefreshToken(const std::string& token, const std::string& clientId, std::string& user,
                       std::string& why);
  int ExpireRefreshTokens();

  void RecordIssued(const std::string& kind, const std::string& secret);
  std::vector<IssuedSecret> Issued() const;

 private:
  struct PendingLogin {
    AuthorizationRequest request;
    std::string user;
    time_t issuedAt;
  };
  struct RefreshGrant {
    std::string user;
    std::string clientId;
    bool expired;
  };

  bool TakePending(std::map<std::string, PendingLogin>& pending, const std::string& key, PendingLogin& login);

  const bool m_keepIssuedDigests;
  mutable std::mutex m_mutex;
  long m_clockOffset = 0;
  std::map<std::string, PendingLogin> m_tickets;
  std::map<std::string, PendingLogin> m_codes;
  std::map<std::string, RefreshGrant> m_refreshTokens;
  std::vector<IssuedSecret> m_issued;
};

}  // namespace devidp
