#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>

namespace tk {

// The silent abort: unwinds to the event loop without any message; the operation that raised it does not
// take place.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "silent abort"; }
};

[[noreturn]] void abort();

// A database error carries the server's (or the toolkit's) text, shown by the general error report.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// A file that was to be opened as a database is none (empty, damaged or of another kind).
class NotADatabaseError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// The one place where errors that nobody caught end up: the silent abort shows nothing, everything else
// shows its text in an error message box (through Dialogs).
void reportException(std::exception_ptr error);

// Runs a handler body so that no exception leaves it; used by every slot that Qt's event loop calls.
// Returns false when the body ended with an exception (abort or error).
bool guard(const std::function<void()>& body);

} // namespace tk
