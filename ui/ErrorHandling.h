#pragma once
#include <exception>
#include <string>

// The application title: the executable's file name without its extension. It heads the error box.
std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// The error box's text: a full stop is added when the message is not empty and its last byte sorts
// after ".", so messages ending in ".", "!" or a blank are left alone.
std::string ErrorBoxText(const std::string& message);

// The one place errors escaping an event handler end up: shows the error box (through the dialog
// seam); EAbort is silent. The event loop goes on afterwards.
void HandleException(std::exception_ptr error);
// The same, after the current event has been handled (for errors raised while painting, where a
// modal box must not open in the middle of a paint).
void HandleExceptionLater(std::exception_ptr error);
