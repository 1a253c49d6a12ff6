#pragma once
// The rules for object names: identifiers, unique within a drawing; new
// objects are called "shape" followed by one more than the largest number
// found in the existing names.
#include <QString>
#include <QStringList>

// A letter or "_" followed by letters, digits or "_".
bool is_valid_identifier(const QString& name);

// The name a new object of a drawing with these object names gets.
QString next_shape_name(const QStringList& existing_names);

// Throws NameError with the program's text when `name` breaks the rules
// for an object whose siblings are called `other_names`.
void check_object_name(const QString& name, const QStringList& other_names);

// Reads text as a decimal integer, 0 when it is not one.
qint64 decimal_or_zero(const QString& text);
