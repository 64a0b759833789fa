#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include "ui_scripted.h"
#include "window_access.h"

using platform::ui::WindowAccess;

CWnd::~CWnd() = default;

void CWnd::SetWindowText(LPCSTR text) {
  m_text = text ? text : "";
  QWidget* widget = WindowAccess::Widget(*this);
  if (!widget) return;
  const QString qtText = QString::fromStdString(m_text);
  if (widget->isWindow()) return widget->setWindowTitle(qtText);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->setText(qtText);
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(qtText);
}

void CWnd::GetWindowText(CString& text) const { text = m_text.c_str(); }

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  if (!(flags & SWP_NOSIZE)) WindowAccess::SetSize(*this, cx, cy);
  return m_hWnd ? ::SetWindowPos(m_hWnd, nullptr, x, y, cx, cy, flags) : TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
  m_exStyle = (m_exStyle & ~remove) | add;
  QWidget* widget = WindowAccess::Widget(*this);
  if (widget && widget->isWindow()) {
    const Qt::WindowType type = (m_exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Dialog;
    widget->setWindowFlags((widget->windowFlags() & ~Qt::WindowType_Mask) | type);
  }
  return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const {
  auto found = m_controls.find(id);
  return found != m_controls.end() ? found->second.get() : nullptr;
}

void CWnd::GetClientRect(LPRECT rect) const {
  const QWidget* widget = WindowAccess::Widget(*this);
  *rect = RECT{0, 0, widget ? widget->width() : m_width, widget ? widget->height() : m_height};
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd && platform::ui::ScriptedBackendInUse()) {
    platform::ui::RecordedPrompt posted;
    posted.kind = "message";
    posted.fields = {{"message", std::to_string(message)}};
    platform::ui::RecordAnsweredPrompt(posted, platform::ui::Answer{TRUE, {}});
    return TRUE;
  }
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::OnSize(UINT, int, int) {}

namespace platform::ui {

CWnd& WindowAccess::AddControl(CWnd& dialog, int id, QWidget* widget, int width, int height) {
  auto control = std::make_unique<CWnd>();
  control->m_hWnd = reinterpret_cast<HWND>(widget);
  SetSize(*control, width, height);
  return *(dialog.m_controls[id] = std::move(control));
}

void WindowAccess::SetSize(CWnd& window, int width, int height) {
  window.m_width = width;
  window.m_height = height;
}

void WindowAccess::Resized(CWnd& window, int width, int height) {
  SetSize(window, width, height);
  window.OnSize(SIZE_RESTORED, width, height);
}

int DialogUnitsToPixelsX(int units) { return units * 7 / 4; }
int DialogUnitsToPixelsY(int units) { return units * 2; }

}  // namespace platform::ui
