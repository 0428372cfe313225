#include "base/errorboundary.h"

#include "base/prompt.h"
#include "base/sxerror.h"

QString errorboundary::reportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void errorboundary::run(Prompt& prompt, const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return;
    } catch (const SxError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    prompt.failure(reportText(message));
}
