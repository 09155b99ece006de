#include "ui/UpperCaseEdit.h"

#include <QLineEdit>

QLineEdit* UpperEdit(QWidget* parent, int maxLength) {
  auto* edit = new QLineEdit(parent);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  MakeUpperCase(edit);
  return edit;
}

void MakeUpperCase(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    const int cursor = edit->cursorPosition();
    edit->setText(text.toUpper());
    edit->setModified(true);  // setText clears it, and the text was typed
    edit->setCursorPosition(cursor);
  });
}

std::string UpperText(const QLineEdit* edit) { return edit->text().trimmed().toUpper().toLatin1().toStdString(); }
