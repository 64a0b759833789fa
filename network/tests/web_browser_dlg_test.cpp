// The browser dialog with the scripted backend: what it shows is recorded, without a
// window or the engine.
#include <gtest/gtest.h>

#include "CCorvexWebBrowserDlg.h"
#include "CorvexNetworkDLL.h"
#include "PelkTools.h"
#include "corvex_deployment.h"
#include "platform_ui.h"

namespace {

// Shows the address the dialog settled on.
class AddressOfDialog : public CCorvexWebBrowserDlg {
 public:
  CString Url() const { return m_strUrl; }
};

class WebBrowserDlgTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PELK3_SetSubdirResFile("Lng");
    PELK3_SetExtResourceFile("LNG");
    ASSERT_EQ(InitCorvexNetworkDLL(), 1);
  }
  void SetUp() override { platform::ui::UseScriptedBackend(); }

  static platform::ui::RecordedPrompt OnlyRun() {
    const std::vector<platform::ui::RecordedPrompt> runs = platform::ui::RecordedPrompts();
    EXPECT_EQ(runs.size(), 1u);
    return runs.empty() ? platform::ui::RecordedPrompt() : runs[0];
  }
};

TEST_F(WebBrowserDlgTest, RecordsTemplateCaptionAndSizeAndAnswersFromTheScript) {
  struct Case {
    int width, height;  // 0: SetSize not called
    const char* title;
    int answer;  // 0: nothing scripted
    std::string size;
    INT_PTR result;
  } cases[] = {
      {0, 0, nullptr, 0, "1600x900", IDCANCEL},
      {800, 600, "Sign in", IDOK, "800x600", IDOK},
  };
  for (const Case& c : cases) {
    platform::ui::UseScriptedBackend();
    if (c.answer) platform::ui::QueueAnswer(c.answer);
    CCorvexWebBrowserDlg dialog;
    if (c.width) dialog.SetSize(c.width, c.height);
    if (c.title) dialog.SetTitle(c.title);
    EXPECT_EQ(dialog.DoModal(), c.result);
    const platform::ui::RecordedPrompt run = OnlyRun();
    EXPECT_EQ(run.kind, "dialog");
    EXPECT_EQ(run.Field("template"), "4105");
    EXPECT_EQ(run.Field("caption"), c.title ? c.title : "");
    EXPECT_EQ(run.Field("size"), c.size);
  }
}

TEST_F(WebBrowserDlgTest, WithoutAnAddressOpensTheDefaultOne) {
  AddressOfDialog dialog;
  dialog.DoModal();
  EXPECT_STREQ(dialog.Url().GetString(), CORVEX_DEFAULT_BROWSER_URL);
  dialog.SetUrl("https://idp.example/login");
  dialog.DoModal();
  EXPECT_STREQ(dialog.Url().GetString(), "https://idp.example/login");
}

TEST_F(WebBrowserDlgTest, HoldsTheClientItMadeUntilItIsDestroyed) {
  {
    CCorvexWebBrowserDlg dialog;
    dialog.DoModal();
    CCorvexCefClient* made = CCorvexCefClient::GetInstance();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetHostDialog(), &dialog);
    EXPECT_TRUE(made->HasOneRef());  // the dialog's
  }
  EXPECT_EQ(CCorvexCefClient::GetInstance(), nullptr);  // released with the dialog
}

TEST_F(WebBrowserDlgTest, UsesTheClientItIsGiven) {
  CefRefPtr<CCorvexCefClient> client = new CCorvexCefClient;
  {
    CCorvexWebBrowserDlg dialog;
    dialog.SetClientHandler(client.get());
    EXPECT_EQ(client->GetHostDialog(), &dialog);
    dialog.DoModal();
    EXPECT_EQ(CCorvexCefClient::GetInstance(), client.get());
  }
  EXPECT_TRUE(client->HasOneRef());
}

TEST_F(WebBrowserDlgTest, WithoutItsTemplateADialogDoesNotRun) {
  CDialog dialog(4999);
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_TRUE(platform::ui::RecordedPrompts().empty());
}

}  // namespace
