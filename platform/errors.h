#pragma once
// Errors that reach the general error handler: each carries the exact text
// the user is shown.
#include <QString>
#include <stdexcept>

class DioramixError : public std::runtime_error {
public:
    explicit DioramixError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// A name that breaks the object name rules.
class NameError : public DioramixError {
    using DioramixError::DioramixError;
};
