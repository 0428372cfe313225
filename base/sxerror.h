#pragma once

#include <QString>
#include <stdexcept>

// A failure that ends the running command; the event boundary shows its message to the user.
class SxError : public std::runtime_error {
public:
    explicit SxError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
