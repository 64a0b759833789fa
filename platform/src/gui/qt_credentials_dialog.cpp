#include "qt_credentials_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace platform::ui {
namespace {

QWidget* ownerWindow(HWND owner) { return owner ? reinterpret_cast<QWidget*>(owner)->window() : nullptr; }

QLabel* plainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

QLineEdit* field(unsigned maxChars, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(static_cast<int>(std::min(maxChars, 32767u)));
  return edit;
}

}  // namespace

bool ShowQtCredentialsDialog(const CredentialsDialogRequest& request, EnteredCredentials& entered) {
  QDialog dialog(ownerWindow(request.owner));
  dialog.setWindowTitle(QString::fromUtf8(request.caption && *request.caption ? request.caption : request.target));
  auto* layout = new QVBoxLayout(&dialog);
  if (request.message && *request.message) layout->addWidget(plainLabel(QString::fromUtf8(request.message), &dialog));
  if (request.incorrectPassword)
    layout->addWidget(plainLabel(QObject::tr("The user name or password is incorrect. Try again."), &dialog));
  auto* form = new QFormLayout;
  QLineEdit* user = field(request.maxUserChars, &dialog);
  user->setText(QString::fromUtf8(request.user ? request.user : ""));
  QLineEdit* password = field(request.maxPasswordChars, &dialog);
  password->setEchoMode(QLineEdit::Password);
  form->addRow(QObject::tr("User name:"), user);
  form->addRow(QObject::tr("Password:"), password);
  layout->addLayout(form);
  QCheckBox* save = nullptr;
  if (request.showSaveBox) {
    save = new QCheckBox(QObject::tr("Remember my credentials"), &dialog);
    save->setChecked(request.saveChecked != 0);
    layout->addWidget(save);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  (user->text().isEmpty() ? user : password)->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  entered.user = user->text().toStdString();
  entered.password = password->text().toStdString();
  entered.save = save && save->isChecked();
  return true;
}

}  // namespace platform::ui
