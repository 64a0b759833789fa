#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "credential_store.h"
#include "ui_gui_library.h"
#include "ui_scripted.h"
#include "wincred.h"
#include "winheap.h"

namespace {

using platform::StoredCredential;

struct Prompt {
  HWND owner = nullptr;
  std::string message, caption, target, initialUser;
  DWORD flags = 0;
  bool showSaveBox = false;
  bool saveChecked = false;
};

std::string textOf(PCSTR text) { return text ? text : ""; }

std::string hexFlags(DWORD flags) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(flags));
  return text;
}

platform::ui::RecordedPrompt recorded(const Prompt& prompt, bool shown) {
  platform::ui::RecordedPrompt record;
  record.kind = "credentials";
  record.owner = prompt.owner;
  record.fields = {{"text", prompt.message},        {"caption", prompt.caption},
                   {"target", prompt.target},       {"flags", hexFlags(prompt.flags)},
                   {"user", prompt.initialUser},    {"shown", shown ? "yes" : "no (answered from the store)"}};
  return record;
}

// The scripted answer: code 0 confirms with the values "user", "password" and "save" ("1"
// ticks the save box); any other code is the result. Nothing scripted cancels.
DWORD askScripted(const Prompt& prompt, StoredCredential& entered, bool& save) {
  platform::ui::Answer answer;
  platform::ui::RunOnGuiThreadIfAny([&] {
    answer = platform::ui::AnswerScriptedPrompt(recorded(prompt, true), platform::ui::Answer{ERROR_CANCELLED, {}});
  });
  if (answer.code != 0) return static_cast<DWORD>(answer.code);
  entered.user = answer.values["user"];
  entered.password = answer.values["password"];
  save = answer.values.count("save") ? answer.values["save"] == "1" : prompt.saveChecked;
  SecureZeroMemory(answer.values["password"].data(), answer.values["password"].size());
  return NO_ERROR;
}

struct Confirmed {
  StoredCredential* entered;
  bool* save;
};

DWORD askInWindow(const Prompt& prompt, ULONG userChars, ULONG passwordChars, StoredCredential& entered, bool& save) {
  const PlatformGuiEntries* gui = platform::ui::GuiLibrary();
  if (!gui) return ERROR_NOT_SUPPORTED;
  const CredentialsDialogRequest request = {prompt.owner,
                                            prompt.message.c_str(),
                                            prompt.caption.c_str(),
                                            prompt.target.c_str(),
                                            (prompt.flags & CREDUI_FLAGS_INCORRECT_PASSWORD) != 0,
                                            prompt.showSaveBox,
                                            prompt.saveChecked,
                                            prompt.initialUser.c_str(),
                                            userChars - 1,
                                            passwordChars - 1};
  Confirmed confirmed = {&entered, &save};
  auto keep = [](void* context, const char* user, const char* password, int saveChecked) {
    auto* into = static_cast<Confirmed*>(context);
    into->entered->user = user;
    into->entered->password = password;
    *into->save = saveChecked != 0;
  };
  return gui->credentialsDialog(&request, keep, &confirmed);
}

// Cut to what a buffer of `size` bytes holds with its zero, never inside a UTF-8 sequence.
void cutToBuffer(std::string& text, ULONG size) {
  size_t length = std::min<size_t>(text.size(), size - 1);
  if (length < text.size())
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  SecureZeroMemory(text.data() + length, text.size() - length);
  text.resize(length);
}

void copyOut(const std::string& text, PSTR buffer) {
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
}

Prompt promptOf(PCREDUI_INFOA info, PCSTR target, PCSTR user, ULONG userSize, BOOL* save, DWORD flags) {
  Prompt prompt;
  if (info) {
    prompt.owner = info->hwndParent;
    prompt.message = textOf(info->pszMessageText);
    prompt.caption = textOf(info->pszCaptionText);
  }
  prompt.target = target;
  prompt.initialUser = std::string(user, strnlen(user, userSize));
  prompt.flags = flags;
  prompt.showSaveBox = !(flags & (CREDUI_FLAGS_PERSIST | CREDUI_FLAGS_DO_NOT_PERSIST));
  prompt.saveChecked = save && *save;
  return prompt;
}

bool shouldStore(DWORD flags, bool saveChecked) {
  if (flags & CREDUI_FLAGS_DO_NOT_PERSIST) return false;
  return (flags & CREDUI_FLAGS_PERSIST) || saveChecked;
}

}  // namespace

DWORD CredUIPromptForCredentialsA(PCREDUI_INFOA pUiInfo, PCSTR pszTargetName, PCtxtHandle, DWORD, PSTR pszUserName,
                                  ULONG ulUserNameBufferSize, PSTR pszPassword, ULONG ulPasswordBufferSize,
                                  BOOL* save, DWORD dwFlags) {
  if (!pszTargetName || !*pszTargetName || !pszUserName || !pszPassword || ulUserNameBufferSize == 0 ||
      ulPasswordBufferSize == 0)
    return ERROR_INVALID_PARAMETER;
  if ((dwFlags & CREDUI_FLAGS_PERSIST) && (dwFlags & CREDUI_FLAGS_DO_NOT_PERSIST)) return ERROR_INVALID_FLAGS;
  const Prompt prompt = promptOf(pUiInfo, pszTargetName, pszUserName, ulUserNameBufferSize, save, dwFlags);
  const bool scripted = platform::ui::ScriptedBackendInUse();
  StoredCredential credential;
  bool store = false;
  if (!(dwFlags & CREDUI_FLAGS_ALWAYS_SHOW_UI) && platform::ReadStoredCredential(prompt.target, credential)) {
    if (scripted)
      platform::ui::RecordAnsweredPrompt(recorded(prompt, false), platform::ui::Answer{0, {{"user", credential.user}}});
  } else {
    bool saveChecked = false;
    const DWORD result = scripted ? askScripted(prompt, credential, saveChecked)
                                  : askInWindow(prompt, ulUserNameBufferSize, ulPasswordBufferSize, credential,
                                                saveChecked);
    if (result != NO_ERROR) return result;
    store = shouldStore(dwFlags, saveChecked);
    if (save) *save = saveChecked ? TRUE : FALSE;
  }
  cutToBuffer(credential.user, ulUserNameBufferSize);
  cutToBuffer(credential.password, ulPasswordBufferSize);
  if (store) platform::StoreCredential(prompt.target, credential);
  copyOut(credential.user, pszUserName);
  copyOut(credential.password, pszPassword);
  return NO_ERROR;
}
