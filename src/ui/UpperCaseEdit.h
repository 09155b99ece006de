#pragma once

// Edits whose text is codes and names in capitals: the text turns to upper
// case as the person types, and is read back as Latin-1 bytes.

#include <QString>
#include <string>

class QLineEdit;
class QWidget;

// A new edit of at most maxLength characters (0: no limit).
QLineEdit* UpperEdit(QWidget* parent, int maxLength);
// Makes an existing edit (a combo box's, say) turn its text to upper case.
void MakeUpperCase(QLineEdit* edit);
// The edit's text, trimmed and in upper case.
std::string UpperText(const QLineEdit* edit);
