#pragma once
// The size the user last gave each resizable form, kept in the settings
// store under the form's caption, so that a form opens again as it was
// left, in this run and the next.

#include <optional>

#include <QSize>
#include <QString>

namespace umbrinex {

// Nothing when the form was never resized or the stored size is unusable.
std::optional<QSize> StoredFormSize(const QString& form);
void StoreFormSize(const QString& form, const QSize& size);
// Forgets the form's size: it opens at its design size again.
void ForgetFormSize(const QString& form);

}  // namespace umbrinex
