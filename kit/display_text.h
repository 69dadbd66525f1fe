// Text that comes from a player or a file, made safe to show: a label never takes it
// for markup, and it never breaks a row or turns the text around it.
#pragma once

#include <QString>

class QWidget;

namespace dz
{

// Controls, line and paragraph separators become U+FFFD; bidirectional embeddings,
// overrides and isolates are dropped. A text too long for any window is cut, with an
// ellipsis.
QString DisplayText(const QString& text);

// Every label of the window shows its text as plain text, whatever it holds.
void UsePlainText(QWidget* window);

} // namespace dz
