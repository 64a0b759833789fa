// The CA bundle download from a given address, checked against a given trust file.
// DownloadCertificate runs it with the deployment's address and trust file.
#pragma once

#include "afxstr.h"

// 1 when a bundle was downloaded from `url` over a connection verified with the CA
// certificates in `trustFile`, complete, with its marker, and installed at
// GetCertPath(); else 0, and the old bundle stays as it was.
int DownloadCertificateFrom(const CString& url, const CString& trustFile);
