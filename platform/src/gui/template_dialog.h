// A CDialog's window: a QDialog laid out from its template, whose controls follow their
// anchors when it is resized, and whose close box, Escape and IDOK/IDCANCEL buttons go to
// the CDialog's OnOK and OnCancel.
#pragma once

#include <QDialog>
#include <vector>

#include "window_access.h"

namespace platform::ui {

class TemplateDialog : public QDialog {
 public:
  // Makes the widgets and the dialog's control CWnds.
  TemplateDialog(CDialog& owner, const DialogTemplate& form, QWidget* parent);

  void accept() override { WindowAccess::Ok(m_owner); }
  void reject() override { WindowAccess::Cancel(m_owner); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Placed {
    QWidget* widget;
    QRect rect;  // in the template's own size
    unsigned anchors;
  };

  QWidget* makeControl(const DialogControlTemplate& control);

  CDialog& m_owner;
  QSize m_templateSize;
  std::vector<Placed> m_controls;
};

}  // namespace platform::ui
