#pragma once

#include <QObject>

#include <exception>
#include <string_view>
#include <utility>

#include "errors.h"

namespace tallyfin {

// Shows the message of an error that ended a handler in the application's
// error box (with the full-stop rule of ErrorBoxText), in the language shown.
void showError(const Error &error);
void showError(std::string_view message);

// Runs one event handler. An error that ends it stops it at the failing step
// (what it already wrote stays), is shown in the error box, and the program
// goes on with the next event: no exception ever reaches Qt's event loop.
template <typename Handler>
void runHandler(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const Error &error) {
        showError(error);
    } catch (const std::exception &error) {
        // Not one of the calculation's errors (out of memory, say): still
        // shown rather than ending the program.
        showError(error.what());
    }
}

// Connects a signal to a handler of `receiver` through runHandler.
template <typename Sender, typename Signal, typename Receiver>
void connectHandler(Sender *sender, Signal signal, Receiver *receiver, void (Receiver::*handler)())
{
    QObject::connect(sender, signal, receiver, [receiver, handler] {
        runHandler([receiver, handler] { (receiver->*handler)(); });
    });
}

} // namespace tallyfin
