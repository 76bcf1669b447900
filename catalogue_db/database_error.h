#pragma once
// The error every part of the database layer throws: the engine's own message text, as the
// dataset's callers show it.
#include <QString>

#include <stdexcept>

class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message);
    QString message() const;
};
