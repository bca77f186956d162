#pragma once
// Accelerator keys resolved by the form itself, so that several controls
// may share a letter: pressing it again moves on to the next control that
// has it, in tab order, and round again.

#include <QChar>
#include <QString>

class QWidget;

namespace umbrinex {

// The letter after a single '&' of a caption, lower case; null for none.
QChar AcceleratorOf(const QString& caption);

// Whether some control of the form answers the character.
bool HasAccelerator(QWidget& form, QChar character);
// Gives the character to the control whose turn it is; false when no
// control of the form has it.
bool ResolveAccelerator(QWidget& form, QChar character);

}  // namespace umbrinex
