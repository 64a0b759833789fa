// The tracking texts, letter for letter, from the stored profile and the settings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2Globals.h"
#include "CorvexSettings.h"
#include "test_support.h"

namespace {

using Globals = CCorvexOAuth2Globals;

const std::string kStart = "&t=event&ec=Application&ea=Login";
const std::string kProduct = "&cd3=Norvasta - Tamberlo";

class TrackingTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::RedirectUserAndMachineFolders(tmp.path()); }

  // The login event for a stored profile; a null value is not stored.
  std::string LoginEvent(const char* federatedId, const char* companyName) {
    Globals::DeleteKey();
    if (federatedId) Globals::EncryptData(Globals::USER_FEDERATED_ID, federatedId);
    if (companyName) Globals::EncryptData(Globals::USER_COMPANY_NAME, companyName);
    CString query("kept");
    CCorvexOAuth2().LogTrackingEvent(query);
    return query.str();
  }

  testing_support::TempFolder tmp;
};

TEST_F(TrackingTest, LoginEventLabelsTheUserFromTheStoredProfile) {
  struct Case {
    const char* federatedId;
    const char* companyName;
    std::string labels;
  } cases[] = {
      {nullptr, "Acme", "&cd1=ANONYMOUS&cd2=UNKNOWN"},
      {"F1", "", "&cd1=ANONYMOUS&cd2=UNKNOWN"},
      {"", "Acme", "&cd1=ANONYMOUS&cd2=UNKNOWN"},
      {"KORU0042", "Anything", "&cd1=INTERNAL&cd2=HALVORN"},
      {"F-KORU", "Acme", "&cd1=REGISTERED&cd2=ACME"},
      {"F1", "Électricité Sud", "&cd1=REGISTERED&cd2=ÉLECTRICITÉ SUD"},
      {"F1", "A&B=C #1+2%\n", "&cd1=REGISTERED&cd2=A%26B%3DC %231%2B2%25%0A"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LoginEvent(c.federatedId, c.companyName), "kept" + kStart + c.labels + kProduct) << c.companyName;
}

TEST_F(TrackingTest, SoftwareEventNamesTheSystemAndTheProduct) {
  const std::string settings = tmp / "CorvexV0.inf", product = tmp / "product.inf";
  ASSERT_TRUE(testing_support::WriteWholeFile(settings, "[LOCALINFFILE]\nSplashScreenFile=" + product + "\n"));
  ASSERT_TRUE(testing_support::WriteWholeFile(product, "[SplashScreen]\nProductName=Norvasta - Tamberlo V2026&1\n"));
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "os-release", "PRETTY_NAME=\"Debian 12 = bookworm\"\n"));
  setenv("CORVEX_PLATFORM_OS_RELEASE", (tmp / "os-release").c_str(), 1);
  CCorvexSettings::SetFile(settings.c_str());
  CString query("&t=event");
  CCorvexOAuth2().TrackSoftwareInfos(query);
  EXPECT_EQ(query.str(), "&t=event&cd3=Debian 12 %3D bookworm&cd5=Tamberlo V2026%261");
}

}  // namespace
