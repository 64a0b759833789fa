// The scripted backend's one entry for every kind of prompt.
#pragma once

#include "platform_ui.h"

namespace platform::ui {

// Records `prompt` (kind, owner and fields filled in by the caller) with the running
// thread and its answer: the next scripted answer, or `unscripted` when the script is empty.
Answer AnswerScriptedPrompt(RecordedPrompt prompt, const Answer& unscripted);

// Records `prompt` as answered by `answer` without taking anything from the script: a
// prompt that the platform answered itself (a credential prompt answered from the store).
void RecordAnsweredPrompt(RecordedPrompt prompt, const Answer& answer);

// The handler set by SetScriptedDialogHandler, or null.
std::function<INT_PTR(CDialog&)> ScriptedDialogHandler();

}  // namespace platform::ui
