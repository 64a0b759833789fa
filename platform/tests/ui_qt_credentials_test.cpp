#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "platform_ui.h"
#include "test_support.h"
#include "wincred.h"

// Fontconfig, loaded by Qt's font database, keeps a few allocations of its own until exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

const bool kOffscreen = setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;

QApplication* testApplication() {
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) return application;
  static int argc = 1;
  static char name[] = "platform_credentials_qt_test";
  static char* argv[] = {name, nullptr};
  return new QApplication(argc, argv);
}

struct SeenDialog {
  QString title, texts, initialUser;
};

QDialog* visibleDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

// The test "user": types into the dialog's two fields and presses OK, or Cancel when `user` is null.
void answerWhenShown(SeenDialog* seen, const char* user, const char* password, int triesLeft) {
  QDialog* dialog = visibleDialog();
  if (!dialog) {
    if (triesLeft > 0) QTimer::singleShot(5, qApp, [=] { answerWhenShown(seen, user, password, triesLeft - 1); });
    return;
  }
  seen->title = dialog->windowTitle();
  for (QLabel* label : dialog->findChildren<QLabel*>()) seen->texts += label->text() + "|";
  const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
  seen->initialUser = fields.value(0)->text();
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  if (!user) return buttons->button(QDialogButtonBox::Cancel)->click();
  fields.value(0)->setText(user);
  fields.value(1)->setText(password);
  buttons->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

TEST(QtCredentialDialog, ShowsTheTextsAndTheNoticeAndReturnsWhatWasTyped) {
  ASSERT_TRUE(kOffscreen);
  testing_support::TempFolder root;
  testing_support::RedirectUserAndMachineFolders(root.path());
  platform::ui::UseQtBackend();
  testApplication();
  CREDUI_INFOA info = {sizeof(info), nullptr, "Proxy log-in needed", "Proxy", nullptr};

  SeenDialog seen;
  QTimer::singleShot(0, qApp, [&] { answerWhenShown(&seen, "alice", "pw", 400); });
  char user[16] = "previous", password[16] = "";
  EXPECT_EQ(CredUIPromptForCredentialsA(&info, "Tamberlo", nullptr, 0, user, 16, password, 16, nullptr, 0x41081), 0u);
  EXPECT_STREQ(user, "alice");
  EXPECT_STREQ(password, "pw");
  EXPECT_EQ(seen.title, "Proxy");
  EXPECT_TRUE(seen.texts.contains("Proxy log-in needed"));
  EXPECT_TRUE(seen.texts.contains("incorrect"));
  EXPECT_EQ(seen.initialUser, "previous");

  SeenDialog cancelled;
  QTimer::singleShot(0, qApp, [&] { answerWhenShown(&cancelled, nullptr, nullptr, 400); });
  EXPECT_EQ(CredUIPromptForCredentialsA(&info, "Tamberlo", nullptr, 0, user, 16, password, 16, nullptr, 0x40080),
            static_cast<DWORD>(ERROR_CANCELLED));
  EXPECT_FALSE(cancelled.texts.contains("incorrect"));
  EXPECT_STREQ(user, "alice");
}
