#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform_gui.h"
#include "platform_ui.h"
#include "test_support.h"
#include "wincred.h"
#include "winuser.h"

// Fontconfig, loaded by Qt's font database, keeps a few allocations of its own until exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

// Boxes must never wait for a display.
const bool kOffscreen = setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;

QApplication* testApplication() {
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) return application;
  static int argc = 1;
  static char name[] = "platform_ui_qt_test";
  static char* argv[] = {name, nullptr};
  return new QApplication(argc, argv);
}

struct SeenBox {
  bool found = false;
  QString text;
  QString title;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QAbstractButton* defaultButton = nullptr;
  QAbstractButton* expectedDefault = nullptr;
  QWidget* parent = nullptr;
  bool onGuiThread = false;
  bool openAfterEscapeAndClose = false;
};

// What the test "user" does with the box: optionally Escape then the close box, then a click.
struct Reaction {
  bool escapeFirst;
  QMessageBox::StandardButton click;
  QMessageBox::StandardButton expectedDefault;
};

QMessageBox* visibleMessageBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box && box->isVisible()) return box;
  }
  return nullptr;
}

void answerWhenShown(SeenBox* seen, Reaction reaction, int triesLeft) {
  QMessageBox* box = visibleMessageBox();
  if (!box) {
    if (triesLeft == 0) return QCoreApplication::exit(-1);  // ends a stuck box: the test fails
    QTimer::singleShot(5, qApp, [=] { answerWhenShown(seen, reaction, triesLeft - 1); });
    return;
  }
  seen->found = true;
  seen->text = box->text();
  seen->title = box->windowTitle();
  seen->format = box->textFormat();
  seen->icon = box->icon();
  seen->buttons = box->standardButtons();
  seen->defaultButton = box->defaultButton();
  seen->expectedDefault = box->button(reaction.expectedDefault);
  seen->parent = box->parentWidget();
  seen->onGuiThread = box->thread() == qApp->thread();
  if (reaction.escapeFirst) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &escape);
    if (box->isVisible()) box->close();
    seen->openAfterEscapeAndClose = box->isVisible();
  }
  if (box->isVisible() && reaction.click != QMessageBox::NoButton) box->button(reaction.click)->click();
}

// Arms the test user for the next box. Before any application exists (the box will create
// one), it starts from the application's constructor.
SeenBox* g_pendingSeen;
Reaction g_pendingReaction;
void armPending() {
  QTimer::singleShot(0, qApp, [] { answerWhenShown(g_pendingSeen, g_pendingReaction, 400); });
}
void answerNextBox(SeenBox* seen, Reaction reaction) {
  g_pendingSeen = seen;
  g_pendingReaction = reaction;
  if (QCoreApplication::instance())
    armPending();
  else
    qAddPreRoutine(armPending);
}

// Runs a loop until `quit` is called or a generous safety time-out gives -99.
int runLoop(QEventLoop& loop) {
  QTimer::singleShot(10000, &loop, [&loop] { loop.exit(-99); });
  return loop.exec();
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

TEST(QtMessageBox, ShowsTheRequestedBoxAndReturnsThePressedButton) {
  struct Case {
    UINT type;
    Reaction reaction;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool closesOnEscape;
    int expected;
  };
  const Case cases[] = {
      {MB_OK | MB_ICONINFORMATION, {false, QMessageBox::Ok, QMessageBox::Ok},
       QMessageBox::Information, QMessageBox::Ok, true, IDOK},
      {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, {false, QMessageBox::Yes, QMessageBox::No},
       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, true, IDYES},
      {MB_OKCANCEL | MB_ICONWARNING, {true, QMessageBox::NoButton, QMessageBox::Ok},
       QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, true, IDCANCEL},
      {MB_OK, {true, QMessageBox::NoButton, QMessageBox::Ok}, QMessageBox::NoIcon, QMessageBox::Ok, true, IDOK},
      {MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_DEFBUTTON3, {true, QMessageBox::Retry, QMessageBox::Ignore},
       QMessageBox::Critical, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, false, IDRETRY},
      {MB_YESNO | MB_ICONQUESTION, {true, QMessageBox::No, QMessageBox::Yes},
       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, false, IDNO},
  };
  const bool applicationExisted = QCoreApplication::instance() != nullptr;
  const char* text = "Plain <b>text</b> — Grüße\nsecond line";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    SeenBox seen;
    answerNextBox(&seen, c.reaction);
    EXPECT_EQ(MessageBoxA(nullptr, text, "Caption é", c.type), c.expected);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, QString::fromUtf8(text));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.title, QString::fromUtf8("Caption é"));
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton, seen.expectedDefault);
    EXPECT_EQ(seen.parent, nullptr);
    if (c.reaction.escapeFirst) {
      EXPECT_EQ(seen.openAfterEscapeAndClose, !c.closesOnEscape);
    }
  }
  // The application made for the first box stays usable by later callers.
  ASSERT_NE(qobject_cast<QApplication*>(QCoreApplication::instance()), nullptr);
  if (!applicationExisted) {
    ASSERT_EQ(QCoreApplication::arguments().size(), 1);
    EXPECT_TRUE(QCoreApplication::arguments()[0].endsWith("/platform_ui_qt_test"));
  }
  QEventLoop loop;
  QTimer::singleShot(0, &loop, [&loop] { loop.exit(5); });
  EXPECT_EQ(runLoop(loop), 5);
}

TEST(QtMessageBox, IsParentedToTheOwnersWindow) {
  testApplication();
  QWidget window;
  QWidget child(&window);
  SeenBox seen;
  answerNextBox(&seen, {false, QMessageBox::Ok, QMessageBox::Ok});
  EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(&child), "owned", "c", MB_OK), IDOK);
  EXPECT_EQ(seen.parent, &window);
}

TEST(QtMessageBox, FromAnotherThreadRunsOnTheGuiThreadAndBlocksTheCallerUntilAnswered) {
  testApplication();
  SeenBox seen;
  answerNextBox(&seen, {false, QMessageBox::Yes, QMessageBox::Yes});
  QEventLoop loop;
  std::atomic<int> answer{-1};
  std::thread worker([&] {
    answer = MessageBoxA(nullptr, "From a worker", "Worker", MB_YESNO);
    QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  EXPECT_EQ(runLoop(loop), 0);
  worker.join();
  EXPECT_EQ(answer, IDYES);
  EXPECT_TRUE(seen.found);
  EXPECT_TRUE(seen.onGuiThread);
  EXPECT_EQ(seen.text, "From a worker");
}

TEST(ScriptedMessageBox, FromAnotherThreadIsAnsweredOnTheGuiThread) {
  testApplication();
  platform::ui::UseScriptedBackend();
  platform::ui::QueueAnswer(IDRETRY);
  QEventLoop loop;
  std::atomic<int> answer{-1};
  std::thread::id workerId;
  std::thread worker([&] {
    workerId = std::this_thread::get_id();
    answer = MessageBoxA(nullptr, "From a worker", "Worker", MB_RETRYCANCEL);
    QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  EXPECT_EQ(runLoop(loop), 0);
  worker.join();
  platform::ui::UseQtBackend();
  EXPECT_EQ(answer, IDRETRY);
  const std::vector<platform::ui::RecordedPrompt> prompts = platform::ui::RecordedPrompts();
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_EQ(prompts[0].thread, std::this_thread::get_id());
  EXPECT_NE(prompts[0].thread, workerId);
}

// After a quit, modal loops end at once until the main loop runs: runs it to leave the
// application as it was.
void runMainLoopOnce() {
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

TEST(PostQuitMessage, EndsTheRunningLoopOrElseTheNextOneWithTheCode) {
  testApplication();
  {
    PostQuitMessage(3);
    QEventLoop next;
    EXPECT_EQ(runLoop(next), 3);
    QEventLoop later;
    EXPECT_EQ(runLoop(later), -1);
  }
  runMainLoopOnce();
  {
    QEventLoop running;
    QTimer::singleShot(0, &running, [] { PostQuitMessage(4); });
    EXPECT_EQ(runLoop(running), 4);
  }
  runMainLoopOnce();
  {
    PostQuitMessage(6);
    EXPECT_EQ(QCoreApplication::exec(), 6);
    QEventLoop afterMainLoop;
    QTimer::singleShot(0, &afterMainLoop, [&afterMainLoop] { afterMainLoop.exit(8); });
    EXPECT_EQ(runLoop(afterMainLoop), 8);
  }
}

TEST(PostQuitMessage, EndsTheCallingThreadsLoopOnly) {
  testApplication();
  struct LoopThread : QThread {
    int code = -1;
    void run() override {
      PostQuitMessage(5);
      code = exec();
    }
  } thread;
  thread.start();
  ASSERT_TRUE(thread.wait(10000));
  EXPECT_EQ(thread.code, 5);
  QEventLoop guiLoop;
  QTimer::singleShot(20, &guiLoop, [&guiLoop] { guiLoop.exit(9); });
  EXPECT_EQ(runLoop(guiLoop), 9);
}

// Ended on its own thread only; the next one runs on the platform decided at the start,
// not on what the environment says by then.
TEST(Application, EndsOnItsThreadAndTheNextOneKeepsThePlatform) {
  ASSERT_NE(platform::ui::EnsureApplication(), nullptr);
  bool endedFromAnotherThread = true;
  std::thread([&] { endedFromAnotherThread = platform::ui::EndApplication(); }).join();
  EXPECT_FALSE(endedFromAnotherThread);
  EXPECT_TRUE(platform::ui::EndApplication());
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
  setenv("QT_QPA_PLATFORM", "minimal", 1);
  ASSERT_NE(platform::ui::EnsureApplication(), nullptr);
  EXPECT_EQ(QGuiApplication::platformName().toStdString(), "offscreen");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

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
