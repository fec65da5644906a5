#include "Errors.h"

#include "Dialogs.h"

namespace tk {

void abort() {
    throw Abort();
}

DatabaseError::DatabaseError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

void reportException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Abort&) {
        // The silent abort: nothing to show.
    } catch (const DatabaseError& e) {
        dialogs().message(e.message(), MessageIcon::Error);
    } catch (const std::exception& e) {
        dialogs().message(QString::fromLocal8Bit(e.what()), MessageIcon::Error);
    } catch (...) {
        dialogs().message(QStringLiteral("Neznámá chyba."), MessageIcon::Error);
    }
}

bool guard(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

} // namespace tk
