#pragma once
#include <exception>
#include <utility>

#include "ui/ErrorHandling.h"

// Wraps an event handler so that an error it raises ends the handler and goes to the error box
// instead of unwinding through the toolkit, whose frames are not built to carry exceptions.
template <typename Handler>
auto Guarded(Handler handler) {
    return [handler = std::move(handler)]() {
        try {
            handler();
        } catch (...) {
            HandleException(std::current_exception());
        }
    };
}
