#include "ui/dialogs/errorboundary.h"

#include "app/sxerror.h"
#include "ui/dialogs/prompt.h"

namespace {
Prompt* g_prompt = nullptr;
}

void errorboundary::setPrompt(Prompt* prompt) {
    g_prompt = prompt;
}

QString errorboundary::reportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void errorboundary::run(const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return;
    } catch (const SxError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    if (g_prompt)
        g_prompt->failure(reportText(message));
}
