#include "qt_message_box.h"

#include <QPushButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <map>

namespace platform::ui {
namespace {

// A QMessageBox that, like a Windows box without Cancel or a lone OK, ignores Escape and
// the close box (QMessageBox would otherwise pick No or Abort for them).
class WindowsMessageBox : public QMessageBox {
 public:
  WindowsMessageBox(QWidget* parent, bool closable) : QMessageBox(parent), m_closable(closable) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!m_closable && event->key() == Qt::Key_Escape) return event->accept();
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (!m_closable) return event->ignore();
    QMessageBox::closeEvent(event);
  }

 private:
  bool m_closable;
};

QMessageBox::StandardButton qtButton(int id) {
  switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
  }
}

QMessageBox::Icon qtIcon(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Error: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Warning: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QWidget* ownerWindow(HWND owner) {
  return owner ? reinterpret_cast<QWidget*>(owner)->window() : nullptr;
}

}  // namespace

int ShowQtMessageBox(HWND owner, const std::string& text, const std::string& caption,
                     const MessageBoxStyle& style) {
  WindowsMessageBox box(ownerWindow(owner), style.escapeAnswer != 0);
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  box.setWindowTitle(QString::fromStdString(caption));
  box.setIcon(qtIcon(style.icon));
  box.setWindowFlag(Qt::WindowStaysOnTopHint, style.topmost);
  std::map<QAbstractButton*, int> answers;
  for (int id : style.buttons) {
    QAbstractButton* button = box.addButton(qtButton(id));
    answers[button] = id;
    if (id == style.defaultButton) box.setDefaultButton(qtButton(id));
    if (id == style.escapeAnswer) box.setEscapeButton(button);
  }
  box.exec();
  auto pressed = answers.find(box.clickedButton());
  if (pressed != answers.end()) return pressed->second;
  return style.escapeAnswer != 0 ? style.escapeAnswer : style.defaultButton;
}

}  // namespace platform::ui
