// /_test/: lets a test expire tokens, force or shape the next answers, move the clock,
// and read back what the provider received and issued. Only added with --test-control.
//
//   POST expire-refresh-tokens                      every refresh token issued so far
//   POST next-token-answer   status=N&body=TEXT     the next token request's answer
//   POST shape-next-answer   [path=P&]cut_after=N | piece_size=N   (path: token endpoint)
//   POST advance-clock       seconds=N
//   GET  last-form           the last form posted, secrets as "sha256:<hex>"
//   GET  issued              {"issued":[{"kind","sha256"}]} for every secret issued
#pragma once

#include "provider.h"
#include "router.h"

namespace devidp {

void AddTestControlRoutes(Router& router, Provider& provider);

}  // namespace devidp
