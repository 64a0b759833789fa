#include <QDialog>
#include <cstdio>

#include "platform_gui.h"
#include "ui_scripted.h"
#include "window_access.h"
#include "winerror.h"

INT_PTR CDialog::DoModal() {
  const std::optional<DialogTemplate> form = platform::FindDialogTemplate(m_nIDTemplate);
  if (!form) return -1;
  if (platform::ui::ScriptedBackendInUse()) return platform::ui::RunDialogScripted(*this, *form);
  if (!platform::ui::EnsureApplication()) {
    std::fprintf(stderr, "%s: no window can be shown\n", form->title.c_str());
    SetLastError(ERROR_NOT_SUPPORTED);
    return -1;
  }
  INT_PTR result = -1;
  platform::ui::RunOnGuiThread([&] { result = platform::ui::RunDialogInWindow(*this, *form); });
  return result;
}

void CDialog::EndDialog(int result) {
  if (auto* window = qobject_cast<QDialog*>(platform::ui::WindowAccess::Widget(*this))) window->done(result);
}

namespace platform::ui {

INT_PTR RunDialogScripted(CDialog& dialog, const DialogTemplate& form) {
  WindowAccess::SetSize(dialog, DialogUnitsToPixelsX(form.cx), DialogUnitsToPixelsY(form.cy));
  for (const DialogControlTemplate& control : form.controls)
    WindowAccess::AddControl(dialog, control.id, nullptr, DialogUnitsToPixelsX(control.cx),
                             DialogUnitsToPixelsY(control.cy));
  WindowAccess::InitDialog(dialog);
  RECT size;
  dialog.GetClientRect(&size);
  RecordedPrompt prompt;
  prompt.kind = "dialog";
  CWnd* parent = WindowAccess::Parent(dialog);
  prompt.owner = parent ? parent->m_hWnd : nullptr;
  prompt.fields = {{"template", std::to_string(form.id)},
                   {"caption", WindowAccess::Text(dialog)},
                   {"size", std::to_string(size.right) + "x" + std::to_string(size.bottom)}};
  const std::function<INT_PTR(CDialog&)> handler = ScriptedDialogHandler();
  Answer answer;
  if (handler) {
    answer.code = static_cast<int>(handler(dialog));
    RecordAnsweredPrompt(prompt, answer);
  } else {
    answer = AnswerScriptedPrompt(prompt, Answer{IDCANCEL, {}});
  }
  WindowAccess::ForgetControls(dialog);
  return answer.code;
}

}  // namespace platform::ui
