#pragma once

#include <QString>

#include <functional>
#include <type_traits>

class Prompt;

// The one place where a failure that a handler did not catch ends that handler and is shown.
// Qt is not exception-safe across its event dispatch, so every handler that Qt calls is entered
// through `guarded`. The failure is shown through the prompt given to it.
namespace errorboundary {

// The message as the report shows it: with a full stop appended when its last character sorts
// after ".".
QString reportText(const QString& message);
void run(Prompt& prompt, const std::function<void()>& handler);

// A slot that runs `handler` inside the boundary, passing the signal's arguments when the
// handler takes them.
template <typename F> auto guarded(Prompt& prompt, F handler) {
    return [&prompt, handler](auto&&... args) {
        run(prompt, [&] {
            if constexpr (std::is_invocable_v<F, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    };
}

} // namespace errorboundary
