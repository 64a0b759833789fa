// How the platform's user-interface calls reach the user. The Qt backend shows real
// windows. The scripted backend shows nothing: it records each prompt (a message box, and
// in the same way any later modal prompt) and answers it from a script, so a flow can be
// tested without a display or a person.
//
// A child process selects the scripted backend through its environment:
//   CORVEX_PLATFORM_UI=scripted
//   CORVEX_PLATFORM_UI_ANSWERS=IDYES,IDNO,2   the answers in order: ID names or numbers
//                                             (an unreadable one answers 0)
//   CORVEX_PLATFORM_UI_RECORD=/path/file      each prompt is appended to this file
#pragma once

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "wintypes.h"

class CDialog;

namespace platform::ui {

// What a prompt returns: the call's result code and, for prompts that give back text,
// named values.
struct Answer {
  int code = 0;
  std::map<std::string, std::string> values;
};

// One prompt as the scripted backend saw it. A message box has kind "messagebox" and the
// fields "text", "caption", "icon" (none, error, question, warning, information),
// "buttons" (button names in order, comma-separated: OK, Cancel, Abort, Retry, Ignore,
// Yes, No) and "default" (the default button's name).
// A credential prompt (CredUIPromptForCredentialsA) has kind "credentials" and the fields
// "text", "caption", "target", "flags" (hexadecimal, "0x41001"), "user" (the name it
// starts with) and "shown": "yes", or "no (answered from the store)" for an entry the
// credential store answered without a dialog (recorded, no scripted answer taken). Its
// scripted answer: code 0 confirms with the values "user", "password" and optionally
// "save" ("1" ticks the save box); any other code is the call's result (1223 cancels).
// With nothing scripted it is cancelled.
struct RecordedPrompt {
  std::string kind;
  HWND owner = nullptr;
  std::map<std::string, std::string> fields;
  Answer answer;
  std::thread::id thread;  // the thread that ran the prompt; not kept in the record file

  // The named field, or "" when absent.
  std::string Field(const std::string& name) const;
};

// Selects the scripted backend with an empty script and no recorded prompts.
void UseScriptedBackend();
// Selects the Qt backend.
void UseQtBackend();
bool ScriptedBackendInUse();

// Adds an answer to the end of the script. With the script empty, a prompt gets its
// default (for a message box, its default button). A scripted answer is returned as given,
// even if the prompt has no such button.
void QueueAnswer(int code);
void QueueAnswer(const Answer& answer);

// The prompts answered by the scripted backend so far, in order.
std::vector<RecordedPrompt> RecordedPrompts();

// While set, a dialog run by the scripted backend is handed to `handler` after its
// OnInitDialog, in the running thread, as if the user worked in it; what the handler
// returns is the run's result, recorded as the dialog's answer (the script is not used).
// An exception from the handler leaves DoModal. Null restores the script's answers.
// A message posted to a window-less window (CWnd::PostMessage) is recorded as kind
// "message" with the field "message" (its number in decimal).
void SetScriptedDialogHandler(std::function<INT_PTR(CDialog&)> handler);

// Appends each prompt answered from now on to `path` ("" for none).
void SetRecordFile(const std::string& path);
// The prompts in a record file, in order (empty if it cannot be read).
std::vector<RecordedPrompt> ReadRecordFile(const std::string& path);

}  // namespace platform::ui
