#include "database_error.h"

DatabaseError::DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString DatabaseError::message() const { return QString::fromUtf8(what()); }
