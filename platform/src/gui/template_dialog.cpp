#include "template_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace platform::ui {
namespace {

const DWORD kDefaultPushButton = 0x1;

// A side anchored to the far edge moves with it; anchored to both, the control stretches.
int follow(int start, int length, int grown, bool nearEdge, bool farEdge, bool wantLength) {
  if (wantLength) return nearEdge && farEdge ? length + grown : length;
  return farEdge && !nearEdge ? start + grown : start;
}

}  // namespace

TemplateDialog::TemplateDialog(CDialog& owner, const DialogTemplate& form, QWidget* parent)
    : QDialog(parent), m_owner(owner),
      m_templateSize(DialogUnitsToPixelsX(form.cx), DialogUnitsToPixelsY(form.cy)) {
  setWindowTitle(QString::fromStdString(form.title));
  resize(m_templateSize);
  for (const DialogControlTemplate& control : form.controls) {
    QWidget* widget = makeControl(control);
    const QRect rect(DialogUnitsToPixelsX(control.x), DialogUnitsToPixelsY(control.y),
                     DialogUnitsToPixelsX(control.cx), DialogUnitsToPixelsY(control.cy));
    widget->setGeometry(rect);
    widget->setVisible(control.style & WS_VISIBLE);
    m_controls.push_back({widget, rect, control.anchors});
    WindowAccess::AddControl(owner, control.id, widget, rect.width(), rect.height());
  }
}

QWidget* TemplateDialog::makeControl(const DialogControlTemplate& control) {
  const QString text = QString::fromStdString(control.text);
  if (control.className != "BUTTON") return new QLabel(text, this);
  auto* button = new QPushButton(text, this);
  button->setDefault(control.style & kDefaultPushButton);
  if (control.id == IDOK) connect(button, &QPushButton::clicked, this, [this] { accept(); });
  if (control.id == IDCANCEL) connect(button, &QPushButton::clicked, this, [this] { reject(); });
  return button;
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
  event->ignore();  // the dialog goes when OnCancel ends it
  reject();
}

void TemplateDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int wider = width() - m_templateSize.width(), taller = height() - m_templateSize.height();
  for (const Placed& placed : m_controls) {
    const QRect& r = placed.rect;
    const bool left = placed.anchors & kAnchorLeft, right = placed.anchors & kAnchorRight;
    const bool top = placed.anchors & kAnchorTop, bottom = placed.anchors & kAnchorBottom;
    placed.widget->setGeometry(follow(r.x(), r.width(), wider, left, right, false),
                               follow(r.y(), r.height(), taller, top, bottom, false),
                               follow(r.x(), r.width(), wider, left, right, true),
                               follow(r.y(), r.height(), taller, top, bottom, true));
  }
  WindowAccess::Resized(m_owner, width(), height());
}

INT_PTR RunDialogInWindow(CDialog& dialog, const DialogTemplate& form) {
  CWnd* parent = WindowAccess::Parent(dialog);
  auto window = std::make_unique<TemplateDialog>(dialog, form, parent ? WindowAccess::Widget(*parent) : nullptr);
  dialog.m_hWnd = reinterpret_cast<HWND>(static_cast<QWidget*>(window.get()));
  RegisterLiveWindow(dialog.m_hWnd);
  WindowAccess::InitDialog(dialog);
  const int result = window->exec();
  UnregisterLiveWindow(dialog.m_hWnd);
  window.reset();  // its children go with it, a browser inside too
  dialog.m_hWnd = nullptr;
  WindowAccess::ForgetControls(dialog);
  return result;
}

}  // namespace platform::ui
