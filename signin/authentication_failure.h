// A sign-in failure the user sees: the English text in the log, then the error box.
#pragma once

// Logs `text` (error, user scope, title "Authentication error") and shows the box of the
// generic message 14360. Never raises: the box is shown even when the log fails.
void ReportAuthenticationFailure(const char* text) noexcept;
