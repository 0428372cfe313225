#pragma once

#include <QString>
#include <cstring>
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

// A failure text followed by what the system says about it ("Stream write error: No space left on
// device"), or the text alone where the system named no cause (error 0).
inline QString withSystemCause(const QString& text, int error) {
    if (error == 0)
        return text;
    return QStringLiteral("%1: %2").arg(text, QString::fromLocal8Bit(::strerror(error)));
}
